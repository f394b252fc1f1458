#include "store/session.h"
#include "store/table_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace stk {
namespace {

using testing::FakeWindow;
using testing::window_captions;

std::vector<std::string> column(const TradTable& trad, std::size_t col)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < trad.rows.size(); ++i)
        texts.push_back(trad.rows[i][col]);
    return texts;
}

TEST(Translation, EmptyTableLearnsEveryCaptionInOrder)
{
    Store store;
    FakeWindow window;
    trad_me(store, window);
    EXPECT_EQ(column(store.tab_trad, 0), window_captions);
    EXPECT_EQ(column(store.tab_trad, 1), std::vector<std::string>(32));
    EXPECT_EQ(window.captions(), FakeWindow().captions());
}

TEST(Translation, FlagsSwitchAmongTheThreeColumns)
{
    Store store;
    store.tab_trad.rows.append({"Risque", "T1", "T2"});
    store.tab_param.setparam(window_name, "langue", "1");
    FakeWindow window;
    trad_me(store, window);
    const auto shows = [&](const std::string& text) {
        const auto c = window.captions();
        return std::count(c.begin(), c.end(), text);
    };
    EXPECT_EQ(shows("T1"), 1);
    ln_Click(store, window, 2);
    EXPECT_EQ(shows("T2"), 1);
    ln_Click(store, window, 0);
    EXPECT_EQ(shows("Risque"), 1);
    EXPECT_EQ(store.tab_param.getparam(window_name, "langue", ""), "0");
}

TEST(Translation, EmptyCellOrMissingColumnKeepsTheCaption)
{
    for (const char* langue : {"1", "3", "7", "-1"}) {
        Store store;
        store.tab_trad.rows.append({"Risque", "", "T2"});
        store.tab_param.setparam(window_name, "langue", langue);
        FakeWindow window;
        trad_me(store, window);
        EXPECT_EQ(window.captions(), FakeWindow().captions()) << langue;
    }
}

TEST(Translation, RepeatedCaptionKeepsItsTextWhenLearntInTheSamePass)
{
    Store store;
    FakeWindow window;
    ln_Click(store, window, 1);
    EXPECT_EQ(window.value("aide_r"), "Coût du risque de rupture");
    EXPECT_EQ(window.captions(), FakeWindow().captions());
    EXPECT_EQ(store.tab_trad.ntrad(), 31);
}

TEST(Translation, FullTableLearnsNothing)
{
    Store store;
    for (int i = 0; i < 101; ++i)
        store.tab_trad.rows.append({"c" + std::to_string(i), "", ""});
    FakeWindow window;
    trad_me(store, window);
    EXPECT_EQ(store.tab_trad.ntrad(), 100);
    EXPECT_EQ(window.captions(), FakeWindow().captions());
}

struct LanguageCase {
    std::string langue;
    std::optional<std::size_t> column;
};

class LanguageIndex : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageIndex, IsReadAsANumberRoundedHalfToEven)
{
    ParamTable params;
    params.setparam(window_name, "langue", GetParam().langue);
    EXPECT_EQ(language(params), GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(Values, LanguageIndex,
                         ::testing::Values(LanguageCase{"1.5", 2}, LanguageCase{"2.5", 2},
                                           LanguageCase{"0.5", 0}, LanguageCase{"abc", 0},
                                           LanguageCase{"", 0}, LanguageCase{"2abc", 2},
                                           LanguageCase{"3", std::nullopt},
                                           LanguageCase{"-1", std::nullopt},
                                           LanguageCase{"1e999", std::nullopt}));

TEST(ShippedTranslations, HoldEveryCaptionInThreeLanguages)
{
    const auto file = std::filesystem::path(__FILE__).parent_path() / "../../data/trad_stk_secu.txt";
    const std::string bytes = testing::read_bytes(file);
    EXPECT_NE(bytes.find('\xE9'), std::string::npos);
    EXPECT_NE(bytes.find('\x80'), std::string::npos);
    Store store;
    std::ostringstream diag;
    ASSERT_EQ(load_table(file, store.tab_trad.rows, diag), ReadStatus::read);
    EXPECT_TRUE(store.tab_trad.rows.kept_lines().empty());
    EXPECT_EQ(column(store.tab_trad, 0), window_captions);
    for (std::size_t i = 0; i < store.tab_trad.rows.size(); ++i)
        for (const std::string& cell : store.tab_trad.rows[i])
            EXPECT_FALSE(cell.empty()) << i;
    const Record site = store.tab_trad.rows[6];
    EXPECT_EQ(site, (Record{"www.example.com", "www.example.com", "www.example.com"}));

    FakeWindow window;
    for (std::size_t lang : {1, 2, 0}) {
        ln_Click(store, window, static_cast<int>(lang));
        std::vector<std::string> expected;
        for (const std::string& french : FakeWindow().captions())
            expected.push_back(french.empty() ? "" : store.tab_trad.rows[*store.tab_trad.find(french)][lang]);
        EXPECT_EQ(window.captions(), expected) << lang;
    }
    EXPECT_EQ(store.tab_trad.ntrad(), 31);
}

}  // namespace
}  // namespace stk

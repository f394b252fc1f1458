// Translation files with missing languages or empty cells, and tips.
#include "store/session.h"

#include "fake_window.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace stk {
namespace {

namespace fs = std::filesystem;

using namespace test;

// A window of two labels and a picture with a tip, started in a folder of its own.
struct Started {
    TempDir folder;
    Store store;
    FakeWindow window{{"Risque", "Total"}, "Quitter"};
    std::ostringstream diag;
    void start(const std::string& trad)
    {
        write_bytes(folder / trad_file_name, trad);
        write_bytes(folder / param_file_name, "");
        load_files(store, window, folder.path, diag);
    }
};

// The translation file, the flags clicked after start-up, and what is then shown.
struct Switch {
    const char *name, *trad;
    std::vector<int> flags;
    std::vector<std::string> shown;
    const char* tip;
};
void PrintTo(const Switch& c, std::ostream* os) { *os << c.name; }

class LanguageSwitch : public ::testing::TestWithParam<Switch>, public Started {};

TEST_P(LanguageSwitch, ShowsTheColumnOrItsFrenchText)
{
    const Switch& c = GetParam();
    start(c.trad);
    for (int flag : c.flags)
        choose_language(store, window, flag);
    EXPECT_EQ(window.captions, c.shown);
    EXPECT_EQ(*window.picture_tip, c.tip);
    EXPECT_EQ(diag.str(), "");
}

const char* const three = "Risque\tRisk\tRisco\r\nTotal\t\tTotal pt\r\nQuitter\tQuit\tSair\r\n";
const char* const two = "Risque\tRisk\r\nTotal\tSum\r\nQuitter\tQuit\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageSwitch,
    ::testing::Values(Switch{"EmptyCellAfterAnotherLanguage", three, {2, 1}, {"Risk", "Total"}, "Quit"},
                      Switch{"Portuguese", three, {2}, {"Risco", "Total pt"}, "Sair"},
                      Switch{"TwoColumnsEnglish", two, {1}, {"Risk", "Sum"}, "Quit"},
                      Switch{"TwoColumnsPortugueseFallsBackToFrench", two, {1, 2}, {"Risque", "Total"}, "Quitter"}),
    [](const auto& info) { return std::string(info.param.name); });

class Translations : public ::testing::Test, public Started {};

TEST_F(Translations, TwoColumnFileLearnsOnlyWhatItLacks)
{
    start(two);
    save_files(store, window, folder.path, diag);
    EXPECT_EQ(read_bytes(folder / trad_file_name),
              "Risque\tRisk\t\r\nTotal\tSum\t\r\nQuitter\tQuit\t\r\nTitre\t\t\r\n");
}

}  // namespace
}  // namespace stk

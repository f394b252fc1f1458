// The tables of the two files: the parameter rules, the bytes of a file, the translations.
#include "store/param_table.h"
#include "store/records.h"
#include "store/trad_table.h"

#include "fake_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace stk {
namespace {

using namespace std::string_literals;

// The table before and after as file bytes, the setparam calls as rows of file bytes (window, key, value), and a
// getparam call (window, key, fallback) with the value it finds.
struct ParamCase {
    std::string name, before, writes, window, key, fallback, found, after;
};
void PrintTo(const ParamCase& c, std::ostream* os) { *os << c.name; }

class ParamStore : public ::testing::TestWithParam<ParamCase> {};

TEST_P(ParamStore, UsesTheFirstMatchingRow)
{
    const ParamCase& c = GetParam();
    ParamTable table;
    parse_records(c.before, table.rows);
    Records writes;
    parse_records(c.writes, writes);
    for (std::size_t i = 0; i < writes.size(); ++i)
        table.setparam(writes[i][0], writes[i][1], writes[i][2]);
    EXPECT_EQ(table.getparam(c.window, c.key, c.fallback), c.found);
    EXPECT_EQ(format_records(table.rows), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamStore,
    ::testing::Values(ParamCase{"EmptyTable", "", "", "w", "langue", "0", "0", ""},
                      ParamCase{"EmptyValueIsFound", "w\tcct\t\r\n", "", "w", "cct", "x", "", "w\tcct\t\r\n"},
                      ParamCase{"FirstDuplicateIsReadAndUpdated", "w\tcct\t10\r\nw\tcct\t20\r\n", "w\tcct\t30", "w",
                                "cct", "", "30", "w\tcct\t30\r\nw\tcct\t20\r\n"},
                      ParamCase{"KeyIsCaseSensitive", "w\tcct\t10\r\n", "w\tCCT\t5", "w", "cct", "", "10",
                                "w\tcct\t10\r\nw\tCCT\t5\r\n"},
                      ParamCase{"OtherWindowIsIgnored", "autre\tcct\t1\r\n", "w\tcct\t2", "w", "cct", "", "2",
                                "autre\tcct\t1\r\nw\tcct\t2\r\n"},
                      ParamCase{"ThreeWritesLeaveOneRow", "", "w\ttst\t1\r\nw\ttst\t2\r\nw\ttst\t3", "w", "tst", "",
                                "3", "w\ttst\t3\r\n"}));

TEST(ParamStore, FullTableUpdatesOnlyTheKeysItHolds)
{
    ParamTable table;
    for (int i = 0; i < 101; ++i)
        table.setparam(window_name, "k" + std::to_string(i), i - 1);
    table.setparam(window_name, "new", "1");
    table.setparam(window_name, "k100", "z");
    EXPECT_EQ(table.nparam(), 100);
    EXPECT_EQ(table.getparam(window_name, "new", "none"), "none");
    EXPECT_EQ(table.getparam(window_name, "k100", ""), "z");
    EXPECT_EQ(table.getparam(window_name, "k0", ""), "-1");
}

// A file as found, the rows it gives in UTF-8 (cells ended by '|'), and the file written back (empty: the same bytes).
struct FormatCase {
    std::string name, bytes, rows, written;
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class FileFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FileFormat, ReadsRowsThatWriteBack)
{
    const FormatCase& c = GetParam();
    Records table;
    parse_records(c.bytes, table);
    std::string rows;
    for (std::size_t i = 0; i < table.size(); ++i)
        for (const std::string& cell : table[i])
            rows += cell + '|';
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(format_records(table), c.written.empty() ? c.bytes : c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FileFormat,
    ::testing::Values(FormatCase{"TabsCrLfAndWindows1252", "w\tcct\t1500\r\nCo\xFBt direct\t12\xE9\t\x80 / jour\r\n",
                                 "w|cct|1500|Coût direct|12é|€ / jour|", ""},
                      FormatCase{"FurtherTabsStayInTheValue", "w\tcct\t1\t2\r\n", "w|cct|1\t2|", ""},
                      FormatCase{"LastLineWithoutLineEnd", "a\tb\tc\r\nd\te\tf", "a|b|c|d|e|f|",
                                 "a\tb\tc\r\nd\te\tf\r\n"},
                      FormatCase{"LoneCrEndsALine", "a\tb\tc\rd\te\t\r\n", "a|b|c|d|e||", "a\tb\tc\r\nd\te\t\r\n"},
                      FormatCase{"LoneLfIsACharacter", "a\tb\tc\nd\te\r\n", "a|b|c\nd\te|", ""},
                      FormatCase{"MalformedLinesKeepTheirPlace", "x\r\na\tb\tc\r\n\r\nonly\tone\r\nd\te\tf\r\n\r\n",
                                 "a|b|c|d|e|f|", ""},
                      FormatCase{"UnassignedBytesRoundTrip", "\x81\x8D\x8F\x90\x9D\tk\t\x9F\xFF\x00\x01\r\n"s,
                                 "\u0081\u008D\u008F\u0090\u009D|k|\u0178\u00FF\0\x01|"s, ""}));

TEST(FileFormatLimits, LinesBeyondTheTableStayInPlace)
{
    std::string bytes;
    for (int i = 0; i < 150; ++i)
        bytes += "w\tk" + std::to_string(i) + "\tv\r\n";
    Records table;
    parse_records(bytes, table);
    EXPECT_EQ(table.size(), Records::capacity);
    EXPECT_FALSE(table.append({"w", "new", "1"}));
    EXPECT_EQ(format_records(table), bytes);
}

// CR is dropped; a character Windows-1252 lacks is written '?'.
TEST(FileFormatLimits, WriterMarksWhatItCannotHold)
{
    Records written;
    written.append({"w", "cct", "12\r\n34"});
    written.append({"w", "tst", "x\u65E5y\u0080"});
    EXPECT_EQ(format_records(written), "w\tcct\t12\n34\r\nw\ttst\tx?y?\r\n");
}

// The stored language, the column it picks, and the captions shown after translate_window.
struct LanguageCase {
    const char *name, *langue;
    std::optional<std::size_t> column;
    std::vector<std::string> shown;
};
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

// An empty cell keeps the caption.
const std::string translations = "Risque\tRisk\tRisco\r\nTotal\t\tTotal pt\r\n";

class Language : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(Language, PicksTheColumnOfItsRoundedNumber)
{
    ParamTable params;
    params.setparam(window_name, "langue", GetParam().langue);
    TradTable trad;
    parse_records(translations, trad.rows);
    test::FakeWindow window({"Risque", "", "Total", "Risque"});
    translate_window(params, trad, window);
    EXPECT_EQ(language(params), GetParam().column);
    EXPECT_EQ(window.captions, GetParam().shown);
    // The title, which no row holds, is learnt in the French column only.
    EXPECT_EQ(format_records(trad.rows), translations + "Titre\t\t\r\n");
}

const std::vector<std::string> french{"Risque", "", "Total", "Risque"};

INSTANTIATE_TEST_SUITE_P(Values, Language,
                         ::testing::Values(LanguageCase{"Empty", "", 0, french}, LanguageCase{"Text", "abc", 0, french},
                                           LanguageCase{"OneAndAHalf", "1.5", 2, {"Risco", "", "Total pt", "Risco"}},
                                           LanguageCase{"TwoAndAHalf", "2.5", 2, {"Risco", "", "Total pt", "Risco"}},
                                           LanguageCase{"OneKeepsEmptyCell", "1", 1, {"Risk", "", "Total", "Risk"}},
                                           LanguageCase{"Three", "3", std::nullopt, french},
                                           LanguageCase{"MinusOne", "-1", std::nullopt, french},
                                           LanguageCase{"BeyondRange", "1E999", std::nullopt, french}));

TEST(Translation, FullTableLearnsNothing)
{
    TradTable full;
    for (int i = 0; i < 101; ++i)
        full.rows.append({"c" + std::to_string(i), "", ""});
    test::FakeWindow window({"Risque", "", "Total", "Risque"});
    translate_window(ParamTable{}, full, window);
    EXPECT_EQ(full.ntrad(), 100);
}

}  // namespace
}  // namespace stk

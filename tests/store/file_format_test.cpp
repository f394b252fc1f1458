#include "store/param_table.h"
#include "store/table_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace stk {
namespace {

using namespace std::string_literals;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;

struct FormatCase {
    std::string name;
    std::string bytes;         // the file as found
    std::vector<Record> rows;  // the rows it gives (UTF-8)
    std::string written;       // the file written back; empty: the same bytes
};

std::vector<Record> rows_of(const Records& table)
{
    return {&table[0], &table[0] + table.size()};
}

class FileFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FileFormat, ReadsRowsAndWritesThemBack)
{
    const FormatCase& c = GetParam();
    TempDir dir;
    write_bytes(dir / "f.txt", c.bytes);
    Records table;
    std::ostringstream diag;
    ASSERT_EQ(load_table(dir / "f.txt", table, diag), ReadStatus::read);
    EXPECT_EQ(table.size() ? rows_of(table) : std::vector<Record>{}, c.rows);
    ASSERT_TRUE(save_table(dir / "f.txt", table, diag));
    EXPECT_EQ(read_bytes(dir / "f.txt"), c.written.empty() ? c.bytes : c.written);
    EXPECT_EQ(diag.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FileFormat,
    ::testing::Values(
        FormatCase{"TabsCrLfAndWindows1252",
                   "da_stk_secu\tcct\t1500\r\nCo\xFBt direct\t12\xE9\t\x80 / jour\r\n",
                   {{"da_stk_secu", "cct", "1500"}, {"Coût direct", "12é", "€ / jour"}}, ""},
        FormatCase{"EmptyValue", "da_stk_secu\tcct\t\r\n", {{"da_stk_secu", "cct", ""}}, ""},
        FormatCase{"FurtherTabsStayInTheValue", "da_stk_secu\tcct\t1\t2\r\n",
                   {{"da_stk_secu", "cct", "1\t2"}}, ""},
        FormatCase{"LastLineWithoutLineEnd", "a\tb\tc\r\nd\te\tf", {{"a", "b", "c"}, {"d", "e", "f"}},
                   "a\tb\tc\r\nd\te\tf\r\n"},
        FormatCase{"LoneCrEndsALine", "a\tb\tc\rd\te\tf\r\n", {{"a", "b", "c"}, {"d", "e", "f"}},
                   "a\tb\tc\r\nd\te\tf\r\n"},
        FormatCase{"LoneLfIsACharacter", "a\tb\tc\nd\te\r\n", {{"a", "b", "c\nd\te"}}, ""},
        FormatCase{"MalformedLinesKeepTheirPlace", "x\r\na\tb\tc\r\n\r\nonly\tone\r\nd\te\tf\r\n\r\n",
                   {{"a", "b", "c"}, {"d", "e", "f"}}, ""},
        FormatCase{"ForeignRowsAndDuplicates",
                   "autre\tcct\t1\r\nda_stk_secu\tcct\t2\r\nda_stk_secu\tcct\t3\r\n",
                   {{"autre", "cct", "1"}, {"da_stk_secu", "cct", "2"}, {"da_stk_secu", "cct", "3"}}, ""},
        FormatCase{"UnassignedBytesRoundTrip", "\x81\x8D\x8F\x90\x9D\tk\t\x9F\xFF\x00\x01\r\n"s,
                   {{"\u0081\u008D\u008F\u0090\u009D", "k", "\u0178\u00FF\0\x01"s}}, ""},
        FormatCase{"EmptyFile", "", {}, ""}),
    [](const auto& info) { return info.param.name; });

TEST(FileFormatLimits, LinesBeyondTheTableAreKeptInOrder)
{
    std::string bytes;
    for (int i = 0; i < 150; ++i)
        bytes += "w\tk" + std::to_string(i) + "\tv\r\n";
    TempDir dir;
    write_bytes(dir / "f.txt", bytes);
    ParamTable table;
    std::ostringstream diag;
    load_table(dir / "f.txt", table.rows, diag);
    table.setparam("w", "new", "1");
    EXPECT_EQ(table.nparam(), 100);
    ASSERT_TRUE(save_table(dir / "f.txt", table.rows, diag));
    EXPECT_EQ(read_bytes(dir / "f.txt"), bytes);
}

TEST(FileFormatLimits, WriterDropsCrAndMarksUnwritableCharacters)
{
    ParamTable table;
    table.setparam(window_name, "cct", "12\r\n34");
    table.setparam(window_name, "tst", "x\u65E5y\u0080");
    TempDir dir;
    std::ostringstream diag;
    ASSERT_TRUE(save_table(dir / "f.txt", table.rows, diag));
    EXPECT_EQ(read_bytes(dir / "f.txt"), "da_stk_secu\tcct\t12\n34\r\nda_stk_secu\ttst\tx?y?\r\n");
    ParamTable again;
    load_table(dir / "f.txt", again.rows, diag);
    EXPECT_EQ(again.getparam(window_name, "cct", ""), "12\n34");
}

}  // namespace
}  // namespace stk

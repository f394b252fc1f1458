#include "store/param_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stk {
namespace {

struct ParamCase {
    std::string name;
    std::vector<Record> rows;    // table before
    std::vector<Record> writes;  // setparam calls: window, key, value
    Record query;                // getparam: window, key, fallback
    std::string found;
    std::vector<Record> after;   // table after the writes
};

ParamTable table_of(const std::vector<Record>& rows)
{
    ParamTable table;
    for (const Record& row : rows)
        table.rows.append(row);
    return table;
}

std::vector<Record> rows_of(const ParamTable& table)
{
    std::vector<Record> rows;
    for (std::size_t i = 0; i < table.rows.size(); ++i)
        rows.push_back(table.rows[i]);
    return rows;
}

class ParamStore : public ::testing::TestWithParam<ParamCase> {};

TEST_P(ParamStore, LooksUpAndUpdatesTheFirstMatchingRow)
{
    const ParamCase& c = GetParam();
    ParamTable table = table_of(c.rows);
    for (const Record& w : c.writes)
        table.setparam(w[0], w[1], w[2]);
    EXPECT_EQ(table.getparam(c.query[0], c.query[1], c.query[2]), c.found);
    EXPECT_EQ(rows_of(table), c.after);
    EXPECT_EQ(table.nparam(), static_cast<int>(c.after.size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamStore,
    ::testing::Values(
        ParamCase{"EmptyTable", {}, {}, {"da_stk_secu", "langue", "0"}, "0", {}},
        ParamCase{"EmptyValueIsFound", {{"da_stk_secu", "cct", ""}}, {},
                  {"da_stk_secu", "cct", "x"}, "", {{"da_stk_secu", "cct", ""}}},
        ParamCase{"FirstDuplicateWins",
                  {{"da_stk_secu", "cct", "10"}, {"da_stk_secu", "cct", "20"}},
                  {{"da_stk_secu", "cct", "30"}}, {"da_stk_secu", "cct", ""}, "30",
                  {{"da_stk_secu", "cct", "30"}, {"da_stk_secu", "cct", "20"}}},
        ParamCase{"KeyIsCaseSensitive", {{"da_stk_secu", "cct", "10"}},
                  {{"da_stk_secu", "CCT", "5"}}, {"da_stk_secu", "cct", ""}, "10",
                  {{"da_stk_secu", "cct", "10"}, {"da_stk_secu", "CCT", "5"}}},
        ParamCase{"OtherWindowIsNeverMatched", {{"autre", "cct", "1"}},
                  {{"da_stk_secu", "cct", "2"}}, {"autre", "cct", ""}, "1",
                  {{"autre", "cct", "1"}, {"da_stk_secu", "cct", "2"}}},
        ParamCase{"ThreeWritesLeaveOneRow", {},
                  {{"da_stk_secu", "tst", "1"}, {"da_stk_secu", "tst", "2"}, {"da_stk_secu", "tst", "3"}},
                  {"da_stk_secu", "tst", ""}, "3", {{"da_stk_secu", "tst", "3"}}}),
    [](const auto& info) { return info.param.name; });

TEST(ParamStoreValues, IntegersAreStoredAsDecimalText)
{
    ParamTable table;
    table.setparam(window_name, "langue", 1);
    table.setparam(window_name, "n", -12);
    EXPECT_EQ(rows_of(table), (std::vector<Record>{{"da_stk_secu", "langue", "1"}, {"da_stk_secu", "n", "-12"}}));
}

TEST(ParamStoreValues, FullTableStoresNoNewPairButUpdates)
{
    ParamTable table;
    for (int i = 0; i < 101; ++i)
        table.setparam(window_name, "k" + std::to_string(i), i);
    table.setparam(window_name, "new", "1");
    table.setparam(window_name, "k100", "z");
    EXPECT_EQ(table.nparam(), 100);
    EXPECT_EQ(table.getparam(window_name, "new", "none"), "none");
    EXPECT_EQ(table.getparam(window_name, "k100", ""), "z");
}

}  // namespace
}  // namespace stk

// Decision ranges: within which values of one input the recommended stock stays.
#include "analysis/decision_ranges.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

namespace {

using stk::Field;

stk::Params worked_example() { return stk::calc(stk::worked::field_texts()).params; }

int stock_at(const stk::Params& p, Field f, double value)
{
    return stk::recommend(stk::evaluate(stk::with_value(p, f, value)));
}

// What a walk in small steps (0.05 % apart) from the current value finds on
// one side: the last value that keeps the stock and the first one that does
// not, or nothing within a factor of 1000.
struct Walk {
    bool changed = false;
    double last_same = 0, first_other = 0;
    int other = -1;
};

Walk walk(const stk::Params& p, Field f, int dir)
{
    const double x = stk::param_value(p, f);
    const int stock = stk::recommend(stk::evaluate(p));
    // From 0 the walk goes from 1/1000 to 1000 away.
    const double nearest = x == 0 ? 1e-3 : std::fabs(x) / 1000, farthest = x == 0 ? 1000 : std::fabs(x) * 1000;
    const double ratio = x == 0 || dir * x > 0 ? 1.0005 : 1 / 1.0005;
    Walk w;
    w.last_same = x;
    for (double v = x == 0 ? dir * nearest : x * ratio; std::fabs(v) <= farthest && std::fabs(v) >= nearest;
         v *= ratio) {
        const int s = stock_at(p, f, v);
        if (s != stock) {
            w.changed = true;
            w.first_other = v;
            w.other = s;
            return w;
        }
        w.last_same = v;
    }
    return w;
}

void expect_side_matches_walk(const stk::Params& p, Field f, const stk::RangeSide& side, int dir)
{
    const Walk w = walk(p, f, dir);
    ASSERT_EQ(side.limited, w.changed) << (dir > 0 ? "upper side" : "lower side");
    if (!w.changed) {
        const double x = stk::param_value(p, f);
        EXPECT_DOUBLE_EQ(side.bound, x == 0 ? dir * 1000 : (dir > 0) == (x > 0) ? x * 1000 : x / 1000);
        EXPECT_EQ(side.beyond, -1);
        return;
    }
    const double lo = std::min(w.last_same, w.first_other), hi = std::max(w.last_same, w.first_other);
    EXPECT_GE(side.bound, lo - 1e-6 * std::fabs(lo));
    EXPECT_LE(side.bound, hi + 1e-6 * std::fabs(hi));
    EXPECT_EQ(side.beyond, w.other);
    // Closer than the walk: the stock holds a hair (0.01 %) inside the bound and not a hair beyond it.
    const double hair = dir * 1e-4 * std::fabs(side.bound);
    EXPECT_EQ(stock_at(p, f, side.bound - hair), stk::recommend(stk::evaluate(p)));
    EXPECT_EQ(stock_at(p, f, side.bound + hair), side.beyond);
}

struct FieldCase {
    Field field;
    bool exact;  // the range is worked out, not searched
};
void PrintTo(const FieldCase& c, std::ostream* os) { *os << stk::info(c.field).name; }

class WorkedExampleRange : public testing::TestWithParam<FieldCase> {};

TEST_P(WorkedExampleRange, MatchesAWalkInSmallSteps)
{
    const stk::Params p = worked_example();
    const stk::DecisionRange r = stk::decision_range(p, GetParam().field);
    EXPECT_EQ(r.field, GetParam().field);
    EXPECT_EQ(r.stock, 3);
    EXPECT_EQ(r.value, stk::param_value(p, GetParam().field));
    EXPECT_EQ(r.exact, GetParam().exact);
    expect_side_matches_walk(p, r.field, r.low, -1);
    expect_side_matches_walk(p, r.field, r.high, +1);
}

INSTANTIATE_TEST_SUITE_P(EightInputs, WorkedExampleRange,
                         testing::Values(FieldCase{Field::cct, true}, FieldCase{Field::tst, true},
                                         FieldCase{Field::dat, false}, FieldCase{Field::pst, true},
                                         FieldCase{Field::uut, false}, FieldCase{Field::dvt, false},
                                         FieldCase{Field::crt, true}, FieldCase{Field::nbt, false}));

// The totals of the worked example as its table shows them: levels 2 and 3
// are 458 and 662 of fixed costs plus risks of 216.9994 and 0.07472568 at
// 500 € / day, and level 0 is its risk of 26549.06 alone.
TEST(DecisionRanges, LinearInputsCrossWhereTheTotalsMeet)
{
    const stk::DecisionRanges r = stk::decision_ranges(worked_example());
    const auto& crt = r[std::size_t(Field::crt)];
    EXPECT_TRUE(crt.exact);
    ASSERT_TRUE(crt.low.limited);
    EXPECT_NEAR(crt.low.bound, 204.0 * 500 / (216.9994 - 0.07472568), 1e-6 * 470);
    EXPECT_EQ(crt.low.beyond, 2);

    const auto& cct = r[std::size_t(Field::cct)];
    EXPECT_TRUE(cct.exact);
    ASSERT_TRUE(cct.high.limited);
    EXPECT_NEAR(cct.high.bound, 26549.06 - 662.0747 + 50, 0.01);
    EXPECT_EQ(cct.high.beyond, 0);

    // Level 2 costs 2 × 1.02 × ps + 50 + 216.9994, level 3 3 × 1.02 × ps + 50 + 0.07472568.
    const auto& pst = r[std::size_t(Field::pst)];
    EXPECT_TRUE(pst.exact);
    ASSERT_TRUE(pst.high.limited);
    EXPECT_NEAR(pst.high.bound, (216.9994 - 0.07472568) / 1.02, 1e-4);
    EXPECT_EQ(pst.high.beyond, 2);
}

// The worked example with one input changed, against a walk and a figure
// worked out by hand from its table.
struct ChangedCase {
    const char* name;
    Field field;
    double value;
    int stock;     // recommended with the change
    int beyond;    // stock above the upper bound
    double bound;  // the upper bound
};
void PrintTo(const ChangedCase& c, std::ostream* os) { *os << c.name; }

class ChangedInput : public testing::TestWithParam<ChangedCase> {};

TEST_P(ChangedInput, EndsTheRangeWhereTheEngineSwitches)
{
    const ChangedCase& c = GetParam();
    const stk::Params p = stk::with_value(worked_example(), c.field, c.value);
    const stk::DecisionRange r = stk::decision_range(p, c.field);
    EXPECT_EQ(r.stock, c.stock);
    ASSERT_TRUE(r.high.limited);
    EXPECT_EQ(r.high.beyond, c.beyond);
    EXPECT_NEAR(r.high.bound, c.bound, 1e-4 * c.bound);
    expect_side_matches_walk(p, c.field, r.high, +1);
    expect_side_matches_walk(p, c.field, r.low, -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangedInput,
                         testing::Values(
                             // At a price of 1E35 € every spare costs far more than the stock-out:
                             // level 0. From about 8.34E37 € the order of four spares exceeds the
                             // single-precision range, that step fails and leaves level 4 with its
                             // risk alone, which wins.
                             ChangedCase{"PriceWhoseOrderOverflows", Field::pst, 1e35, 0, 4, FLT_MAX / 4.08},
                             // No stock-out cost: all risks are 0 and level 0 costs nothing, until
                             // its risk (26549.06 at 500 € / day) exceeds level 1's 254 € plus its
                             // risk (534.3407 at 500 € / day).
                             ChangedCase{"EmptyStockOutCost", Field::crt, 0, 0, 1, 254 * 500 / (26549.06 - 534.3407)}));

}  // namespace

// Decision ranges: within which values of one input the recommended stock stays.
#include "analysis/decision_ranges.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

namespace {

using stk::Field;

stk::Params worked_example()
{
    stk::Params p;
    p.cc = 50;
    p.ts = 2;
    p.da = 4;
    p.ps = 200;
    p.uu = 2000;
    p.dv = 10000;
    p.cr = 500;
    p.nb = 3;
    return p;
}

int stock_at(const stk::Params& p, Field f, double value)
{
    return stk::recommend(stk::evaluate(stk::with_value(p, f, value)));
}

// What a walk in small steps (0.01 % apart) from the current value finds on
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
    const double ratio = dir * x > 0 ? 1.0001 : 1 / 1.0001;
    Walk w;
    w.last_same = x;
    for (double v = x * ratio; std::fabs(v) <= std::fabs(x) * 1000 && std::fabs(v) >= std::fabs(x) / 1000; v *= ratio) {
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
        EXPECT_DOUBLE_EQ(side.bound, (dir > 0) == (x > 0) ? x * 1000 : x / 1000);
        EXPECT_EQ(side.beyond, -1);
        return;
    }
    const double lo = std::min(w.last_same, w.first_other), hi = std::max(w.last_same, w.first_other);
    EXPECT_GE(side.bound, lo - 1e-6 * std::fabs(lo));
    EXPECT_LE(side.bound, hi + 1e-6 * std::fabs(hi));
    EXPECT_EQ(side.beyond, w.other);
}

struct FieldCase {
    Field field;
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
    expect_side_matches_walk(p, r.field, r.low, -1);
    expect_side_matches_walk(p, r.field, r.high, +1);
}

INSTANTIATE_TEST_SUITE_P(EightInputs, WorkedExampleRange,
                         testing::Values(FieldCase{Field::cct}, FieldCase{Field::tst}, FieldCase{Field::dat},
                                         FieldCase{Field::pst}, FieldCase{Field::uut}, FieldCase{Field::dvt},
                                         FieldCase{Field::crt}, FieldCase{Field::nbt}));

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

TEST(DecisionRanges, ASideWithoutChangeWithinAFactorOf1000HasNoLimit)
{
    const stk::DecisionRanges r = stk::decision_ranges(worked_example());
    const auto& crt = r[std::size_t(Field::crt)];
    EXPECT_FALSE(crt.high.limited);
    EXPECT_EQ(crt.high.bound, 500000);
    EXPECT_EQ(crt.high.beyond, -1);
    // Cheaper orders or a lower storage rate never make fewer spares better.
    for (Field f : {Field::cct, Field::tst, Field::pst}) {
        EXPECT_FALSE(r[std::size_t(f)].low.limited) << stk::info(f).name;
        EXPECT_DOUBLE_EQ(r[std::size_t(f)].low.bound, stk::param_value(worked_example(), f) / 1000);
    }
}

TEST(DecisionRanges, NonlinearInputsAreFoundToFourSignificantDigits)
{
    const stk::DecisionRanges r = stk::decision_ranges(worked_example());
    for (Field f : {Field::dat, Field::uut, Field::dvt, Field::nbt}) {
        const auto& range = r[std::size_t(f)];
        EXPECT_FALSE(range.exact);
        ASSERT_TRUE(range.low.limited && range.high.limited) << stk::info(f).name;
        for (const stk::RangeSide* side : {&range.low, &range.high}) {
            // The stock holds a hair inside the bound and not a hair (0.01 %) beyond it.
            const double inward = side == &range.low ? 1 : -1;
            EXPECT_EQ(stock_at(worked_example(), f, side->bound * (1 + inward * 1e-4)), 3) << stk::info(f).name;
            EXPECT_EQ(stock_at(worked_example(), f, side->bound * (1 - inward * 1e-4)), side->beyond);
        }
    }
}

// At a price of 1E35 € every spare costs far more than the stock-out: level 0.
// From about 8.34E37 € the order of four spares exceeds the single-precision
// range, that step fails and leaves level 4 with its risk alone, which wins.
TEST(DecisionRanges, AChangeThatMakesAStepFailEndsTheRangeWhereTheEngineSwitches)
{
    stk::Params p = worked_example();
    p.ps = 1e35;
    const stk::DecisionRange r = stk::decision_range(p, Field::pst);
    EXPECT_EQ(r.stock, 0);
    ASSERT_TRUE(r.high.limited);
    EXPECT_EQ(r.high.beyond, 4);
    EXPECT_NEAR(r.high.bound, FLT_MAX / 4.08, 1e-4 * FLT_MAX / 4.08);
    expect_side_matches_walk(p, Field::pst, r.high, +1);
    expect_side_matches_walk(p, Field::pst, r.low, -1);
}

// With every field empty every total is 0 and level 1 is recommended. A zero
// value is searched from -1000 to 1000.
TEST(DecisionRanges, EmptyFieldsGiveFiniteAnswers)
{
    const stk::FieldTexts empty;
    const stk::DecisionRanges r = stk::decision_ranges(empty);
    for (const stk::DecisionRange& range : r) {
        EXPECT_EQ(range.stock, 1);
        EXPECT_EQ(range.value, 0);
        EXPECT_TRUE(std::isfinite(range.low.bound) && std::isfinite(range.high.bound));
    }
    // Only the order cost and the price move any total: any order cost makes
    // level 0 (which orders nothing) cheapest, a negative price level 4.
    for (Field f : {Field::tst, Field::dat, Field::uut, Field::dvt, Field::crt, Field::nbt}) {
        const auto& range = r[std::size_t(f)];
        EXPECT_FALSE(range.low.limited || range.high.limited) << stk::info(f).name;
        EXPECT_EQ(range.low.bound, -1000);
        EXPECT_EQ(range.high.bound, 1000);
    }
    const auto& cct = r[std::size_t(Field::cct)];
    EXPECT_FALSE(cct.low.limited);
    ASSERT_TRUE(cct.high.limited);
    EXPECT_EQ(cct.high.bound, 0);
    EXPECT_EQ(cct.high.beyond, 0);
    const auto& pst = r[std::size_t(Field::pst)];
    ASSERT_TRUE(pst.low.limited && pst.high.limited);
    EXPECT_EQ(pst.low.beyond, 4);
    EXPECT_EQ(pst.high.beyond, 0);
}

// A single field emptied in the worked example: the others hold.
TEST(DecisionRanges, AnEmptyStockOutCostRecommendsOneSpareUpToTheFirstCrossing)
{
    stk::Params p = worked_example();
    p.cr = 0;
    const stk::DecisionRange r = stk::decision_range(p, Field::crt);
    // All risks are 0, level 0 costs nothing: it is recommended until a
    // stock-out cost makes its risk exceed 254 € (level 1: 204 + 50).
    EXPECT_EQ(r.stock, 0);
    ASSERT_TRUE(r.high.limited);
    EXPECT_EQ(r.high.beyond, 1);
    EXPECT_NEAR(r.high.bound * 26549.06 / 500 - r.high.bound * 534.3407 / 500, 254, 0.01);
}

}  // namespace

// The value axis of the chart: when level 0 is cut off, and where the axis runs.
#include "engine/chart_scale.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ScaleCase {
    const char* name;
    stk::ChartValues values;
    bool cut;
    double low, high;
};

class Scale : public ::testing::TestWithParam<ScaleCase> {};

// The axis ends a little above the highest amount it shows in full.
TEST_P(Scale, ShowsLevelsOneToFourReadably)
{
    const auto& [name, values, cut, low, high] = GetParam();
    const stk::ValueScale scale = stk::scale_for(values);
    EXPECT_EQ(scale.level0_cut, cut);
    EXPECT_DOUBLE_EQ(scale.low, low);
    EXPECT_NEAR(scale.high, high, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scale,
    ::testing::Values(ScaleCase{"WorkedExampleCutsLevelZero", stk::worked::chart, true, 0, 935.281296},
                      ScaleCase{"Level0WithinTwiceTheRest", {{{1500, 10}, {1500, 20}, {1500, 800}}}, false, 0, 1620},
                      ScaleCase{"NothingButLevel0", {{{300}, {300}, {300}}}, false, 0, 324},
                      ScaleCase{"AllZero", {}, false, 0, 1.08},
                      ScaleCase{"NegativeAmounts", {{{0, -50}, {0, 10}, {0, 100}}}, false, -50, 112}),
    [](const auto& info) { return std::string(info.param.name); });

struct NiceCase {
    const char* name;
    double low, high;
    stk::NiceAxis axis;
};

class Nice : public ::testing::TestWithParam<NiceCase> {};

TEST_P(Nice, WidensToRoundSteps)
{
    const auto& [name, low, high, expected] = GetParam();
    const stk::NiceAxis axis = stk::nice_axis(low, high);
    EXPECT_DOUBLE_EQ(axis.low, expected.low);
    EXPECT_DOUBLE_EQ(axis.high, expected.high);
    EXPECT_EQ(axis.ticks, expected.ticks);
}

INSTANTIATE_TEST_SUITE_P(Ranges, Nice,
                         ::testing::Values(NiceCase{"WorkedExampleWithHeadroom", 0, 935.28, {0, 1000, 5}},
                                           NiceCase{"BelowTwo", 0, 1.08, {0, 1.5, 4}},
                                           NiceCase{"AcrossZero", -54, 108, {-100, 150, 6}},
                                           NiceCase{"NearFloatMax", 0, 3.6e38, {0, 4e38, 5}},
                                           NiceCase{"Empty", 5, 5, {5, 5, 2}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

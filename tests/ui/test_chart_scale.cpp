// The value axis of the chart: when level 0 is cut off, and where the axis runs.
#include "ui/chart_scale.h"

#include <gtest/gtest.h>

namespace stk::test {
namespace {

struct ScaleCase {
    const char* what;
    ui::ChartValues values;
    bool cut;
    double low;
    double highest_shown;  // the axis ends 8 % above it
};

class Scale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(Scale, ShowsLevelsOneToFourReadably)
{
    const ScaleCase& c = GetParam();
    const ui::ValueScale scale = ui::scale_for(c.values);
    EXPECT_EQ(scale.level0_cut, c.cut);
    EXPECT_DOUBLE_EQ(scale.low, c.low);
    EXPECT_DOUBLE_EQ(scale.high, c.highest_shown + (c.highest_shown - c.low) * 0.08);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scale,
    ::testing::Values(
        ScaleCase{"worked_example",
                  {{{26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
                    {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
                    {26549.06, 788.3407, 674.9994, 662.0747, 866.0012}}},
                  true, 0, 866.0012},
        ScaleCase{"level0_within_twice_the_rest", {{{1500, 10, 0, 0, 0}, {1500, 20, 0, 0, 0}, {1500, 800, 0, 0, 0}}},
                  false, 0, 1500},
        ScaleCase{"nothing_but_level0", {{{300, 0, 0, 0, 0}, {300, 0, 0, 0, 0}, {300, 0, 0, 0, 0}}}, false, 0, 300},
        ScaleCase{"all_zero", {}, false, 0, 1},
        ScaleCase{"negative_amounts", {{{0, -50, 0, 0, 0}, {0, 10, 0, 0, 0}, {0, 100, 0, 0, 0}}}, false, -50, 100}),
    [](const auto& info) { return std::string(info.param.what); });

struct NiceCase {
    double low, high;
    ui::NiceAxis axis;
};

class Nice : public ::testing::TestWithParam<NiceCase> {};

TEST_P(Nice, WidensToRoundSteps)
{
    const auto [low, high, expected] = GetParam();
    const ui::NiceAxis axis = ui::nice_axis(low, high);
    EXPECT_DOUBLE_EQ(axis.low, expected.low);
    EXPECT_DOUBLE_EQ(axis.high, expected.high);
    EXPECT_EQ(axis.ticks, expected.ticks);
    EXPECT_LE(axis.low, low);
    EXPECT_GE(axis.high, high);
}

INSTANTIATE_TEST_SUITE_P(Ranges, Nice, ::testing::Values(
    NiceCase{0, 935.28, {0, 1000, 5}},      // the worked example, with headroom
    NiceCase{0, 1.08, {0, 1.5, 4}},
    NiceCase{-54, 108, {-100, 150, 6}},
    NiceCase{0, 3.6e38, {0, 4e38, 5}},
    NiceCase{5, 5, {5, 5, 2}}));

}  // namespace
}  // namespace stk::test

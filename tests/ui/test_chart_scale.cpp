// The value axis of the chart: when level 0 is cut off, and where the axis runs.
#include "ui/chart_scale.h"

#include "window_helpers.h"

namespace stk::test {
namespace {

// The axis ends 8 % above the highest amount shown.
struct ScaleCase {
    const char* name;
    ui::ChartValues values;
    bool cut;
    double low, highest_shown;
};

class Scale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(Scale, ShowsLevelsOneToFourReadably)
{
    const auto& [name, values, cut, low, highest] = GetParam();
    const ui::ValueScale scale = ui::scale_for(values);
    EXPECT_EQ(scale.level0_cut, cut);
    EXPECT_DOUBLE_EQ(scale.low, low);
    EXPECT_DOUBLE_EQ(scale.high, highest + (highest - low) * 0.08);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scale,
    ::testing::Values(ScaleCase{"WorkedExample",
                                {{{26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
                                  {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
                                  {26549.06, 788.3407, 674.9994, 662.0747, 866.0012}}},
                                true,
                                0,
                                866.0012},
                      ScaleCase{"Level0WithinTwiceTheRest", {{{1500, 10}, {1500, 20}, {1500, 800}}}, false, 0, 1500},
                      ScaleCase{"NothingButLevel0", {{{300}, {300}, {300}}}, false, 0, 300},
                      ScaleCase{"AllZero", {}, false, 0, 1},
                      ScaleCase{"NegativeAmounts", {{{0, -50}, {0, 10}, {0, 100}}}, false, -50, 100}),
    case_name);

struct NiceCase {
    const char* name;
    double low, high;
    ui::NiceAxis axis;
};

class Nice : public ::testing::TestWithParam<NiceCase> {};

TEST_P(Nice, WidensToRoundSteps)
{
    const auto& [name, low, high, expected] = GetParam();
    const ui::NiceAxis axis = ui::nice_axis(low, high);
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
                         case_name);

}  // namespace
}  // namespace stk::test

#include "analysis/fake_form.h"
#include "analysis/flasher.h"

#include <gtest/gtest.h>

namespace stk::testing {
namespace {

// The chosen field after each tick, from the end of the analysis (tick 0).
constexpr std::array<bool, 8> lit_after_tick{true, false, true, false, true, false, true, false};

struct Run {
    const char* name;
    Inputs inputs;
    std::optional<Field> chosen;
};

class Flasher : public ::testing::TestWithParam<Run> {};

TEST_P(Flasher, BlinksSevenTicksThenStops)
{
    FakeForm form(GetParam().inputs);
    Sensitivity state;
    Command4_Click(form, state);
    for (int tick = 0; tick <= 7; ++tick) {
        if (tick > 0)
            Timer1_Timer(form, state);
        const bool lit = GetParam().chosen && lit_after_tick[static_cast<std::size_t>(tick)];
        EXPECT_EQ(form.highlighted(), lit ? std::vector<Field>{*GetParam().chosen} : std::vector<Field>{})
            << "tick " << tick;
        EXPECT_EQ(state.nclig, tick);
        EXPECT_EQ(form.intervals.back(), tick == 7 ? 0 : 500) << "tick " << tick;
    }
    EXPECT_EQ(form.intervals, (std::vector<int>{500, 0}));
    for (const auto& [f, on] : form.highlight_calls)
        EXPECT_NE(std::find(sensitive_fields.begin(), sensitive_fields.end(), f), sensitive_fields.end());
}

const Inputs no_stockout_cost{"50", "2", "4", "200", "2000", "10000", "0", "3"};

INSTANTIATE_TEST_SUITE_P(Analysis, Flasher,
                         ::testing::Values(Run{"with_winner", worked_example, Field::pst},
                                           Run{"without_winner", no_stockout_cost, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlasherRestart, SecondClickStartsAFreshSequence)
{
    FakeForm form;
    Sensitivity state;
    Command4_Click(form, state);
    for (int tick = 0; tick < 3; ++tick)
        Timer1_Timer(form, state);
    Command4_Click(form, state);
    EXPECT_EQ(state.nclig, 0);
    EXPECT_EQ(form.intervals, (std::vector<int>{500, 500}));
    EXPECT_EQ(form.highlighted(), std::vector<Field>{Field::pst});
    for (int tick = 0; tick < 6; ++tick)
        Timer1_Timer(form, state);
    EXPECT_EQ(form.intervals.back(), 500);
    Timer1_Timer(form, state);
    EXPECT_EQ(form.intervals.back(), 0);
    EXPECT_TRUE(form.highlighted().empty());
}

}  // namespace
}  // namespace stk::testing

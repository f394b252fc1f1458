// The analysis button and the flasher's timer, wired to the window and painted on screen.
#include "window_helpers.h"

#include <QTimer>

namespace stk::test {
namespace {

using Names = std::vector<std::string>;

// One tick of the flasher, through the timer's own signal.
void tick(MainWindow& w) { QMetaObject::invokeMethod(w.timer(), "timeout"); }

class AnalysisButton : public Window {
protected:
    void SetUp() override { w.show(), type_worked_example(w), click(w, "Command4"); }
};

TEST_F(AnalysisButton, PaintsTheWinnerLightOrange) { EXPECT_EQ(highlighted_fields(w), Names{"pst"}); }

TEST_F(AnalysisButton, StartsTheTimerAtHalfASecond)
{
    ASSERT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.timer()->interval(), 500);
}

TEST_F(AnalysisButton, TimerTicksBlinkTheWinnerOnScreen)
{
    for (int n = 1; n <= 6; ++n) {
        tick(w);
        EXPECT_EQ(highlighted_fields(w), n % 2 == 0 ? Names{"pst"} : Names{}) << "tick " << n;
    }
}

TEST_F(AnalysisButton, SeventhTickStopsTheTimer)
{
    for (int n = 1; n <= 7; ++n)
        tick(w);
    EXPECT_EQ(highlighted_fields(w), Names{});
    EXPECT_FALSE(w.timer()->isActive());
}

TEST_F(AnalysisButton, LeavesTheShownResultsAsTheModelHoldsThem) { EXPECT_TRUE(shows_model_results(w)); }

}  // namespace
}  // namespace stk::test

// The analysis and assistant buttons wired to the window: the winner blinking on screen with the window's timer, the
// assistant's panel over the frames, and Clear while it is open.
#include "window_helpers.h"

#include <QTimer>

namespace stk::test {
namespace {

// Light orange on screen after even ticks of the half-second timer; the seventh stops it.
TEST_F(Window, AnalysisButtonBlinksTheWinnerWithTheTimer)
{
    w.show(), type_worked_example(w), click(w, "Command4");
    using Names = std::vector<std::string>;
    EXPECT_EQ(highlighted_fields(w), Names{"pst"});
    ASSERT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.timer()->interval(), 500);
    for (int n = 1; n <= 7; ++n) {
        QMetaObject::invokeMethod(w.timer(), "timeout");
        EXPECT_EQ(highlighted_fields(w), n % 2 == 0 ? Names{"pst"} : Names{}) << "tick " << n;
    }
    EXPECT_FALSE(w.timer()->isActive());
}

const std::vector<bool> open{true, false, false, false, false}, closed{false, true, true, true, true};

class Assistant : public Window {
protected:
    void SetUp() override { w.show(), type_worked_example(w), click(w, "Command1"); }
    void type(const char* vp, const char* jt, const char* npi)
    {
        for (auto [name, text] : {std::pair{"vp", vp}, {"jt", jt}, {"npi", npi}})
            box(w, name)->clear(), QTest::keyClicks(box(w, name), text);
    }
    // Whether the panel is shown, then whether Frame1 to Frame4 are enabled.
    std::vector<bool> panel_and_frames() const
    {
        return {w.control("aide_r")->isVisibleTo(&w), w.control("Frame1")->isEnabled(),
                w.control("Frame2")->isEnabled(), w.control("Frame3")->isEnabled(), w.control("Frame4")->isEnabled()};
    }
};

TEST_F(Assistant, OpensOverTheLockedFrames)
{
    EXPECT_EQ(panel_and_frames(), open);
    EXPECT_FALSE(w.control("Command1")->isEnabled());
}

TEST_F(Assistant, CancelClosesThePanel)
{
    click(w, "Command2");
    EXPECT_EQ(panel_and_frames(), closed);
}

TEST_F(Assistant, ConfirmWritesTheEstimateIntoCrt)
{
    type("10", "200", "4");
    click(w, "Command3");
    EXPECT_EQ(panel_and_frames(), closed);
    EXPECT_EQ(box(w, "crt")->text(), "12500");
    EXPECT_TRUE(shows_model_results(w));
}

TEST_F(Assistant, ClearEmptiesEveryTextBoxOnScreen)
{
    type("10", "200", "4");
    click(w, "Picture2");
    for (const QLineEdit* edit : w.findChildren<QLineEdit*>())
        EXPECT_EQ(edit->text(), "") << edit->objectName().toStdString();
    EXPECT_EQ(panel_and_frames(), open);
}

}  // namespace
}  // namespace stk::test

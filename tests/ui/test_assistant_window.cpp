// The stock-out-cost assistant, opened, confirmed and cancelled in the window, and Clear while it is open.
#include "window_helpers.h"

namespace stk::test {
namespace {

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

TEST_F(Assistant, OpensOverTheFramesAndCancelKeepsCrtAndTheTypedTexts)
{
    EXPECT_EQ(panel_and_frames(), open);
    EXPECT_FALSE(w.control("Command1")->isEnabled());
    type("10", "200", "4");
    click(w, "Command2");
    EXPECT_EQ(panel_and_frames(), closed);
    EXPECT_EQ(box(w, "crt")->text(), "500");
    click(w, "Command1");
    EXPECT_EQ(QStringList({box(w, "vp")->text(), box(w, "jt")->text(), box(w, "npi")->text()}),
              QStringList({"10", "200", "4"}));
}

TEST_F(Assistant, ClearEmptiesEveryTextBoxAndKeepsItOpen)
{
    type("10", "200", "4");
    click(w, "Picture2");
    std::vector<std::string> texts;
    for (std::size_t pos = 0; pos < w.control_count(); ++pos)
        if (w.is_text_box(pos))
            texts.push_back(w.text(pos));
    EXPECT_EQ(texts, std::vector<std::string>(37));
    EXPECT_EQ(panel_and_frames(), open);
}

// What is typed into the assistant, what crt and jt show afterwards, and the locale.
struct Estimate {
    const char *name, *vp, *jt, *npi, *crt, *jt_after;
    bool french = false;
};

class Confirm : public Assistant, public ::testing::WithParamInterface<Estimate> {};

TEST_P(Confirm, WritesTheEstimateIntoCrtAndRecalculates)
{
    const Estimate& e = GetParam();
    const DefaultLocale locale(e.french ? QLocale(QLocale::French, QLocale::France) : QLocale());
    type(e.vp, e.jt, e.npi);
    click(w, "Command3");
    EXPECT_EQ(panel_and_frames(), closed);
    EXPECT_EQ(box(w, "crt")->text(), e.crt);
    EXPECT_EQ(box(w, "jt")->text(), e.jt_after);
    EXPECT_EQ(box(w, "npi")->text(), e.npi);
    EXPECT_TRUE(shows_results_of(w, texts_of(w)));
}

INSTANTIATE_TEST_SUITE_P(Cases, Confirm,
                         ::testing::Values(Estimate{"TenMillionsOverFourProcesses", "10", "200", "4", "12500", "200"},
                                           Estimate{"NoDaysAndNoProcesses", "1", "0", "0", "5000", "200"},
                                           Estimate{"RoundedDown", "1", "365", "1", "2739", "365"},
                                           Estimate{"NegativeRoundedDown", "-1", "300", "1", "-3334", "300"},
                                           Estimate{"NotANumber", "abc", "200", "1", "0", "200"},
                                           Estimate{"FailingDivision", "1", "1e-200", "1e-200", "500", "1e-200"},
                                           Estimate{"FrenchComma", "2,5", "250", "1", "10000", "250", true}),
                         case_name);

}  // namespace
}  // namespace stk::test

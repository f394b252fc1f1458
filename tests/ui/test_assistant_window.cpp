// The stock-out-cost assistant, opened, confirmed and cancelled in the window.
#include "window_helpers.h"

#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

constexpr const char* frame_names[] = {"Frame1", "Frame2", "Frame3", "Frame4"};

void click(da_stk_secu& w, std::string_view button) { QTest::mouseClick(w.control(button), Qt::LeftButton); }

bool panel_open(const da_stk_secu& w) { return w.control("aide_r")->isVisibleTo(&w); }

::testing::AssertionResult frames_enabled(const da_stk_secu& w, bool enabled)
{
    for (const char* frame : frame_names)
        if (w.control(frame)->isEnabled() != enabled)
            return ::testing::AssertionFailure() << frame << (enabled ? " is disabled" : " is enabled");
    return ::testing::AssertionSuccess();
}

class AssistantPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.show();
        type_worked_example(w);
        click(w, "Command1");
    }
    void type(const char* vp, const char* jt, const char* npi)
    {
        for (auto [name, text] : {std::pair{"vp", vp}, {"jt", jt}, {"npi", npi}}) {
            box(w, name)->clear();
            QTest::keyClicks(box(w, name), QString::fromUtf8(text));
        }
    }
    Fresh fresh;
    da_stk_secu& w = fresh.w;
};

TEST_F(AssistantPanel, OpensOverTheFramesAndLocksThem)
{
    EXPECT_TRUE(panel_open(w));
    EXPECT_TRUE(frames_enabled(w, false));
    for (const char* name : {"crt", "cct", "tt"})
        EXPECT_FALSE(w.control(name, name == std::string_view("tt") ? 0 : ui::no_index)->isEnabled()) << name;
    EXPECT_FALSE(w.control("Command1")->isEnabled());
    EXPECT_FALSE(w.control("Command4")->isEnabled());
    EXPECT_TRUE(box(w, "vp")->isEnabled());
    EXPECT_TRUE(w.control("Command3")->isEnabled());
}

TEST_F(AssistantPanel, Command1CannotBeClickedWhileItIsOpen)
{
    QSignalSpy clicks(qobject_cast<QPushButton*>(w.control("Command1")), &QPushButton::clicked);
    click(w, "Command1");
    EXPECT_EQ(clicks.count(), 0);
    click(w, "Command2");
    click(w, "Command1");
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(panel_open(w));
}

struct Estimate {
    const char* name;
    const char* vp;
    const char* jt;
    const char* npi;
    const char* crt;  // what crt shows afterwards
    const char* jt_after;
};

const Estimate estimates[] = {
    {"TenMillionsOverFourProcesses", "10", "200", "4", "12500", "200"},
    {"NoDaysAndNoProcesses", "1", "0", "0", "5000", "200"},
    {"RoundedDown", "1", "365", "1", "2739", "365"},
    {"NegativeRoundedDown", "-1", "300", "1", "-3334", "300"},
    {"NotANumber", "abc", "200", "1", "0", "200"},
    {"EmptyDays", "1", "", "1", "5000", "200"},
    {"DivisionThatCannotBeComputed", "1", "1e-200", "1e-200", "500", "1e-200"},
};

class Confirm : public AssistantPanel, public ::testing::WithParamInterface<Estimate> {};

TEST_P(Confirm, WritesTheEstimateIntoCrtAndRecalculates)
{
    const Estimate& e = GetParam();
    type(e.vp, e.jt, e.npi);
    click(w, "Command3");
    EXPECT_FALSE(panel_open(w));
    EXPECT_TRUE(frames_enabled(w, true));
    EXPECT_EQ(box(w, "crt")->text(), e.crt);
    EXPECT_EQ(box(w, "jt")->text(), e.jt_after);
    EXPECT_EQ(box(w, "npi")->text(), e.npi);
    EXPECT_EQ(box(w, "vp")->text(), e.vp);
    EXPECT_TRUE(shows_results_of(w, texts_of(w)));
}

INSTANTIATE_TEST_SUITE_P(Cases, Confirm, ::testing::ValuesIn(estimates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssistantPanel, TheRecalculationFollowsTheNewStockOutCost)
{
    const std::string total_before = box(w, "tt", 0)->text().toStdString();
    type("10", "200", "4");
    click(w, "Command3");
    Texts expected = texts_of(w);
    EXPECT_EQ(expected[static_cast<std::size_t>(Field::crt)], "12500");
    EXPECT_TRUE(shows_results_of(w, expected));
    EXPECT_NE(box(w, "tt", 0)->text().toStdString(), total_before);
}

TEST_F(AssistantPanel, ReadsACommaDecimalInAFrenchLocale)
{
    const DefaultLocale french(QLocale(QLocale::French, QLocale::France));
    type("2,5", "250", "1");
    click(w, "Command3");
    EXPECT_EQ(box(w, "crt")->text(), "10000");
    EXPECT_TRUE(shows_results_of(w, texts_of(w)));
    EXPECT_TRUE(box(w, "rt", 1)->text().contains(u',')) << box(w, "rt", 1)->text().toStdString();
}

TEST_F(AssistantPanel, ThePointIsNotADecimalSeparatorInAFrenchLocale)
{
    const DefaultLocale french(QLocale(QLocale::French, QLocale::France));
    type("2.5", "250", "1");
    click(w, "Command3");
    EXPECT_EQ(box(w, "crt")->text(), "0");
}

TEST_F(AssistantPanel, CancelKeepsCrtAndWhatWasTyped)
{
    type("10", "200", "4");
    click(w, "Command2");
    EXPECT_FALSE(panel_open(w));
    EXPECT_TRUE(frames_enabled(w, true));
    EXPECT_EQ(box(w, "crt")->text(), "500");
    click(w, "Command1");
    EXPECT_EQ(box(w, "vp")->text(), "10");
    EXPECT_EQ(box(w, "jt")->text(), "200");
    EXPECT_EQ(box(w, "npi")->text(), "4");
}

}  // namespace
}  // namespace stk::test

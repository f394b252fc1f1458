// Where the controls are, the order the keyboard and the walks visit them, and
// what they are called.
#include "window_helpers.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

struct Placement {
    const char* name;
    int index;
    const char* container;  // empty: the window
    QRect pixels;
};

class Layout : public ::testing::TestWithParam<Placement> {};

TEST_P(Layout, PutsTheControlWhereTheTableSays)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    const Placement& p = GetParam();
    QWidget* control = w.control(p.name, p.index);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), p.pixels);
    const QWidget* container = *p.container ? w.control(p.container) : &w;
    EXPECT_EQ(control->parentWidget(), container);
}

INSTANTIATE_TEST_SUITE_P(Controls, Layout,
                         ::testing::Values(Placement{"tt", 2, "Frame1", {372, 114, 73, 19}},
                                           Placement{"Command1", -1, "Frame4", {304, 126, 25, 25}},
                                           Placement{"ln", 1, "", {888, 436, 32, 22}},
                                           Placement{"g", -1, "", {340, 0, 589, 255}},
                                           Placement{"sst", 5, "Frame2", {60, 28, 37, 30}},
                                           Placement{"Line1", 2, "Frame1", {372, 110, 73, 1}},
                                           Placement{"aide_r", -1, "", {204, 104, 449, 95}},
                                           Placement{"Etiquette30", 26, "Frame1", {648, 116, 21, 17}},
                                           Placement{"site_web", -1, "", {8, 422, 201, 17}}));

TEST(Window, HasItsFixedClientAreaTitleAndHiddenAssistant)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    EXPECT_EQ(w.size(), QSize(929, 495));
    EXPECT_EQ(w.title(), "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance");
    EXPECT_FALSE(w.control("aide_r")->isVisibleTo(&w));
    EXPECT_FALSE(w.windowIcon().isNull());
}

TEST(Window, EarlierControlsAreDrawnInFront)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    w.show_assistant(true);
    const QWidget* over_chart = w.childAt(400, 120);
    ASSERT_NE(over_chart, nullptr);
    EXPECT_TRUE(over_chart == w.control("aide_r") || w.control("aide_r")->isAncestorOf(over_chart));
    EXPECT_EQ(w.childAt(600, 252), w.control("Frame1"));
}

std::vector<std::string> tab_walk(QWidget* start)
{
    std::vector<std::string> names;
    QWidget* widget = start;
    do {
        // The widgets that Tab stops at: a widget with a focus proxy hands it on.
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->focusProxy())
            names.push_back(widget->objectName().toStdString());
        widget = widget->nextInFocusChain();
    } while (widget != start);
    return names;
}

TEST(KeyboardOrder, RunsFromTheArticleFieldsThroughTheResultsToTheButtons)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    w.show();
    std::vector<std::string> expected{"nbt", "dat", "pst", "uut", "dvt", "crt", "cct", "tst"};
    for (int i = 0; i < 5; ++i)
        for (const char* line : {"sst", "rt", "cdt", "cgt", "tt"})
            expected.push_back(std::string(line) + "(" + std::to_string(i) + ")");
    for (const char* name : {"sst(5)", "g", "Command1", "validation", "Picture2", "Command4"})
        expected.emplace_back(name);
    EXPECT_EQ(tab_walk(w.control("nbt")), expected);
}

TEST(KeyboardOrder, ReachesOnlyTheAssistantAndTheWindowButtonsWhileItIsOpen)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    w.show();
    w.show_assistant(true);
    w.enable_frames(false);
    const std::vector<std::string> expected{"g",   "validation", "Picture2", "vp",
                                            "npi", "Command2",   "Command3", "jt"};
    EXPECT_EQ(tab_walk(w.control("g")), expected);
}

TEST(KeyboardOrder, TabMovesFromAFieldToTheNext)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.control("nbt")->setFocus();
    QTest::keyClick(w.control("nbt"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.control("dat"));
}

TEST(ControlWalk, VisitsTheTextBoxesInTheControlOrderUnderTheirArrayNames)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    std::vector<std::string> boxes;
    std::size_t captions = 0;
    for (std::size_t pos = 0; pos < w.control_count(); ++pos) {
        if (w.is_text_box(pos))
            boxes.push_back(w.control_name(pos));
        captions += w.has_caption(pos) ? 1 : 0;
    }
    std::vector<std::string> expected{"jt", "npi", "vp", "dat", "pst", "uut", "dvt", "crt", "nbt", "cct", "tst", "sst"};
    for (int i = 0; i < 5; ++i)
        expected.insert(expected.end(), {"rt", "sst", "cdt", "cgt", "tt"});
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(w.control_count(), 107u);
    EXPECT_EQ(captions, 60u);  // 47 labels, 2 links, 5 frames, 6 buttons
    EXPECT_EQ(w.control_name(0), "Timer1");
    EXPECT_EQ(w.caption(static_cast<std::size_t>(ui::find_control("Command4"))), "Paramètre le plus sensible");
    // A flag has no caption: setting one leaves its picture alone.
    const auto flag = static_cast<std::size_t>(ui::find_control("ln", 0));
    w.set_caption(flag, "x");
    EXPECT_EQ(w.caption(flag), "");
    EXPECT_FALSE(qobject_cast<QLabel*>(w.control("ln", 0))->pixmap().isNull());
}

// The part of a label that no text box in front of it covers.
int visible_width(const QLabel* label)
{
    int right = label->geometry().right() + 1;
    for (const QLineEdit* field : label->parentWidget()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        if (field->geometry().intersects(label->geometry()) && field->x() > label->x())
            right = std::min(right, field->x());
    return right - label->x();
}

TEST(Fit, EveryCaptionFitsWhereItCanBeSeen)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    for (const QLabel* label : w.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), visible_width(label))
            << label->objectName().toStdString();
    }
}

TEST(Fit, TheWorkedExampleResultsFitTheirBoxes)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    type_worked_example(w);
    for (const QLineEdit* field : w.findChildren<QLineEdit*>()) {
        const int text_area = field->width() - 2 - 4;  // border and the box's inner margins
        EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), text_area)
            << field->objectName().toStdString();
    }
}

TEST(Accessibility, TextBoxesAreNamedAfterTheirCaptionsAndFollowThem)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    EXPECT_EQ(box(w, "nbt")->accessibleName(), "Nb pièces actives");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risque, stock 2");
    EXPECT_EQ(box(w, "sst", 5)->accessibleName(), "Stock de Sécurité");
    EXPECT_EQ(qobject_cast<QLabel*>(w.control("Etiquette27", 12))->buddy(), box(w, "nbt"));
    EXPECT_EQ(w.control("Picture2")->accessibleName(), "Effacer tout");
    EXPECT_FALSE(w.control("g")->accessibleName().isEmpty());

    w.set_caption(static_cast<std::size_t>(ui::find_control("Etiquette27", 7)), "Risk");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risk, stock 2");
    auto* bars = qobject_cast<QBarSeries*>(qobject_cast<QChartView*>(w.control("g"))->chart()->series().at(0));
    EXPECT_EQ(bars->barSets().at(1)->label(), "Risk + Coût direct");
}

}  // namespace
}  // namespace stk::test

// The chart painted with QPainter: the bars it draws, its value axis, its
// captions and the text a screen reader gets, offscreen.
#include "window_helpers.h"

#include <QPainter>
#include <QScreen>
#include <cmath>

namespace stk::test {
namespace {

// The worked example's level 0 is far above the rest; these amounts make an axis from 0 to 1500 in steps of 500.
const ChartValues round{{{750, 300, 200, 100, 0}, {900, 400, 300, 200, 100}, {1000, 600, 500, 400, 300}}};

const ui::ChartNames french{{"Risque", "Risque + Coût direct", "Total"}, "Stock de Sécurité"};
const ui::ChartNames english{{"Risk", "Risk + Direct cost", "Total"}, "Safety stock"};

// The worked example charted with French captions, numbers written the English way.
class BarChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(589, 255);
        chart.view()->setGeometry(0, 0, 589, 255);
        chart.refill(worked::chart, french);
    }

    QImage painted() const
    {
        QImage image(chart.view()->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        chart.view()->render(&image);
        return image;
    }

    QString accessible(QAccessible::Text kind) const { return read_aloud(chart.view(), kind); }

    DefaultLocale english_numbers{QLocale(QLocale::English, QLocale::UnitedStates)};
    QWidget window;
    ui::BarChart chart{&window};
};

TEST_F(BarChartTest, DrawsEachBarUpToItsAmount)
{
    chart.refill(round, french);
    const BarChartLayout& layout = chart.view()->current_layout();
    ASSERT_GT(layout.plot.height(), 50);
    const QImage image = painted();
    // On an axis from 0 to 1500, 750 reaches half the plot's height.
    const auto colour_at = [&](int series, int level, double share_of_height) {
        const QRectF bar = layout.bar(series, level);
        const QPoint at(int(bar.center().x()), int(layout.plot.bottom() - share_of_height * layout.plot.height()));
        return image.pixelColor(at);
    };
    EXPECT_EQ(colour_at(0, 0, 0.45), bar_colours[0]);
    EXPECT_NE(colour_at(0, 0, 0.55), bar_colours[0]);
    EXPECT_EQ(colour_at(2, 0, 0.62), bar_colours[2]);  // 1000 of 1500 is two thirds
    EXPECT_NE(colour_at(2, 0, 0.71), bar_colours[2]);
    EXPECT_EQ(colour_at(1, 1, 0.24), bar_colours[1]);  // 400 of 1500
    EXPECT_NE(colour_at(1, 1, 0.30), bar_colours[1]);
    EXPECT_TRUE(layout.cut_mark.isEmpty()) << "no level is cut";
    // Level 4 of the risk is 0: no bar rises there.
    EXPECT_NE(colour_at(0, 4, 0.05), bar_colours[0]);
    // The bars stand side by side, in the series' order, inside the plot.
    for (int level = 0; level < 5; ++level) {
        EXPECT_LT(layout.bar(0, level).right(), layout.bar(1, level).center().x());
        EXPECT_LT(layout.bar(1, level).right(), layout.bar(2, level).center().x());
        EXPECT_GT(layout.bar(0, level).left(), layout.plot.left());
        EXPECT_LT(layout.bar(2, level).right(), layout.plot.right());
    }
}

TEST_F(BarChartTest, CutLevelZeroShowsItsAmountAboveTheBars)
{
    const BarChartLayout& layout = chart.view()->current_layout();
    EXPECT_DOUBLE_EQ(layout.axis.high, 1000);
    EXPECT_EQ(layout.value_labels, (std::vector<QString>{"0", "250", "500", "750", "1000"}));
    EXPECT_EQ(layout.cut_mark, QStringLiteral("▲ 26549.06"));
    // Above the plot, over level 0.
    EXPECT_LT(layout.cut_mark_at.y(), layout.plot.top());
    EXPECT_LT(layout.cut_mark_at.x(), layout.bar(1, 0).center().x());
    EXPECT_GT(layout.cut_mark_at.x(), layout.plot.left());
    // The cut bars fill the plot up to its top.
    const QImage image = painted();
    const QRectF bar = chart.view()->current_layout().bar(2, 0);
    EXPECT_EQ(image.pixelColor(int(bar.center().x()), int(layout.plot.top() + 2)), bar_colours[2]);
}

TEST_F(BarChartTest, WritesNumbersTheUsersWay)
{
    DefaultLocale french_numbers(QLocale(QLocale::French, QLocale::France));
    chart.refill(worked::chart, french);
    EXPECT_EQ(chart.view()->current_layout().cut_mark, QStringLiteral("▲ 26549,06"));
    EXPECT_TRUE(accessible(QAccessible::Description).endsWith("Total 866,0012."));
    const ChartValues small{{{0.2, 0.1}, {0.2, 0.15}, {0.2, 0.2}}};
    chart.refill(small, french);
    EXPECT_EQ(chart.view()->current_layout().value_labels, (std::vector<QString>{"0", "0,1", "0,2", "0,3"}));
}

TEST_F(BarChartTest, CaptionsFollowRename)
{
    chart.rename(english);
    const BarChartLayout& layout = chart.view()->current_layout();
    EXPECT_EQ(layout.legend[1], QStringLiteral("Risk + Direct cost"));
    EXPECT_EQ(layout.title, QStringLiteral("Safety stock"));
    EXPECT_EQ(layout.cut_mark, QStringLiteral("▲ 26549.06"));  // the values stay
}

TEST_F(BarChartTest, LongCaptionsAreCutToWhatFits)
{
    ui::ChartNames names = french;
    names.series[1] = QString(100000, QChar('x'));
    names.levels = QString(100000, QChar('y'));
    chart.refill(worked::chart, names);
    // What the chart keeps does not grow with what it was given.
    EXPECT_LE(chart.view()->content().series[1].size(), BarChartContent::caption_limit);
    EXPECT_LE(chart.view()->content().levels.size(), BarChartContent::caption_limit);
    const BarChartLayout& layout = chart.view()->current_layout();
    EXPECT_TRUE(layout.legend[1].endsWith(QChar(0x2026))) << layout.legend[1].left(20).toStdString();
    EXPECT_TRUE(layout.title.endsWith(QChar(0x2026)));
    // The legend's three items still show side by side within the card.
    EXPECT_EQ(layout.legend[0], QStringLiteral("Risque"));
    EXPECT_EQ(layout.legend[2], QStringLiteral("Total"));
    EXPECT_LT(layout.legend_text[1].x(), layout.legend_marks[2].left());
    EXPECT_GE(layout.legend_marks[0].left(), layout.background.left());
    EXPECT_LE(layout.legend_marks[2].right(), layout.background.right());
}

TEST_F(BarChartTest, ScreenReaderGetsTheDataInWordsWhenItAsks)
{
    // Nothing is written at each refill; the text is made on request.
    EXPECT_TRUE(chart.view()->accessibleDescription().isEmpty());
    EXPECT_EQ(accessible(QAccessible::Description),
              "Stock de Sécurité 0: Risque 26549.06, Risque + Coût direct 26549.06, Total 26549.06. "
              "Stock de Sécurité 1: Risque 534.3407, Risque + Coût direct 574.3407, Total 788.3407. "
              "Stock de Sécurité 2: Risque 216.9994, Risque + Coût direct 296.9994, Total 674.9994. "
              "Stock de Sécurité 3: Risque 0.07472568, Risque + Coût direct 120.0747, Total 662.0747. "
              "Stock de Sécurité 4: Risque 0.001140828, Risque + Coût direct 160.0011, Total 866.0012.");
    chart.rename(english);
    EXPECT_TRUE(accessible(QAccessible::Description).startsWith("Safety stock 0: Risk 26549.06, Risk + Direct cost"));
}

TEST_F(BarChartTest, AccessibleNameIsTheWindowsOrElseTheLevelsCaption)
{
    EXPECT_EQ(accessible(QAccessible::Name), QStringLiteral("Stock de Sécurité"));
    chart.view()->setAccessibleName(QStringLiteral("Graphique des coûts par stock de sécurité"));
    EXPECT_EQ(accessible(QAccessible::Name), QStringLiteral("Graphique des coûts par stock de sécurité"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(chart.view());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Chart);
}

// Uncovered, or with an opaque widget over its lower right corner, so that
// what it paints is a region of several rectangles.
class ChartRepaint : public BarChartTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ChartRepaint, GivesThePixelsOfAPaintFromScratch)
{
    const QRect covered = GetParam() ? QRect(420, 150, 169, 105) : QRect();
    if (GetParam()) {
        auto* cover = new QWidget(&window);
        cover->setAutoFillBackground(true);
        cover->setGeometry(covered);
        cover->raise();
    }
    ChartValues nudged = worked::chart, gap = worked::chart;
    nudged[2][1] -= 300;  // the axis stays: only the bars are drawn again
    nudged[0][3] /= 2;    // a bar at the foot of the plot, over the levels axis
    gap[1][2] = std::nan("");
    ChartValues raised = nudged;
    raised[2][0] += 1000;  // the same axis, another amount above the cut bars
    // The first paint draws the backdrop straight; the later ones lay the kept
    // picture of it and repaint only around the bars that moved.
    const std::vector<std::pair<ChartValues, ui::ChartNames>> steps{
        {round, french},  {worked::chart, french}, {nudged, french},  {gap, french},
        {nudged, french}, {raised, french},        {nudged, english}, {round, english}};
    window.show();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        chart.refill(steps[i].first, steps[i].second);
        QCoreApplication::processEvents();
        const QImage shown =
            window.screen()->grabWindow(window.winId(), 0, 0, 589, 255).toImage().convertToFormat(QImage::Format_RGB32);
        QImage fresh(shown.size(), QImage::Format_RGB32);
        QPainter painter(&fresh);
        const BarChartContent& content = chart.view()->content();
        const BarChartLayout layout = lay_out_bar_chart(content, fresh.size());
        paint_bar_chart(painter, content, layout);
        painter.end();
        const QRect card = layout.background.toAlignedRect();  // around it, the window shows through
        QImage seen = shown.copy(card), expected = fresh.copy(card);
        for (QImage* image : {&seen, &expected})
            QPainter(image).fillRect(covered.translated(-card.topLeft()), Qt::black);
        EXPECT_EQ(seen, expected) << "step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cover, ChartRepaint, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& covered) {
                             return std::string(covered.param ? "PartlyCovered" : "Uncovered");
                         });

}  // namespace
}  // namespace stk::test

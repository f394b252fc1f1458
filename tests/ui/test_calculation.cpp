// Typing into the window fills the results table, the recommended stock and the chart.
#include "window_helpers.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

struct ResultLine {
    const char* name;
    std::array<const char*, 5> shown;
};

const ResultLine worked_results[] = {
    {"sst", {"0", "1", "2", "3", "4"}},
    {"rt", {"26549.06", "534.3407", "216.9994", "0.07472568", "0.001140828"}},
    {"cdt", {"0", "40", "80", "120", "160"}},
    {"cgt", {"0", "214", "378", "542", "706"}},
    {"tt", {"26549.06", "788.3407", "674.9994", "662.0747", "866.0012"}},
};

class WorkedExample : public ::testing::TestWithParam<ResultLine> {
protected:
    void SetUp() override { type_worked_example(window); }
    Fresh fresh;
    da_stk_secu& window = fresh.w;
};

TEST_P(WorkedExample, FillsTheLineOfTheResultsTable)
{
    for (int level = 0; level < 5; ++level)
        EXPECT_EQ(box(window, GetParam().name, level)->text().toStdString(), GetParam().shown[level])
            << GetParam().name << "(" << level << ")";
    EXPECT_EQ(box(window, "sst", 5)->text(), "3");
}

INSTANTIATE_TEST_SUITE_P(Lines, WorkedExample, ::testing::ValuesIn(worked_results),
                         [](const auto& info) { return std::string(info.param.name); });

QBarSeries* bars(const da_stk_secu& w)
{
    return qobject_cast<QBarSeries*>(qobject_cast<QChartView*>(w.control("g"))->chart()->series().at(0));
}

TEST(Chart, HoldsTheThreeCumulativeSeriesOverLevelsZeroToFour)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    type_worked_example(w);
    const std::array<std::array<double, 5>, 3> expected{{
        {26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
        {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
        {26549.06, 788.3407, 674.9994, 662.0747, 866.0012},
    }};
    const QList<QBarSet*> sets = bars(w)->barSets();
    ASSERT_EQ(sets.size(), 3);
    for (int s = 0; s < 3; ++s)
        for (int level = 0; level < 5; ++level)
            EXPECT_NEAR(sets[s]->at(level), expected[s][level], expected[s][level] * 1e-6) << s << "," << level;
    auto* levels = qobject_cast<QBarCategoryAxis*>(bars(w)->attachedAxes().at(0));
    ASSERT_NE(levels, nullptr);
    EXPECT_EQ(levels->categories(), QStringList({"0", "1", "2", "3", "4"}));
    EXPECT_EQ(sets[0]->label(), "Risque");
    EXPECT_EQ(sets[1]->label(), "Risque + Coût direct");
    EXPECT_EQ(sets[2]->label(), "Total");
}

TEST(Chart, CutsTheDominantLevelZeroAtTheHighestOtherAmount)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    type_worked_example(w);
    auto* amounts = qobject_cast<QValueAxis*>(bars(w)->attachedAxes().at(1));
    ASSERT_NE(amounts, nullptr);
    EXPECT_GE(amounts->max(), 866.0012);
    EXPECT_LT(amounts->max(), 26549.06);
    EXPECT_EQ(amounts->min(), 0);
    const QString description = w.control("g")->accessibleDescription();
    EXPECT_TRUE(description.contains("26549.06")) << description.toStdString();
    EXPECT_TRUE(description.contains("866.0012")) << description.toStdString();
}

TEST(Locale, FrenchResultsShowACommaAsDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    {
        Fresh fresh;
        da_stk_secu& w = fresh.w;
        type_worked_example(w);
        EXPECT_EQ(box(w, "rt", 1)->text(), "534,3407");
        EXPECT_EQ(w.decimal_separator(), ",");
    }
    QLocale::setDefault(saved);
}

TEST(Recalculation, SettingAFieldFromCodeRecalculatesBeforeItReturns)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    for (const Typed& t : worked_example) {
        const std::size_t pos = static_cast<std::size_t>(ui::find_control(t.field));
        w.set_text(pos, t.text);
    }
    EXPECT_EQ(w.result_text(Line::rt, 1), "534.3407");
    w.set_field_text(Field::crt, "1000");
    EXPECT_EQ(w.result_text(Line::rt, 1), "1068.681");
    EXPECT_EQ(w.recommended_text(), "3");
}

TEST(Recalculation, ResultsBoxesStartNothing)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    type_worked_example(w);
    box(w, "rt", 0)->setText("7");
    QTest::keyClicks(box(w, "sst", 5), "9");
    EXPECT_EQ(w.result_text(Line::tt, 0), "26549.06");
    EXPECT_EQ(w.recommended_text(), "39");
}

TEST(Recalculation, AnEmptyWindowRecommendsOnePart)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    EXPECT_EQ(w.recommended_text(), "1");
    EXPECT_EQ(w.result_text(Line::tt, 4), "0");
}

}  // namespace
}  // namespace stk::test

// Typing into the window fills the results table, the recommended stock and the chart.
#include "window_helpers.h"

#include <QBarCategoryAxis>
#include <QBarSet>

namespace stk::test {
namespace {

// The worked example's results, one line per result array, and the chart's three series.
const std::pair<const char*, std::array<QString, 5>> worked_results[] = {
    {"sst", {"0", "1", "2", "3", "4"}},
    {"rt", {"26549.06", "534.3407", "216.9994", "0.07472568", "0.001140828"}},
    {"cdt", {"0", "40", "80", "120", "160"}},
    {"cgt", {"0", "214", "378", "542", "706"}},
    {"tt", {"26549.06", "788.3407", "674.9994", "662.0747", "866.0012"}}};
const double worked_chart[3][5] = {{26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
                                   {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
                                   {26549.06, 788.3407, 674.9994, 662.0747, 866.0012}};

struct LocaleCase {
    const char* name;
    QLocale locale;
    QChar decimal_point;
};

class WorkedExample : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(WorkedExample, FillsTheTableTheRecommendedStockAndTheChartAndFollowsAFieldSetFromCode)
{
    const DefaultLocale locale(GetParam().locale);
    Fresh fresh;
    type_worked_example(fresh.w);
    for (const auto& [line, shown] : worked_results)
        for (int level = 0; level < 5; ++level)
            EXPECT_EQ(box(fresh.w, line, level)->text(), QString(shown[level]).replace(u'.', GetParam().decimal_point))
                << line << "(" << level << ")";
    EXPECT_EQ(box(fresh.w, "sst", 5)->text(), "3");
    const QList<QBarSet*> sets = bars(fresh.w)->barSets();
    ASSERT_EQ(sets.size(), 3);
    for (int s = 0; s < 3; ++s)
        for (int level = 0; level < 5; ++level)
            EXPECT_NEAR(sets[s]->at(level), worked_chart[s][level], worked_chart[s][level] * 1e-6) << s << "," << level;
    auto* levels = qobject_cast<QBarCategoryAxis*>(bars(fresh.w)->attachedAxes().at(0));
    EXPECT_EQ(levels->categories(), QStringList({"0", "1", "2", "3", "4"}));
    const auto number = [&](QString n) { return n.replace(u'.', GetParam().decimal_point); };
    EXPECT_TRUE(fresh.w.control("g")->accessibleDescription().contains(
        QString("Stock de Sécurité 4: Risque %1, Risque + Coût direct %2, Total %3.")
            .arg(number("0.001140828"), number("160.0011"), number("866.0012"))));
    box(fresh.w, "crt")->setText("1000");  // recalculates before setText returns
    EXPECT_EQ(box(fresh.w, "rt", 1)->text(), QString("1068.681").replace(u'.', GetParam().decimal_point));
    // A result wider than its box shows its first digits, not its last ones.
    box(fresh.w, "pst")->setText("-12345678");
    EXPECT_EQ(box(fresh.w, "tt", 1)->text().left(4), QString("-1.2").replace(u'.', GetParam().decimal_point));
    EXPECT_EQ(box(fresh.w, "tt", 1)->cursorPosition(), 0);
}

INSTANTIATE_TEST_SUITE_P(Locales, WorkedExample,
                         ::testing::Values(LocaleCase{"English", QLocale(QLocale::English), u'.'},
                                           LocaleCase{"French", QLocale(QLocale::French, QLocale::France), u','}),
                         case_name);

}  // namespace
}  // namespace stk::test

// Typing into the window fills the results table, the recommended stock and the chart.
#include "window_helpers.h"

namespace stk::test {
namespace {

struct LocaleCase {
    const char* name;
    QLocale locale;
    QChar decimal_point;
};

// A window opened in a locale, with the worked example typed in.
class WorkedExample : public ::testing::TestWithParam<LocaleCase> {
protected:
    const DefaultLocale locale{GetParam().locale};
    Fresh fresh;
    MainWindow& w = fresh.w;
    void SetUp() override { type_worked_example(w); }
    QString number(std::string_view text) const
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size())).replace(u'.', GetParam().decimal_point);
    }
};

TEST_P(WorkedExample, FillsTheTableInTheLocale)
{
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            EXPECT_EQ(box(w, line_names[line], level)->text(), number(worked::cells[line][std::size_t(level)]))
                << line_names[line] << "(" << level << ")";
    EXPECT_EQ(box(w, "sst", 5)->text(), "3");
}

TEST_P(WorkedExample, ChartsTheThreeSeries)
{
    EXPECT_EQ(chart(w)->content().values, worked::chart);
    EXPECT_EQ(chart(w)->content().series, (std::array<QString, 3>{"Risque", "Risque + Coût direct", "Total"}));
    EXPECT_EQ(chart(w)->content().levels, "Stock de Sécurité");
}

TEST_P(WorkedExample, FollowsAFieldSetFromCode)
{
    box(w, "crt")->setText("1000");  // recalculates before setText returns
    EXPECT_EQ(box(w, "rt", 1)->text(), number("1068.681"));
}

// A result wider than its box shows its first digits, not its last ones.
TEST_P(WorkedExample, ShowsTheFirstDigitsOfAWideResult)
{
    box(w, "pst")->setText("-12345678");
    EXPECT_EQ(box(w, "tt", 1)->text().left(4), number("-1.2"));
    EXPECT_EQ(box(w, "tt", 1)->cursorPosition(), 0);
}

INSTANTIATE_TEST_SUITE_P(Locales, WorkedExample,
                         ::testing::Values(LocaleCase{"English", QLocale(QLocale::English), u'.'},
                                           LocaleCase{"French", QLocale(QLocale::French, QLocale::France), u','}),
                         case_name);

}  // namespace
}  // namespace stk::test

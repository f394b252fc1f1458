// The most-sensitive-parameter analysis and its flasher, clicked in the window.
#include "window_helpers.h"

#include "engine/numtext.h"

#include <QTimer>
#include <cmath>

namespace stk::test {
namespace {

using Names = std::vector<std::string>;

// Worked out with the engine alone: each of dat, pst, uut, dvt, crt in turn gets 99 % of
// its number; the field that moves the recommended total strictly furthest wins, the
// earliest on a tie.
Names most_sensitive(const da_stk_secu& w)
{
    const auto level = std::size_t(box(w, "sst", 5)->text().toInt());
    const Texts texts = texts_of(w);
    const float before = calculate(texts).rows.t[level];
    Names winner;
    double largest = 0;
    for (Field f : {Field::dat, Field::pst, Field::uut, Field::dvt, Field::crt}) {
        Texts lowered = texts;
        lowered[std::size_t(f)] = QString::number(val_text(texts[std::size_t(f)]) * 0.99, 'g', 17).toStdString();
        if (const double change = std::fabs(calculate(lowered).rows.t[level] - before); change > largest)
            largest = change, winner = {std::string(info(f).name)};
    }
    return winner;
}

// One tick of the flasher, through the timer's own signal.
void tick(da_stk_secu& w) { QMetaObject::invokeMethod(w.timer(), "timeout"); }

// The worked example with one field changed, the stock it recommends and the winner.
struct AnalysisCase {
    const char *name, *field, *text, *recommended;
    Names winner;
};

class Analysis : public WindowWith<AnalysisCase> {};

TEST_P(Analysis, HighlightsTheMostSensitiveFieldAndLeavesFieldsAndResultsAsCalculated)
{
    type_worked_example(w);
    box(w, GetParam().field)->setText(GetParam().text);
    ASSERT_EQ(w.recommended_text(), GetParam().recommended);
    const Texts before = texts_of(w);
    ASSERT_EQ(most_sensitive(w), GetParam().winner);
    box(w, "rt", 0)->setText("7");  // overwritten by the closing recalculation
    click(w, "Command4");
    EXPECT_EQ(highlighted_fields(w), GetParam().winner);
    EXPECT_EQ(texts_of(w), before);
    EXPECT_TRUE(shows_results_of(w, before));
    EXPECT_EQ(w.timer()->isActive() ? w.timer()->interval() : 0, 500);
}

INSTANTIATE_TEST_SUITE_P(Cases, Analysis,
                         ::testing::Values(AnalysisCase{"WorkedExample", "cct", "50", "3", {"pst"}},
                                           AnalysisCase{"LevelZero", "crt", "1", "0", {"dat"}},
                                           AnalysisCase{"LongLeadTime", "dat", "60", "4", {"dat"}},
                                           AnalysisCase{"NoStockOutCost", "crt", "0", "0", {}}),
                         case_name);

// What happens between the first click and the seven ticks, and whether the winner is then highlighted.
struct Before {
    const char* name;
    void (*prepare)(da_stk_secu&);
    bool highlighted;
};

class Flasher : public WindowWith<Before> {};

// After tick n the winner is highlighted on even ticks up to 6; the timer stops at tick 7.
TEST_P(Flasher, BlinksThreeTimesAndStopsAtTheSeventhTick)
{
    type_worked_example(w);
    click(w, "Command4");
    GetParam().prepare(w);
    const Names shown = GetParam().highlighted ? Names{"pst"} : Names{};
    EXPECT_EQ(highlighted_fields(w), shown);
    for (int n = 1; n <= 7; ++n) {
        ASSERT_TRUE(w.timer()->isActive()) << "before tick " << n;
        tick(w);
        EXPECT_EQ(highlighted_fields(w), n % 2 == 0 ? shown : Names{}) << "tick " << n;
    }
    EXPECT_FALSE(w.timer()->isActive());
}

void clear(da_stk_secu& w) { click(w, "Picture2"); }  // keeps the highlight and the running timer
void clear_and_analyse(da_stk_secu& w) { clear(w), click(w, "Command4"); }
void tick_thrice_and_analyse(da_stk_secu& w) { tick(w), tick(w), tick(w), click(w, "Command4"); }
void no_stock_out_cost(da_stk_secu& w) { box(w, "crt")->setText("0"), click(w, "Command4"); }

INSTANTIATE_TEST_SUITE_P(Cases, Flasher,
                         ::testing::Values(Before{"Plain", [](da_stk_secu&) {}, true},
                                           Before{"SecondClickRestarts", tick_thrice_and_analyse, true},
                                           Before{"ClearKeepsTheColoursAndTheTimer", clear, true},
                                           Before{"ClearThenAnalyse", clear_and_analyse, false},
                                           Before{"NoStockOutCostAfterAWinner", no_stock_out_cost, false}),
                         case_name);

}  // namespace
}  // namespace stk::test

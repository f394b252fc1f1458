// The most-sensitive-parameter analysis run on the model, and the flasher that then blinks the winner on a fake clock.
#include "model_helpers.h"

namespace stk::test {
namespace {

using Names = std::vector<std::string>;

// The worked example with one text box changed, the stock it then recommends (null: not read) and the winner. The
// analysis reads the results as shown: a recommended stock edited into text it cannot read, or a shown total that no
// parameter can move away from, gives no winner.
struct AnalysisCase {
    const char *name, *box;
    int index;
    const char *text, *recommended;
    Names winner;
};

class Analysis : public WorkedModel, public ::testing::WithParamInterface<AnalysisCase> {};

TEST_P(Analysis, HighlightsTheMostSensitiveField)
{
    const AnalysisCase& c = GetParam();
    model.set_text(pos_of(c.box, c.index), c.text);
    if (c.recommended) {
        ASSERT_EQ(model.recommended_text(), c.recommended);
    }
    model.analyse_sensitivity();
    EXPECT_EQ(highlighted_fields(model), c.winner);
}

INSTANTIATE_TEST_SUITE_P(Cases, Analysis,
                         ::testing::Values(AnalysisCase{"WorkedExample", "cct", ui::no_index, "50", "3", {"pst"}},
                                           AnalysisCase{"LevelZero", "crt", ui::no_index, "1", "0", {"dat"}},
                                           AnalysisCase{"LongLeadTime", "dat", ui::no_index, "60", "4", {"dat"}},
                                           AnalysisCase{"NoStockOutCost", "crt", ui::no_index, "0", "0", {}},
                                           AnalysisCase{"UnreadableStock", "sst", 5, "x", nullptr, {}},
                                           AnalysisCase{"StockBeyondTheTable", "sst", 5, "5", nullptr, {}},
                                           AnalysisCase{"UnreadableTotal", "tt", 3, "", nullptr, {}}),
                         case_name);

TEST_F(WorkedModel, AnalysisLeavesTheFieldTextsAsTheyAre)
{
    model.analyse_sensitivity();
    for (const FieldInfo& f : fields)
        EXPECT_EQ(model.field_text(f.field), worked::texts[std::size_t(f.field)]) << f.name;
}

TEST_F(WorkedModel, AnalysisEndsWithAFreshCalculation)
{
    model.set_text(pos_of("rt", 0), "7");
    model.analyse_sensitivity();
    EXPECT_EQ(model.result_text(Line::rt, 0), worked::cells[1][0]);
    EXPECT_EQ(recorder.reports.back(), std::pair(Change::results, std::size_t{0}));
}

// What happens between the analysis and the ticks, and whether the winner then blinks.
struct Before {
    const char* name;
    void (*prepare)(WindowModel&, Recorder&);
    bool blinks;
};

class Flasher : public WorkedModel, public ::testing::WithParamInterface<Before> {};

// Every half second: the winner is highlighted after even ticks up to 6; the seventh stops the flasher.
TEST_P(Flasher, BlinksThreeTimesInSevenTicks)
{
    model.analyse_sensitivity();
    GetParam().prepare(model, recorder);
    const Names shown = GetParam().blinks ? Names{"pst"} : Names{};
    EXPECT_EQ(highlighted_fields(model), shown);
    for (int n = 1; n <= 7; ++n) {
        ASSERT_EQ(model.flash_interval(), 500) << "before tick " << n;
        recorder.advance(499);
        EXPECT_EQ(highlighted_fields(model), n % 2 == 1 ? shown : Names{}) << "just before tick " << n;
        recorder.advance(1);
        EXPECT_EQ(highlighted_fields(model), n % 2 == 0 ? shown : Names{}) << "tick " << n;
    }
    EXPECT_EQ(model.flash_interval(), 0);
    recorder.advance(5000);
    EXPECT_EQ(highlighted_fields(model), Names{});
}

void nothing(WindowModel&, Recorder&) {}
void tick_thrice_and_analyse(WindowModel& m, Recorder& r) { r.advance(1500), m.analyse_sensitivity(); }
void clear(WindowModel& m, Recorder&) { m.clear_all(); }
void clear_and_analyse(WindowModel& m, Recorder&) { m.clear_all(), m.analyse_sensitivity(); }
void no_stock_out_cost(WindowModel& m, Recorder&) { m.set_field_text(Field::crt, "0"), m.analyse_sensitivity(); }

INSTANTIATE_TEST_SUITE_P(Cases, Flasher,
                         ::testing::Values(Before{"Plain", nothing, true},
                                           Before{"SecondAnalysisRestarts", tick_thrice_and_analyse, true},
                                           Before{"ClearKeepsTheColoursAndTheTimer", clear, true},
                                           Before{"ClearThenAnalyse", clear_and_analyse, false},
                                           Before{"NoStockOutCostAfterAWinner", no_stock_out_cost, false}),
                         case_name);

TEST_F(WorkedModel, FlasherReportsOnlyTheFieldsWhoseColourChanges)
{
    model.analyse_sensitivity();
    recorder.reports.clear();
    recorder.advance(500);
    EXPECT_EQ(recorder.reports, (std::vector<std::pair<Change, std::size_t>>{{Change::highlight, pos_of("pst")}}));
}

}  // namespace
}  // namespace stk::test

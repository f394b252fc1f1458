// The flasher that blinks the most sensitive field after an analysis, on a fake clock.
#include "model_helpers.h"

namespace stk::test {
namespace {

using Names = std::vector<std::string>;

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

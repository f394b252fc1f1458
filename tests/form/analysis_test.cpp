// The most-sensitive-parameter analysis, run on the model.
#include "model_helpers.h"

namespace stk::test {
namespace {

using Names = std::vector<std::string>;

// The worked example with one field changed, the stock it recommends and the winner.
struct AnalysisCase {
    const char *name, *field, *text, *recommended;
    Names winner;
};

class Analysis : public WorkedModel, public ::testing::WithParamInterface<AnalysisCase> {};

TEST_P(Analysis, HighlightsTheMostSensitiveField)
{
    model.set_text(pos_of(GetParam().field), GetParam().text);
    ASSERT_EQ(model.recommended_text(), GetParam().recommended);
    model.analyse_sensitivity();
    EXPECT_EQ(highlighted_fields(model), GetParam().winner);
}

INSTANTIATE_TEST_SUITE_P(Cases, Analysis,
                         ::testing::Values(AnalysisCase{"WorkedExample", "cct", "50", "3", {"pst"}},
                                           AnalysisCase{"LevelZero", "crt", "1", "0", {"dat"}},
                                           AnalysisCase{"LongLeadTime", "dat", "60", "4", {"dat"}},
                                           AnalysisCase{"NoStockOutCost", "crt", "0", "0", {}}),
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

TEST_F(WorkedModel, AnalysisStartsTheFlasherAtHalfASecond)
{
    model.analyse_sensitivity();
    EXPECT_EQ(model.flash_interval(), 500);
}

// The analysis reads the results as shown: a recommended stock edited into text it
// cannot read, or a shown total that no parameter can move away from, gives no winner.
struct ShownCase {
    const char *name, *box;
    int index;
    const char* text;
    Names winner;
};

class ShownTexts : public WorkedModel, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(ShownTexts, AreWhatTheAnalysisReads)
{
    model.set_text(pos_of(GetParam().box, GetParam().index), GetParam().text);
    model.analyse_sensitivity();
    EXPECT_EQ(highlighted_fields(model), GetParam().winner);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShownTexts,
                         ::testing::Values(ShownCase{"UnreadableStock", "sst", 5, "x", {}},
                                           ShownCase{"StockBeyondTheTable", "sst", 5, "5", {}},
                                           ShownCase{"UnreadableTotal", "tt", 3, "", {}}),
                         case_name);

}  // namespace
}  // namespace stk::test

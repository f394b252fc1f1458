// Typing into the model: which changes recalculate, and what the observer hears.
#include "model_helpers.h"

namespace stk::test {
namespace {

using Reports = std::vector<std::pair<Change, std::size_t>>;

TEST_F(WorkedModel, InputChangeReportsTheTextThenTheResults)
{
    recorder.reports.clear();
    model.set_field_text(Field::crt, "1000");
    EXPECT_EQ(recorder.reports, (Reports{{Change::text, pos_of("crt")}, {Change::results, 0}}));
    EXPECT_EQ(model.result_text(Line::rt, 1), "1068.681");
}

TEST_F(WorkedModel, SameTextReportsNothing)
{
    recorder.reports.clear();
    model.set_field_text(Field::crt, "500");
    EXPECT_EQ(recorder.reports, Reports{});
}

TEST_F(WorkedModel, ResultBoxEditDoesNotRecalculate)
{
    recorder.reports.clear();
    model.set_text(pos_of("tt", 2), "1");
    EXPECT_EQ(recorder.reports, (Reports{{Change::text, pos_of("tt", 2)}}));
    EXPECT_EQ(model.result_text(Line::tt, 2), "1");
}

TEST_F(WorkedModel, CarriageReturnsNeverReachATextBox)
{
    model.set_text(pos_of("vp"), "56\r\n78");
    EXPECT_EQ(model.assistant_text(AssistantField::vp), "56\n78");
}

TEST_F(WorkedModel, ArticleFieldsSetTogetherRecalculateOnce)
{
    recorder.reports.clear();
    model.set_fields({"60", "200", "2000", "10000", "1", "3"});
    EXPECT_EQ(std::count(recorder.reports.begin(), recorder.reports.end(), std::pair(Change::results, std::size_t{0})),
              1);
    EXPECT_EQ(model.field_text(Field::dat), "60");
    EXPECT_EQ(model.field_text(Field::crt), "1");
}

TEST_F(WorkedModel, ClearKeepsTheCaptions)
{
    model.clear_all();
    EXPECT_EQ(model.caption(pos_of("Etiquette27", 7)), "Risque");
}

}  // namespace
}  // namespace stk::test

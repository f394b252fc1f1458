// Clear: every text box empties, and nothing else changes.
#include "model_helpers.h"

namespace stk::test {
namespace {

std::vector<std::string> text_boxes(const WindowModel& model)
{
    std::vector<std::string> texts;
    for (std::size_t pos = 0; pos < ui::controls().size(); ++pos)
        if (ui::controls()[pos].kind == ui::Kind::text_box)
            texts.push_back(model.text(pos));
    return texts;
}

TEST_F(WorkedModel, ClearEmptiesEveryTextBox)
{
    model.set_text(pos_of("vp"), "10");
    model.clear_all();
    EXPECT_EQ(text_boxes(model), std::vector<std::string>(37));
}

TEST_F(WorkedModel, ClearKeepsTheAssistantOpen)
{
    model.open_assistant();
    model.clear_all();
    EXPECT_TRUE(model.assistant_shown());
}

TEST_F(WorkedModel, ClearKeepsTheCaptions)
{
    model.clear_all();
    EXPECT_EQ(model.caption(pos_of("Etiquette27", 7)), "Risque");
}

}  // namespace
}  // namespace stk::test

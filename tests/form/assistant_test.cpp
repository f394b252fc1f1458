// The stock-out-cost assistant, opened, cancelled and confirmed on the model.
#include "model_helpers.h"

namespace stk::test {
namespace {

void type(WindowModel& model, const char* vp, const char* jt, const char* npi)
{
    model.set_text(pos_of("vp"), vp);
    model.set_text(pos_of("jt"), jt);
    model.set_text(pos_of("npi"), npi);
}

// Cancelling changes no text: crt keeps its value and the assistant its typed texts.
TEST_F(WorkedModel, CancellingTheAssistantKeepsEveryText)
{
    model.open_assistant();
    type(model, "10", "200", "4");
    model.cancel_assistant();
    EXPECT_EQ(model.field_text(Field::crt), "500");
    model.open_assistant();
    EXPECT_EQ(model.assistant_text(AssistantField::vp), "10");
    EXPECT_EQ(model.assistant_text(AssistantField::jt), "200");
    EXPECT_EQ(model.assistant_text(AssistantField::npi), "4");
}

// What is typed into the assistant, what crt and jt show afterwards, and the decimal separator.
struct Estimate {
    const char *name, *vp, *jt, *npi, *crt, *jt_after, *separator = ".";
};

class Confirm : public ::testing::TestWithParam<Estimate> {};

TEST_P(Confirm, WritesTheEstimateIntoCrt)
{
    const Estimate& e = GetParam();
    WindowModel model{e.separator};
    type_worked_example(model);
    model.open_assistant();
    type(model, e.vp, e.jt, e.npi);
    model.confirm_assistant();
    EXPECT_FALSE(model.assistant_shown());
    EXPECT_TRUE(model.frames_enabled());
    EXPECT_EQ(model.field_text(Field::crt), e.crt);
    EXPECT_EQ(model.assistant_text(AssistantField::jt), e.jt_after);
    EXPECT_EQ(model.assistant_text(AssistantField::npi), e.npi);
}

INSTANTIATE_TEST_SUITE_P(Cases, Confirm,
                         ::testing::Values(Estimate{"TenMillionsOverFourProcesses", "10", "200", "4", "12500", "200"},
                                           Estimate{"NoDaysAndNoProcesses", "1", "0", "0", "5000", "200"},
                                           Estimate{"EmptyDays", "1", "", "1", "5000", "200"},
                                           Estimate{"RoundedDown", "1", "365", "1", "2739", "365"},
                                           Estimate{"NegativeRoundedDown", "-1", "300", "1", "-3334", "300"},
                                           Estimate{"NotANumber", "abc", "200", "1", "0", "200"},
                                           Estimate{"FailingDivision", "1", "1e-200", "1e-200", "500", "1e-200"},
                                           Estimate{"FrenchComma", "2,5", "250", "1", "10000", "250", ","}),
                         case_name);

TEST_F(WorkedModel, ConfirmedEstimateRecalculatesTheResults)
{
    model.open_assistant();
    type(model, "1", "1", "1");  // one million a day
    model.confirm_assistant();
    EXPECT_EQ(model.field_text(Field::crt), "1000000");
    EXPECT_EQ(model.result_text(Line::rt, 0), "5.309813E+07");  // 2000 times the risk of 500 a day
}

}  // namespace
}  // namespace stk::test

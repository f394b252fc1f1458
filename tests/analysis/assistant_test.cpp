#include "analysis/assistant.h"
#include "analysis/fake_form.h"

#include <gtest/gtest.h>

namespace stk::testing {
namespace {

struct Entry {
    const char* name;
    const char* separator;
    const char* vp;
    const char* jt;
    const char* npi;
    const char* crt;  // crt afterwards; "500" (its earlier text) when the computation fails
    const char* jt_after;
};

class Assistant : public ::testing::TestWithParam<Entry> {};

TEST_P(Assistant, ConfirmWritesTheDailyStockoutCost)
{
    const Entry& e = GetParam();
    FakeForm form(worked_example, e.separator);
    Command1_Click(form);
    EXPECT_TRUE(form.assistant_shown);
    EXPECT_FALSE(form.frames_enabled);
    form.set_assistant_text(AssistantField::vp, e.vp);
    form.set_assistant_text(AssistantField::jt, e.jt);
    form.set_assistant_text(AssistantField::npi, e.npi);

    Command3_Click(form);
    EXPECT_FALSE(form.assistant_shown);
    EXPECT_TRUE(form.frames_enabled);
    EXPECT_EQ(form.field_text(Field::crt), e.crt);
    EXPECT_EQ(form.assistant_text(AssistantField::jt), e.jt_after);
    EXPECT_EQ(form.assistant_text(AssistantField::npi), e.npi);
    EXPECT_EQ(form.assistant_text(AssistantField::vp), e.vp);
    const bool written = std::string_view(e.crt) != "500";
    EXPECT_EQ(form.calc_count, written ? 1 : 0);
    EXPECT_EQ(form.shown().cells, form.expected_results().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Analysis, Assistant,
    ::testing::Values(Entry{"ten_millions", ".", "10", "200", "4", "12500", "200"},
                      Entry{"zero_days_and_processes", ".", "1", "0", "0", "5000", "200"},
                      Entry{"rounded_down", ".", "1", "365", "1", "2739", "365"},
                      Entry{"negative_rounded_down", ".", "-1", "300", "1", "-3334", "300"},
                      Entry{"comma_separator", ",", "2,5", "200", "1", "12500", "200"},
                      Entry{"point_in_comma_locale", ",", "2.5", "200", "1", "0", "200"},
                      Entry{"invalid_value", ".", "abc", "200", "1", "0", "200"},
                      Entry{"all_empty", ".", "", "", "", "0", "200"},
                      Entry{"blanks_and_exponent", ".", " 1e1 ", "2E2", "+4", "12500", "2E2"},
                      Entry{"large", ".", "1234567890.12346", "1", "1", "1.23456789012346E+15", "1"},
                      Entry{"underflow_fails", ".", "1", "1E-200", "1E-200", "500", "1E-200"},
                      Entry{"overflow_fails", ".", "1E303", "1", "1", "500", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AssistantPanel, CancelKeepsEverything)
{
    FakeForm form;
    Command1_Click(form);
    form.set_assistant_text(AssistantField::vp, "10");
    form.set_assistant_text(AssistantField::jt, "0");
    Command2_Click(form);
    EXPECT_FALSE(form.assistant_shown);
    EXPECT_TRUE(form.frames_enabled);
    EXPECT_EQ(form.field_text(Field::crt), "500");
    EXPECT_EQ(form.assistant_text(AssistantField::vp), "10");
    EXPECT_EQ(form.assistant_text(AssistantField::jt), "0");
    EXPECT_EQ(form.calc_count, 0);
}

struct Plain {
    double value;
    const char* text;
};

class PlainText : public ::testing::TestWithParam<Plain> {};

TEST_P(PlainText, WritesWholeNumbers) { EXPECT_EQ(plain_text(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Analysis, PlainText,
                         ::testing::Values(Plain{0, "0"}, Plain{-0.0, "0"}, Plain{12500, "12500"},
                                           Plain{-3334, "-3334"}, Plain{999999999999999.0, "999999999999999"},
                                           Plain{-999999999999999.0, "-999999999999999"}, Plain{1e15, "1E+15"},
                                           Plain{-1e15, "-1E+15"},
                                           Plain{1234567890123456.0, "1.23456789012346E+15"},
                                           Plain{-1234567890123456.0, "-1.23456789012346E+15"},
                                           Plain{9999999999999998.0, "1E+16"}, Plain{1e300, "1E+300"}));

}  // namespace
}  // namespace stk::testing

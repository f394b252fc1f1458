#include "analysis/fake_form.h"
#include "analysis/sensitivity.h"
#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace stk::testing {
namespace {

constexpr std::array<Field, 5> five{Field::dat, Field::pst, Field::uut, Field::dvt, Field::crt};

Calculation calc_of(const std::array<std::string, field_count>& texts)
{
    FieldTexts views;
    for (const auto& f : fields)
        views[f.field] = texts[static_cast<std::size_t>(f.field)];
    return calc(views);
}

// Worked out apart from the analysis: each parameter is lowered by 1 % in its
// text, the whole calculation is run again and the total of the displayed
// level is compared with the displayed total.
std::optional<Field> independent_winner(const FakeForm& form)
{
    const std::string sep = form.decimal_separator();
    const int level = std::stoi(form.recommended_text());
    const double shown = *dbl_text(form.result_text(Line::tt, level), sep);
    std::array<std::string, field_count> texts;
    for (const auto& f : fields)
        texts[static_cast<std::size_t>(f.field)] = form.field_text(f.field);
    const float base = calc_of(texts).rows.t[level];

    std::optional<Field> winner;
    double best = 0;
    for (Field f : five) {
        auto lowered = texts;
        char buf[40];
        const auto end = std::to_chars(buf, buf + sizeof buf, val_text(form.field_text(f)) * 0.99).ptr;
        lowered[static_cast<std::size_t>(f)] = std::string(buf, end);
        const float t = calc_of(lowered).rows.t[level];
        const double change = std::fabs(static_cast<double>(t) - shown);
        if (t != base && change > best) {
            best = change;
            winner = f;
        }
    }
    return winner;
}

struct Case {
    const char* name;
    Inputs inputs;
    const char* separator;
    std::vector<Field> allowed;  // empty: nothing may be highlighted
};

class MostSensitive : public ::testing::TestWithParam<Case> {};

TEST_P(MostSensitive, HighlightsTheParameterThatMovesTheRecommendedTotalMost)
{
    const Case& c = GetParam();
    FakeForm form(c.inputs, c.separator);
    Sensitivity state{3, 4};  // a stale answer and tick count from an earlier run
    Command4_Click(form, state);

    const auto expected = independent_winner(form);
    ASSERT_EQ(expected.has_value(), !c.allowed.empty());
    if (expected) {
        EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), *expected), c.allowed.end());
    }
    EXPECT_EQ(form.highlighted(), expected ? std::vector<Field>{*expected} : std::vector<Field>{});
    EXPECT_EQ(sensitive_field(state.isens), expected);

    for (std::size_t i = 0; i < field_count; ++i)
        EXPECT_EQ(form.field_text(fields[i].field), c.inputs[i]);
    EXPECT_EQ(form.shown().cells, form.expected_results().cells);
    EXPECT_EQ(form.calc_count, 1);
    ASSERT_GE(form.highlight_calls.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(form.highlight_calls[i], std::make_pair(five[i], false));
    EXPECT_EQ(form.intervals, std::vector<int>{500});
    EXPECT_EQ(state.nclig, 0);
}

const Inputs level0{"50", "2", "4", "200", "2000", "10000", "1", "3"};
const Inputs level4{"0", "2", "4", "0", "2000", "10000", "500", "3"};
const Inputs life_held{"50", "2", "4", "200", "2000", "100", "500", "3"};
const Inputs no_stockout_cost{"50", "2", "4", "200", "2000", "10000", "0", "3"};
const Inputs rounding_only{"-1234.5678", "2", "4", "0", "2000", "10000", "0", "3"};
const Inputs empty{"", "", "", "", "", "", "", ""};

INSTANTIATE_TEST_SUITE_P(
    Analysis, MostSensitive,
    ::testing::Values(Case{"worked_example", worked_example, ".", {Field::pst}},
                      Case{"comma_separator", worked_example, ",", {Field::pst}},
                      Case{"recommended_4_no_price", level4, ".", {Field::dat}},
                      Case{"recommended_0", level0, ".", {Field::dat, Field::crt}},
                      Case{"lead_time_beyond_life", life_held, ".", {Field::dat, Field::crt}},
                      Case{"no_stockout_cost", no_stockout_cost, ".", {}},
                      Case{"display_rounding_is_no_move", rounding_only, ".", {}},
                      Case{"all_fields_empty", empty, ".", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MostSensitiveState, NoWinnerClearsAnEarlierOne)
{
    FakeForm form;
    Sensitivity state;
    Command4_Click(form, state);
    ASSERT_EQ(form.highlighted(), std::vector<Field>{Field::pst});
    form.set_field_text(Field::crt, "0");
    Command4_Click(form, state);
    EXPECT_EQ(state.isens, 0);
    EXPECT_TRUE(form.highlighted().empty());
}

TEST(MostSensitiveState, NothingAfterTheClearCommand)
{
    FakeForm form;
    Sensitivity state;
    Command4_Click(form, state);
    form.clear();
    Command4_Click(form, state);
    EXPECT_EQ(state.isens, 0);
    EXPECT_TRUE(form.highlighted().empty());
    EXPECT_EQ(form.intervals.back(), 500);
}

// The displayed recommended level and one total edited by hand. A total of
// 1E+30 makes every moving parameter tie, so the first one, dat, wins; an
// unreadable total is only harmless when the level names another row.
struct Shown {
    const char* recommended;
    int edited_row;
    const char* edited_total;
    std::optional<Field> expected;
};

class DisplayedReference : public ::testing::TestWithParam<Shown> {};

TEST_P(DisplayedReference, IsReadFromTheResultsTable)
{
    FakeForm form;
    form.set_recommended_text(GetParam().recommended);
    form.set_result_text(Line::tt, GetParam().edited_row, GetParam().edited_total);
    Sensitivity state;
    Command4_Click(form, state);
    EXPECT_EQ(sensitive_field(state.isens), GetParam().expected);
    EXPECT_EQ(form.shown().cells, form.expected_results().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Analysis, DisplayedReference,
    ::testing::Values(Shown{"2.5", 2, "1E+30", Field::dat}, Shown{"2.5", 3, "abc", Field::dat},
                      Shown{"3.5", 4, "1E+30", Field::dat}, Shown{"3.5", 3, "abc", Field::pst},
                      Shown{"-0.5", 0, "1E+30", Field::dat}, Shown{" 3 ", 3, "1E+30", Field::dat},
                      Shown{"3", 3, "662.0747 €", std::nullopt}, Shown{"", 1, "1E+30", std::nullopt},
                      Shown{"abc", 1, "1E+30", std::nullopt}, Shown{"5", 1, "1E+30", std::nullopt},
                      Shown{"4.6", 1, "1E+30", std::nullopt}, Shown{"-1", 1, "1E+30", std::nullopt},
                      Shown{"1E400", 1, "1E+30", std::nullopt}));

}  // namespace
}  // namespace stk::testing

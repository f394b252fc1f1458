// The engine: reading and writing number texts, the cost model and what a calculation shows.
#include "engine/checked.h"
#include "engine/model.h"
#include "engine/numtext.h"
#include "engine/presentation.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iomanip>
#include <optional>
#include <ostream>
#include <string>

namespace {

using stk::Field;

struct ValCase {
    std::string text;
    std::optional<double> value;
};  // no value: the reading step fails
void PrintTo(const ValCase& c, std::ostream* os)
{
    *os << '[';
    for (char ch : c.text)
        *os << (ch == '\t' ? "\\t" : ch == '\n' ? "\\n" : ch == '\r' ? "\\r" : std::string(1, ch));
    *os << ']';
}

class ValText : public testing::TestWithParam<ValCase> {};

TEST_P(ValText, ReadsTheLeadingNumber)
{
    const auto& [text, value] = GetParam();
    if (value)
        EXPECT_EQ(stk::val_text(text), *value);
    else
        EXPECT_THROW(stk::val_text(text), stk::step_failure);
}

INSTANTIATE_TEST_SUITE_P(Fields, ValText,
                         testing::Values(ValCase{"", 0}, ValCase{"abc", 0}, ValCase{"€5", 0}, ValCase{"2,5", 2},
                                         ValCase{"2.5", 2.5}, ValCase{".5", 0.5}, ValCase{"5.", 5}, ValCase{"-3", -3},
                                         ValCase{"1 000", 1000}, ValCase{"1 5", 15}, ValCase{"\t1\n5", 15},
                                         ValCase{"1\r5", 1}, ValCase{"12abc", 12}, ValCase{"1e3", 1000},
                                         ValCase{"1e", 1}, ValCase{"1.2.3", 1.2}, ValCase{"+-3", 0},
                                         ValCase{"1E-400", 0}, ValCase{"1E400", {}}, ValCase{"-1E400", {}},
                                         ValCase{"0.000001e315", {}}));

struct NumCase {
    float value;
    std::string separator, text;
};
void PrintTo(const NumCase& c, std::ostream* os) { *os << c.text << " from " << std::setprecision(9) << c.value; }

class NumText : public testing::TestWithParam<NumCase> {};

TEST_P(NumText, WritesSevenSignificantDigits)
{
    EXPECT_EQ(stk::num_text(GetParam().value, GetParam().separator), GetParam().text);
}

// 0.0000999999997f (the float nearest 0.0001) lies below 1E-04: rounding carries into fixed notation.
INSTANTIATE_TEST_SUITE_P(Notation, NumText,
                         testing::Values(NumCase{40.0f, ".", "40"}, NumCase{1.0f / 3.0f, ".", "0.3333333"},
                                         NumCase{-0.0f, ".", "0"}, NumCase{9999999.0f, ".", "9999999"},
                                         NumCase{12345678.0f, ".", "1.234568E+07"},
                                         NumCase{-12345678.0f, ".", "-1.234568E+07"}, NumCase{1e8f, ".", "1E+08"},
                                         NumCase{1e6f, ".", "1000000"}, NumCase{9999.9999f, ".", "10000"},
                                         NumCase{0.0000999999997f, ".", "0.0001"},
                                         NumCase{0.00009999f, ".", "9.999E-05"}, NumCase{1e-5f, ".", "1E-05"},
                                         NumCase{-0.07472568f, ".", "-0.07472568"},
                                         NumCase{FLT_MAX, ".", "3.402823E+38"}, NumCase{534.3407f, ",", "534,3407"},
                                         NumCase{12345678.0f, ",", "1,234568E+07"}));

// In both locales, whatever num_text writes dbl_text reads back as the rounded value, over
// many magnitudes; it takes nothing but a whole number.
TEST(RoundTrip, DblTextReadsWhatNumTextWroteAndNothingElse)
{
    for (const std::string sep : {".", ","}) {
        for (int e = -45; e <= 37; ++e)
            for (const float m : {1.0f, -1.2345678f, 9.9999999f, 5.5f, 0.99999997f}) {
                const float v = m * std::pow(10.0f, static_cast<float>(e));
                EXPECT_EQ(stk::dbl_text(stk::num_text(v, sep), sep), stk::round7(v)) << stk::num_text(v, sep);
            }
        for (const char* bad : {"", "   ", "abc", "12abc", "1e", "--1", "1 000", "1E400", sep == "." ? "1,5" : "1.5"})
            EXPECT_EQ(stk::dbl_text(bad, sep), std::nullopt) << bad;
        EXPECT_EQ(stk::dbl_text(" -2" + sep + "5e-1 ", sep), -0.25);
    }
}

// The cost model, the recommended stock and the result texts.
using Inputs = std::array<std::string_view, stk::field_count>;  // cct tst dat pst uut dvt crt nbt
using Row = std::array<float, stk::level_count>;

constexpr Inputs worked = stk::worked::texts;

stk::Calculation run(const Inputs& in)
{
    stk::FieldTexts t;
    for (const auto& f : stk::fields)
        t[f.field] = in[static_cast<std::size_t>(f.field)];
    return stk::calc(t);
}

Inputs with(Field f, std::string_view text, Inputs in = worked)
{
    in[static_cast<std::size_t>(f)] = text;
    return in;
}

TEST(WorkedExample, ShowsTheKnownTexts)
{
    const auto p = stk::present(run(worked), ".");
    for (std::size_t line = 0; line < stk::line_count; ++line)
        for (std::size_t level = 0; level < stk::level_count; ++level)
            EXPECT_EQ(p.cells[line][level], stk::worked::cells[line][level])
                << stk::line_names[line] << "(" << level << ")";
    EXPECT_EQ(p.recommended, stk::worked::recommended);
}

TEST(WorkedExample, ChartsTheRiskTheRiskAndDirectCostAndTheTotal)
{
    const auto p = stk::present(run(worked), ".");
    for (std::size_t s = 0; s < stk::series_count; ++s)
        for (std::size_t level = 0; level < stk::level_count; ++level)
            EXPECT_DOUBLE_EQ(p.chart[s][level], stk::worked::chart[s][level]) << s << "," << level;
}

TEST(WorkedExample, WritesTheLocaleSeparator)
{
    EXPECT_EQ(stk::present(run(worked), ",").cell(stk::Line::tt, 1), "788,3407");
}

// The closed form of the rows, worked out apart from the step-by-step model.
struct ClosedCase {
    const char* name;
    Inputs in;
};
void PrintTo(const ClosedCase& c, std::ostream* os) { *os << c.name; }

class ClosedForm : public testing::TestWithParam<ClosedCase> {};

TEST_P(ClosedForm, RowsMatchTheClosedFormAndAddUp)
{
    const auto num = [&](Field f) { return std::stod(std::string(GetParam().in[static_cast<std::size_t>(f)])); };
    const double cc = num(Field::cct), ts = num(Field::tst), da = num(Field::dat), ps = num(Field::pst),
                 uu = num(Field::uut), dv = num(Field::dvt), cr = num(Field::crt), nb = num(Field::nbt);
    const double p = 1 - std::exp(-std::min(1.0, da * uu / (52 * dv)));
    const auto c = run(GetParam().in);
    const auto near = [](double got, double want) { return std::fabs(got - want) <= 2e-6 * std::fabs(want) + 1e-9; };
    EXPECT_PRED2(near, c.rows.r[0], cr * da * 7 * nb * (1 - std::exp(-1.0)));
    for (std::size_t i = 1; i < 5; ++i) {
        const double n = static_cast<double>(i);
        const double risk = cr * da * (7 * std::max(nb - n, 0.0) * p + 3.5 * std::min(n, nb) * std::pow(p, n));
        EXPECT_PRED2(near, c.rows.r[i], risk) << "risk " << i;
        EXPECT_PRED2(near, c.rows.cd[i], n * ps * uu / dv) << "direct " << i;
        EXPECT_PRED2(near, c.rows.t[i], cc + n * ps * (100 + ts) / 100 + risk) << "total " << i;
        EXPECT_PRED2(near, double(c.rows.r[i]) + c.rows.cd[i] + c.rows.cg[i], c.rows.t[i]) << "sum " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ClosedForm,
    testing::Values(ClosedCase{"worked", worked},
                    ClosedCase{"lead_time_beyond_life", with(Field::dat, "300")},  // 300 weeks > 52 * 10000 / 2000
                    ClosedCase{"fractional_parts", {"10", "1.5", "2", "80", "3000", "5000", "300", "1.5"}},
                    ClosedCase{"many_parts", {"120", "3", "12", "45.5", "4000", "6000", "150", "12"}},
                    ClosedCase{"negative_price", with(Field::pst, "-200")},
                    ClosedCase{"days_not_weeks", {"25", "1", "0.5", "900", "1200", "30000", "10000", "2"}}));

// An empty field reads 0 and the steps it makes fail leave 0; a total is the sum of its parts.
struct ZeroCase {
    const char* name;
    Inputs in;
    Row risk, direct, mgmt;
    int imin;
};
void PrintTo(const ZeroCase& c, std::ostream* os) { *os << c.name; }

class ZeroInputs : public testing::TestWithParam<ZeroCase> {};

TEST_P(ZeroInputs, FailedStepsLeaveZero)
{
    const auto& z = GetParam();
    const auto c = run(z.in);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(c.rows.r[i], z.risk[i]) << "risk " << i;
        EXPECT_FLOAT_EQ(c.rows.cd[i], z.direct[i]) << "direct " << i;
        EXPECT_FLOAT_EQ(c.rows.cg[i], z.mgmt[i]) << "management " << i;
        EXPECT_FLOAT_EQ(c.rows.t[i], z.risk[i] + z.direct[i] + z.mgmt[i]) << "total " << i;
    }
    EXPECT_EQ(c.imin, z.imin);
}

constexpr double e1 = 0.63212055882855767;  // 1 - e^-1
constexpr Row stock{0, 254, 458, 662, 866}, none{};

INSTANTIATE_TEST_SUITE_P(
    Table, ZeroInputs,
    testing::Values(
        ZeroCase{"all_empty", {}, none, none, none, 1},
        // dv = 0: no direct cost, and the risks of rows 1 to 4 cannot be formed.
        ZeroCase{"no_life", with(Field::dvt, ""), {float(42000 * e1), 0, 0, 0, 0}, none, stock, 1},
        // uu = 0: the lead-time test fails, so every row uses the factor 1 - e^-1.
        ZeroCase{"no_use",
                 with(Field::uut, ""),
                 {float(42000 * e1), float(35000 * e1), float(14000 * e1 + 14000 * e1 * e1),
                  float(21000 * e1 * e1 * e1), float(21000 * e1 * e1 * e1 * e1)},
                 none,
                 stock,
                 4},
        ZeroCase{"no_parts", with(Field::nbt, ""), none, none, stock, 0},
        ZeroCase{"no_lead_time", with(Field::dat, ""), none, {0, 40, 80, 120, 160}, {0, 214, 378, 542, 706}, 0}));

TEST(FailedStep, NumberBeyondTheDoubleRangeLeavesTheRiskAtZero)
{
    EXPECT_EQ(run(with(Field::crt, "1E400")).rows.r, none);
}

TEST(FailedStep, StorageRateBeyondTheSingleRangeReadsAsZero)
{
    EXPECT_EQ(run(with(Field::tst, "1E30")).params.ts, 1e30f);
    EXPECT_EQ(run(with(Field::tst, "1E39")).params.ts, 0.0f);  // a double, but beyond the single range
}

TEST(FailedStep, ShowsNothingOfAnEarlierValidCalculation)
{
    const auto valid = stk::present(run(worked), ".");
    const auto after = stk::present(run(with(Field::dvt, "")), ".");
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(after.cell(stk::Line::rt, i) + after.cell(stk::Line::cdt, i), "00") << valid.cell(stk::Line::rt, i);
}

// 4e38 cannot be stored: the total starts from 0, management is 0 less the direct cost.
TEST(FailedStep, TotalBeyondTheSingleRangeStartsFromZero)
{
    const auto c = run(with(Field::tst, "0", with(Field::pst, "1E38")));
    EXPECT_FLOAT_EQ(c.rows.t[3], 3e38f);
    EXPECT_EQ(c.rows.t[4], c.rows.r[4]);
    EXPECT_EQ(c.rows.cg[4], -c.rows.cd[4]);
}

TEST(FailedStep, ChartSumBeyondTheSingleRangeShowsZero)
{
    const auto big = run({"0", "0", "4", "3E38", "10000", "10000", "1E37", "3"});
    const auto p = stk::present(big, ".");
    EXPECT_EQ(p.chart[0][1], stk::round7(big.rows.r[1]));
    EXPECT_EQ((std::array{p.chart[1][1], p.chart[2][1]}), (std::array{0.0, 0.0}));
}

TEST(Recommend, PicksTheSmallestTotalWithTheLowerRowOnATie)
{
    const std::pair<Row, int> cases[] = {
        {{5, 3, 3, 4, 4}, 1},  // rows 1 and 2 equal and smallest: the lower row
        {{3, 4, 3, 5, 5}, 2},  // row 0 equal to the smallest of rows 1 to 4 loses
        {{2, 4, 3, 5, 5}, 0},
        {{0, 0, 0, 0, 0}, 1},
        {{9, 8, 7, 6, 5}, 4},
        {{3e7f, 3e7f + 4, 4e7f, 5e7f, 6e7f}, 0},  // beyond 16777216 the true minimum still wins
        {{3e7f, 3e7f, 4e7f, 5e7f, 6e7f}, 1}};
    for (const auto& [totals, imin] : cases)
        EXPECT_EQ(stk::recommend(stk::Rows{.t = totals}), imin) << totals[0] << " " << totals[1];
}

}  // namespace

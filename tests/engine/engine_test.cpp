// The engine: reading number texts, the cost model and what a calculation shows.
#include "engine/checked.h"
#include "engine/model.h"
#include "engine/numtext.h"
#include "engine/presentation.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace {

using stk::Field;

struct ValCase {
    std::string text;
    std::optional<double> value;
};  // no value: the reading step fails
void PrintTo(const ValCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

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

// In both locales, whatever num_text writes dbl_text reads back as the rounded value, over
// many magnitudes; it takes nothing but a whole number.
TEST(RoundTrip, DblTextReadsOnlyWhatNumTextWrites)
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

using Inputs = std::array<std::string_view, stk::field_count>;  // cct tst dat pst uut dvt crt nbt
using Row = std::array<float, stk::level_count>;

constexpr Inputs worked = stk::worked::texts;

stk::Calculation run(const Inputs& in) { return stk::calc(stk::worked::field_texts(in)); }

Inputs with(Field f, std::string_view text, Inputs in = worked)
{
    in[static_cast<std::size_t>(f)] = text;
    return in;
}

// The four lines of the table, each as its five texts separated by spaces, and the recommended stock, for inputs off
// the worked example: known figures, checked against the closed form r(0) = cr da 7 nb (1 - e^-1), r(n) = cr da (7
// max(nb - n, 0) p + 3.5 min(n, nb) p^n), p = 1 - e^-min(1, da uu / 52 dv). An empty field reads 0, and the steps it
// makes fail leave 0.
struct KnownCase {
    const char* name;
    Inputs in;
    std::string risk, direct, management, total, recommended;
};
void PrintTo(const KnownCase& c, std::ostream* os) { *os << c.name; }

class KnownFigures : public testing::TestWithParam<KnownCase> {};

TEST_P(KnownFigures, FillTheTableToTheDigit)
{
    stk::present(run(worked), ".");  // an earlier valid calculation leaves nothing behind
    const auto p = stk::present(run(GetParam().in), ".");
    const auto shown = [&](stk::Line line) {
        std::string texts;
        for (int i = 0; i < stk::level_count; ++i)
            texts += (i ? " " : "") + p.cell(line, i);
        return texts;
    };
    EXPECT_EQ(shown(stk::Line::rt), GetParam().risk);
    EXPECT_EQ(shown(stk::Line::cdt), GetParam().direct);
    EXPECT_EQ(shown(stk::Line::cgt), GetParam().management);
    EXPECT_EQ(shown(stk::Line::tt), GetParam().total);
    EXPECT_EQ(p.recommended, GetParam().recommended);
}

const char* const zeros = "0 0 0 0 0";
const char* const stock = "0 254 458 662 866";  // the worked example's direct plus management costs

INSTANTIATE_TEST_SUITE_P(
    Inputs, KnownFigures,
    testing::Values(
        KnownCase{"lead_time_beyond_life",  // 300 weeks > 52 * 10000 / 2000
                  with(Field::dat, "300"), "1991180 1659316 1083282 397814.2 251466.5", "0 40 80 120 160",
                  "0 214 378 542 706", "1991180 1659570 1083740 398476.2 252332.5", "4"},
        KnownCase{"fractional_parts", Inputs{"10", "1.5", "2", "80", "3000", "5000", "300", "1.5"},
                  "3982.36 95.81329 1.639319 0.03739727 0.0008531322", "0 48 96 144 192", "0 43.2 76.39999 109.6 142.8",
                  "3982.36 187.0133 174.0393 253.6374 334.8008", "2"},
        KnownCase{"many_parts", Inputs{"120", "3", "12", "45.5", "4000", "6000", "150", "12"},
                  "95576.62 20662.17 18223.31 16225.2 14384.1", "0 30.33333 60.66667 91 121.3333",
                  "0 136.5317 153.0633 169.595 186.1266", "95576.62 20829.04 18437.04 16485.79 14691.56", "4"},
        KnownCase{"negative_price", with(Field::pst, "-200"), "26549.06 534.3407 216.9994 0.07472568 0.001140828",
                  "0 -40 -80 -120 -160", "0 -114 -278 -442 -606", "26549.06 380.3407 -141.0006 -561.9253 -765.9988",
                  "4"},
        KnownCase{"days_not_weeks", Inputs{"25", "1", "0.5", "900", "1200", "30000", "10000", "2"},
                  "44248.44 20.18843 0.005175524 1.990203E-06 7.653156E-10", "0 36 72 108 144", "0 898 1771 2644 3517",
                  "44248.44 954.1884 1843.005 2752 3661", "1"},
        KnownCase{"all_empty", Inputs{}, zeros, zeros, zeros, zeros, "1"},
        // dv = 0: no direct cost, and the risks of rows 1 to 4 cannot be formed.
        KnownCase{"no_life", with(Field::dvt, ""), "26549.06 0 0 0 0", zeros, stock, "26549.06 254 458 662 866", "1"},
        // uu = 0: the lead-time test fails, so every row uses the factor 1 - e^-1.
        KnownCase{"no_use", with(Field::uut, ""), "26549.06 22124.22 14443.76 5304.189 3352.887", zeros, stock,
                  "26549.06 22378.22 14901.76 5966.189 4218.887", "4"},
        KnownCase{"no_parts", with(Field::nbt, ""), zeros, zeros, stock, stock, "0"},
        KnownCase{"no_lead_time", with(Field::dat, ""), zeros, "0 40 80 120 160", "0 214 378 542 706", stock, "0"},
        KnownCase{"stock_out_cost_beyond_double", with(Field::crt, "1E400"), zeros, "0 40 80 120 160",
                  "0 214 378 542 706", stock, "0"}));

TEST(FailedStep, StorageRateBeyondTheSingleRangeReadsAsZero)
{
    EXPECT_EQ(run(with(Field::tst, "1E30")).params.ts, 1e30f);
    EXPECT_EQ(run(with(Field::tst, "1E39")).params.ts, 0.0f);  // a double, but beyond the single range
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

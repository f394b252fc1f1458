// The cost model, the recommended stock and the result texts.
#include "engine/model.h"
#include "engine/numtext.h"
#include "engine/presentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using stk::Field;

struct Inputs {
    std::string cct, tst, dat, pst, uut, dvt, crt, nbt;
};

stk::Calculation run(const Inputs& in)
{
    stk::FieldTexts t;
    t[Field::cct] = in.cct;
    t[Field::tst] = in.tst;
    t[Field::dat] = in.dat;
    t[Field::pst] = in.pst;
    t[Field::uut] = in.uut;
    t[Field::dvt] = in.dvt;
    t[Field::crt] = in.crt;
    t[Field::nbt] = in.nbt;
    return stk::calc(t);
}

const Inputs worked{"50", "2", "4", "200", "2000", "10000", "500", "3"};

using Texts = std::array<std::array<const char*, 5>, 5>;

void expect_cells(const stk::Presentation& p, const Texts& lines)
{
    for (std::size_t line = 0; line < 5; ++line)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(p.cell(static_cast<stk::Line>(line), i), lines[line][static_cast<std::size_t>(i)])
                << stk::line_names[line] << "(" << i << ")";
}

TEST(WorkedExample, GivesTheTwentyFiveTextsAndRecommendsThree)
{
    const auto c = run(worked);
    const auto p = stk::present(c, ".");
    expect_cells(p, {{{"0", "1", "2", "3", "4"},
                      {"26549.06", "534.3407", "216.9994", "0.07472568", "0.001140828"},
                      {"0", "40", "80", "120", "160"},
                      {"0", "214", "378", "542", "706"},
                      {"26549.06", "788.3407", "674.9994", "662.0747", "866.0012"}}});
    EXPECT_EQ(p.recommended, "3");
    EXPECT_EQ(c.imin, 3);
}

TEST(WorkedExample, ChartHoldsTheCumulativeCosts)
{
    const auto p = stk::present(run(worked), ".");
    const double risk[] = {26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828};
    const double direct[] = {26549.06, 574.3407, 296.9994, 120.0747, 160.0011};
    const double total[] = {26549.06, 788.3407, 674.9994, 662.0747, 866.0012};
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(p.chart[0][static_cast<std::size_t>(i)], risk[i]);
        EXPECT_DOUBLE_EQ(p.chart[1][static_cast<std::size_t>(i)], direct[i]);
        EXPECT_DOUBLE_EQ(p.chart[2][static_cast<std::size_t>(i)], total[i]);
    }
}

TEST(WorkedExample, CommaLocaleWritesCommas)
{
    const auto p = stk::present(run(worked), ",");
    EXPECT_EQ(p.cell(stk::Line::rt, 1), "534,3407");
    EXPECT_EQ(p.cell(stk::Line::tt, 4), "866,0012");
    EXPECT_EQ(p.cell(stk::Line::cgt, 2), "378");
}

// The closed form of a row, computed independently of the step-by-step model.
struct Closed {
    double risk[5], direct[5], total[5];
};

Closed closed_form(double cc, double ts, double da, double ps, double uu, double dv, double cr, double nb)
{
    Closed c{};
    const double q = std::min(1.0, da * uu / (52 * dv));
    const double p = 1 - std::exp(-q);
    c.risk[0] = cr * da * 7 * nb * (1 - std::exp(-1.0));
    c.total[0] = c.risk[0];
    for (int i = 1; i < 5; ++i) {
        c.risk[i] = cr * da * (7 * std::max(nb - i, 0.0) * p + 3.5 * std::min<double>(i, nb) * std::pow(p, i));
        c.direct[i] = i * ps * uu / dv;
        c.total[i] = cc + i * ps * (100 + ts) / 100 + c.risk[i];
    }
    return c;
}

struct ModelCase {
    const char* name;
    Inputs in;
    double cc, ts, da, ps, uu, dv, cr, nb;
};

class ClosedForm : public testing::TestWithParam<ModelCase> {};

TEST_P(ClosedForm, RowsMatchTheClosedFormAndAddUp)
{
    const auto& m = GetParam();
    const auto c = run(m.in);
    const auto x = closed_form(m.cc, m.ts, m.da, m.ps, m.uu, m.dv, m.cr, m.nb);
    const auto near = [](double got, double want) { return std::fabs(got - want) <= 2e-6 * std::fabs(want) + 1e-9; };
    for (int i = 0; i < 5; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_EQ(c.rows.ss[k], static_cast<float>(i));
        EXPECT_PRED2(near, c.rows.r[k], x.risk[i]) << "risk " << i;
        EXPECT_PRED2(near, c.rows.cd[k], x.direct[i]) << "direct " << i;
        EXPECT_PRED2(near, c.rows.t[k], x.total[i]) << "total " << i;
        EXPECT_PRED2(near, static_cast<double>(c.rows.r[k]) + c.rows.cd[k] + c.rows.cg[k], c.rows.t[k]) << "sum " << i;
    }
    // The recommendation is the true minimum: lowest row among 1 to 4, row 0 only when strictly below.
    int best = 1;
    for (int i = 2; i < 5; ++i)
        if (c.rows.t[static_cast<std::size_t>(i)] < c.rows.t[static_cast<std::size_t>(best)])
            best = i;
    if (c.rows.t[0] < c.rows.t[static_cast<std::size_t>(best)])
        best = 0;
    EXPECT_EQ(c.imin, best);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ClosedForm, testing::Values(
    ModelCase{"worked", worked, 50, 2, 4, 200, 2000, 10000, 500, 3},
    // The lead time exceeds the life in weeks (52 * 10000 / 2000 = 260): the whole life is used.
    ModelCase{"lead_time_beyond_life", {"50", "2", "300", "200", "2000", "10000", "500", "3"}, 50, 2, 300, 200, 2000, 10000, 500, 3},
    ModelCase{"fractional_parts", {"10", "1.5", "2", "80", "3000", "5000", "300", "1.5"}, 10, 1.5, 2, 80, 3000, 5000, 300, 1.5},
    ModelCase{"one_part", {"0", "0", "8", "1500", "8760", "20000", "2000", "1"}, 0, 0, 8, 1500, 8760, 20000, 2000, 1},
    ModelCase{"many_parts", {"120", "3", "12", "45.5", "4000", "6000", "150", "12"}, 120, 3, 12, 45.5, 4000, 6000, 150, 12},
    ModelCase{"negative_price", {"50", "2", "4", "-200", "2000", "10000", "500", "3"}, 50, 2, 4, -200, 2000, 10000, 500, 3},
    ModelCase{"days_not_weeks", {"25", "1", "0.5", "900", "1200", "30000", "10000", "2"}, 25, 1, 0.5, 900, 1200, 30000, 10000, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct ZeroCase {
    const char* name;
    Inputs in;
    std::array<float, 5> risk, direct, mgmt, total;
    int imin;
};

class ZeroInputs : public testing::TestWithParam<ZeroCase> {};

// A failed step leaves 0, so what is shown depends on the current texts alone.
TEST_P(ZeroInputs, FailedStepsLeaveZero)
{
    const auto& z = GetParam();
    const auto c = run(z.in);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(c.rows.r[i], z.risk[i]) << "risk " << i;
        EXPECT_FLOAT_EQ(c.rows.cd[i], z.direct[i]) << "direct " << i;
        EXPECT_FLOAT_EQ(c.rows.cg[i], z.mgmt[i]) << "management " << i;
        EXPECT_FLOAT_EQ(c.rows.t[i], z.total[i]) << "total " << i;
    }
    EXPECT_EQ(c.imin, z.imin);
}

constexpr double e1 = 0.63212055882855767;  // 1 - e^-1

INSTANTIATE_TEST_SUITE_P(Table, ZeroInputs, testing::Values(
    ZeroCase{"all_empty", {}, {}, {}, {}, {}, 1},
    // dv = 0: no direct cost, and the risks of rows 1 to 4 cannot be formed (0/0).
    ZeroCase{"no_life", {"50", "2", "4", "200", "2000", "", "500", "3"},
             {float(500 * 4 * 7 * 3 * e1), 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 254, 458, 662, 866},
             {float(500 * 4 * 7 * 3 * e1), 254, 458, 662, 866}, 1},
    // uu = 0: the lead-time test fails, so every row uses the factor 1 - e^-1.
    ZeroCase{"no_use", {"50", "2", "4", "200", "", "10000", "500", "3"},
             {float(42000 * e1), float(28000 * e1 + 7000 * e1), float(14000 * e1 + 14000 * e1 * e1),
              float(21000 * e1 * e1 * e1), float(21000 * e1 * e1 * e1 * e1)},
             {0, 0, 0, 0, 0}, {0, 254, 458, 662, 866},
             {float(42000 * e1), float(254 + float(35000 * e1)), float(458 + float(14000 * e1 + 14000 * e1 * e1)),
              float(662 + float(21000 * e1 * e1 * e1)), float(866 + float(21000 * e1 * e1 * e1 * e1))}, 4},
    // nb = 0: no risk, and the direct costs cannot be formed (0/0).
    ZeroCase{"no_parts", {"50", "2", "4", "200", "2000", "10000", "500", ""},
             {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 254, 458, 662, 866}, {0, 254, 458, 662, 866}, 0},
    // da = 0: no risk; totals are order cost plus stock value.
    ZeroCase{"no_lead_time", {"50", "2", "", "200", "2000", "10000", "500", "3"},
             {0, 0, 0, 0, 0}, {0, 40, 80, 120, 160}, {0, 214, 378, 542, 706}, {0, 254, 458, 662, 866}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailedStep, ACalculationAfterAValidOneShowsNothingOfIt)
{
    const auto valid = stk::present(run(worked), ".");
    Inputs emptied = worked;
    emptied.dvt = "";
    const auto after = stk::present(run(emptied), ".");
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(after.cell(stk::Line::rt, i), "0") << i;
        EXPECT_EQ(after.cell(stk::Line::cdt, i), "0") << i;
        EXPECT_NE(after.cell(stk::Line::tt, i), valid.cell(stk::Line::tt, i)) << i;
    }
}

TEST(FailedStep, NumberBeyondDoubleRangeReadsAsEmpty)
{
    Inputs in = worked;
    in.crt = "1E400";
    const auto c = run(in);
    EXPECT_EQ(c.params.cr, 0.0);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(c.rows.r[i], 0.0f);

    in = worked;
    in.tst = "1E400";
    EXPECT_EQ(run(in).params.ts, 0.0f);
    EXPECT_FLOAT_EQ(run(in).rows.t[1], 250.0f + run(in).rows.r[1]);
}

TEST(FailedStep, StorageRateBeyondSingleRangeReadsAsEmpty)
{
    Inputs in = worked;
    in.tst = "1E30";
    EXPECT_EQ(run(in).params.ts, 1e30f);
    in.tst = "1E39";  // a double, but beyond the single range
    EXPECT_EQ(run(in).params.ts, 0.0f);
}

TEST(FailedStep, TotalBeyondSingleRangeIsNotStored)
{
    Inputs in = worked;
    in.pst = "1E38";
    in.tst = "0";
    const auto c = run(in);
    EXPECT_FLOAT_EQ(c.rows.t[1], 1e38f);
    EXPECT_FLOAT_EQ(c.rows.t[3], 3e38f);
    // 4e38 cannot be stored: the stock value is skipped, so the total starts from 0
    // and the management cost is 0 less the direct cost.
    EXPECT_EQ(c.rows.t[4], c.rows.r[4]);
    EXPECT_EQ(c.rows.cg[4], -c.rows.cd[4]);
    // The chart's cumulative sums that cannot be stored show 0.
    in = {"0", "0", "4", "3E38", "10000", "10000", "1E37", "3"};
    const auto p = stk::present(run(in), ".");
    EXPECT_EQ(p.chart[0][1], stk::round7(run(in).rows.r[1]));
    EXPECT_EQ(p.chart[1][1], 0.0);
    EXPECT_EQ(p.chart[2][1], 0.0);
}

TEST(Recommend, TiesAndTheTrueMinimum)
{
    struct Case {
        std::array<float, 5> totals;
        int imin;
    };
    const Case cases[] = {
        {{5, 3, 3, 4, 4}, 1},       // rows 1 and 2 equal and smallest: the lower row
        {{3, 4, 3, 5, 5}, 2},       // row 0 equal to the smallest of rows 1 to 4 loses
        {{2, 4, 3, 5, 5}, 0},       // row 0 strictly below
        {{0, 0, 0, 0, 0}, 1},       // all empty
        {{9, 8, 7, 6, 5}, 4},
        {{3e7f, 3e7f + 4, 4e7f, 5e7f, 6e7f}, 0},  // beyond 16777216 the true minimum still wins
        {{3e7f, 3e7f, 4e7f, 5e7f, 6e7f}, 1},
    };
    for (const auto& c : cases) {
        stk::Rows rows;
        rows.t = c.totals;
        EXPECT_EQ(stk::recommend(rows), c.imin) << c.totals[0] << " " << c.totals[1];
    }
}

TEST(Recommend, LargeRowZeroRiskBelowEveryOtherTotal)
{
    // Row-0 risk 1e6 * 10 * 7 * e1 = 4.4e7; every stocked row costs over 1e9.
    const auto c = run({"0", "0", "10", "1000000000", "2000", "10000", "1000000", "1"});
    EXPECT_GT(c.rows.t[0], 16777216.0f);
    EXPECT_EQ(c.imin, 0);
}

TEST(FractionalParts, CoveredAndUncoveredParts)
{
    const auto c = run({"0", "0", "4", "200", "2000", "10000", "500", "1.5"});
    const double p = 1 - std::exp(-4.0 * 2000 / (52 * 10000));
    EXPECT_FLOAT_EQ(c.rows.r[1], float(500 * 4 * 7 * 0.5 * p + 500 * 4 * 3.5 * 1 * p));
    EXPECT_FLOAT_EQ(c.rows.r[2], float(500 * 4 * 3.5 * 1.5 * p * p));
}

}  // namespace

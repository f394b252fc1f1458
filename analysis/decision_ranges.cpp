#include "analysis/decision_ranges.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

namespace stk {
namespace {

// Scan points per side: successive points differ by a factor of about 1.035.
constexpr int scan_steps = 200;
// A zero value is scanned from 1/1000 to 1000 away from it, the same ratio per step.
constexpr double zero_first = 1.0 / range_factor;
constexpr int zero_scan_steps = 2 * scan_steps;
// Bisection stops when the bracket is this narrow relative to the bound.
constexpr double bisect_tolerance = 1e-6;
constexpr int bisect_limit = 80;

int recommended(const Params& p, Field f, double value) { return recommend(evaluate(with_value(p, f, value))); }

double saturate(double v) { return std::clamp(v, -DBL_MAX, DBL_MAX); }

// The far end of the searched span on one side (dir = +1 upward, -1 downward).
double span_end(double x, int dir)
{
    if (x == 0)
        return dir * range_factor;
    const bool away = (x > 0) == (dir > 0);  // moving away from zero
    return saturate(away ? x * range_factor : x / range_factor);
}

// The k-th scan point from x toward span_end(x, dir), k = 0 .. steps(x).
int steps(double x) { return x == 0 ? zero_scan_steps : scan_steps; }

double scan_point(double x, int dir, int k)
{
    if (k == 0)
        return x;
    if (k >= steps(x))
        return span_end(x, dir);
    if (x == 0)
        return dir * zero_first * std::pow(range_factor / zero_first, double(k - 1) / (zero_scan_steps - 1));
    const double ratio = std::pow(range_factor, double(k) / scan_steps);
    const bool away = (x > 0) == (dir > 0);
    return saturate(away ? x * ratio : x / ratio);
}

// Narrows [same, other] (the stock is `stock` at `same`, not at `other`) down
// to the point where it changes.
RangeSide bisect(const Params& p, Field f, int stock, double same, double other)
{
    for (int i = 0; i < bisect_limit; ++i) {
        const double mid = same + (other - same) / 2;
        if (mid == same || mid == other)
            break;
        if (recommended(p, f, mid) == stock)
            same = mid;
        else
            other = mid;
        if (std::fabs(other - same) <= bisect_tolerance * std::max(std::fabs(same), std::fabs(other)))
            break;
    }
    return {true, same + (other - same) / 2, recommended(p, f, other)};
}

RangeSide scan_side(const Params& p, Field f, int stock, double x, int dir)
{
    double same = x;
    for (int k = 1; k <= steps(x); ++k) {
        const double next = scan_point(x, dir, k);
        if (next == same)
            continue;
        if (recommended(p, f, next) != stock)
            return bisect(p, f, stock, same, next);
        same = next;
    }
    return {false, span_end(x, dir), -1};
}

using Totals = std::array<float, level_count>;

Totals totals_at(const Params& p, Field f, double value) { return evaluate(with_value(p, f, value)).t; }

// The totals as lines F + G * value, fitted through the two ends of the span.
struct Lines {
    std::array<double, level_count> f{}, g{};
    double at(int level, double v) const { return f[std::size_t(level)] + g[std::size_t(level)] * v; }
};

bool fits(const Lines& lines, const Totals& t, double v)
{
    double scale = 0;
    for (float total : t)
        scale = std::max(scale, std::fabs(double(total)));
    for (int i = 0; i < level_count; ++i)
        if (!(std::fabs(lines.at(i, v) - t[std::size_t(i)]) <= 1e-5 * scale + 1e-30))
            return false;
    return true;
}

// The range from the crossings of the lines, or nothing when the totals do
// not follow lines over the span (a step fails somewhere in it, or the
// single-precision rounding disagrees with the lines near a bound).
std::optional<DecisionRange> exact_range(const Params& p, Field f, double x, int stock)
{
    const double lo_end = span_end(x, -1), hi_end = span_end(x, +1);
    const Totals t_lo = totals_at(p, f, lo_end), t_hi = totals_at(p, f, hi_end);
    Lines lines;
    for (std::size_t i = 0; i < level_count; ++i) {
        lines.g[i] = (double(t_hi[i]) - t_lo[i]) / (hi_end - lo_end);
        lines.f[i] = t_lo[i] - lines.g[i] * lo_end;
        if (!std::isfinite(lines.g[i]) || !std::isfinite(lines.f[i]))
            return std::nullopt;
    }
    // The lines must hold across the span, not only at its ends.
    for (double v : {x, scan_point(x, -1, scan_steps / 2), scan_point(x, +1, scan_steps / 2)})
        if (!fits(lines, totals_at(p, f, v), v))
            return std::nullopt;

    // The stock stays while its total is at most every other one.
    DecisionRange r;
    r.field = f;
    r.value = x;
    r.stock = stock;
    r.exact = true;
    double lo = -std::numeric_limits<double>::infinity(), hi = std::numeric_limits<double>::infinity();
    int lo_by = -1, hi_by = -1;
    for (int j = 0; j < level_count; ++j) {
        if (j == stock)
            continue;
        const double df = lines.f[std::size_t(j)] - lines.f[std::size_t(stock)];
        const double dg = lines.g[std::size_t(j)] - lines.g[std::size_t(stock)];
        if (dg == 0)
            continue;
        const double cross = -df / dg;
        // dg > 0: j overtakes the stock below the crossing, dg < 0 above it.
        // Of lines crossing at the same point the steepest is lowest past it.
        const auto slope = [&](int level) { return lines.g[std::size_t(level)] - lines.g[std::size_t(stock)]; };
        if (dg > 0 && (cross > lo || (cross == lo && lo_by >= 0 && dg > slope(lo_by)))) {
            lo = cross;
            lo_by = j;
        } else if (dg < 0 && (cross < hi || (cross == hi && hi_by >= 0 && dg < slope(hi_by)))) {
            hi = cross;
            hi_by = j;
        }
    }
    if (!(lo <= x && x <= hi))
        return std::nullopt;
    const auto side = [&](double bound, int by, int dir) -> std::optional<RangeSide> {
        const double end = span_end(x, dir);
        const bool inside = dir > 0 ? bound < end : bound > end;
        if (by < 0 || !inside)
            return RangeSide{false, end, -1};
        // The engine must agree just inside the bound; past it, the engine
        // names the stock (the line's own stock when rounding keeps the old one).
        if (recommended(p, f, bound - (bound - x) * 1e-4) != stock)
            return std::nullopt;
        const double scale = std::max(std::fabs(bound), std::fabs(x));
        const double past = bound + dir * (scale > 0 ? scale : zero_first) * 1e-9;
        const int beyond = recommended(p, f, past);
        return RangeSide{true, bound + 0.0, beyond != stock ? beyond : by};
    };
    const auto low = side(lo, lo_by, -1), high = side(hi, hi_by, +1);
    if (!low || !high)
        return std::nullopt;
    r.low = *low;
    r.high = *high;
    return r;
}

}  // namespace

Params with_value(Params p, Field f, double value)
{
    switch (f) {
    case Field::cct:
        p.cc = value;
        break;
    case Field::tst:
        p.ts = std::fabs(value) <= FLT_MAX ? static_cast<float>(value) : 0.0f;
        break;
    case Field::dat:
        p.da = value;
        break;
    case Field::pst:
        p.ps = value;
        break;
    case Field::uut:
        p.uu = value;
        break;
    case Field::dvt:
        p.dv = value;
        break;
    case Field::crt:
        p.cr = value;
        break;
    case Field::nbt:
        p.nb = value;
        break;
    }
    return p;
}

bool enters_linearly(Field f) { return f == Field::cct || f == Field::tst || f == Field::pst || f == Field::crt; }

DecisionRange decision_range(const Params& p, Field f)
{
    const double x = param_value(p, f);
    const int stock = recommend(evaluate(p));
    if (enters_linearly(f))
        if (auto exact = exact_range(p, f, x, stock))
            return *exact;
    DecisionRange r;
    r.field = f;
    r.value = x;
    r.stock = stock;
    r.low = scan_side(p, f, stock, x, -1);
    r.high = scan_side(p, f, stock, x, +1);
    return r;
}

DecisionRanges decision_ranges(const Params& p)
{
    DecisionRanges out;
    for (const FieldInfo& info : fields)
        out[static_cast<std::size_t>(info.field)] = decision_range(p, info.field);
    return out;
}

DecisionRanges decision_ranges(const FieldTexts& texts) { return decision_ranges(read_params(texts)); }

}  // namespace stk

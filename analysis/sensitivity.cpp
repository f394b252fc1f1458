#include "analysis/sensitivity.h"

#include "analysis/reading.h"
#include "engine/checked.h"

#include <cmath>
#include <cstddef>

namespace stk {
namespace {

// The number each pass lowers, in pass order.
constexpr std::array<double Params::*, sensitive_fields.size()> lowered{&Params::da, &Params::ps, &Params::uu,
                                                                        &Params::dv, &Params::cr};

constexpr double lowering = 0.99;

// The recommended level and its total, as the results table shows them.
struct Reference {
    int level = 0;
    Dbl total;
};

double round_half_even(double v)
{
    if (std::fabs(v - std::trunc(v)) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return std::round(v);
}

// The displayed recommended level; fails when it cannot be read or names no row.
int displayed_level(const ShownCalculation& shown)
{
    const double level = round_half_even(read_number(shown.recommended, shown.separator));
    if (!(level >= 0 && level < level_count))
        fail();
    return static_cast<int>(level);
}

std::optional<Reference> read_reference(const ShownCalculation& shown)
{
    std::optional<Reference> ref;
    step([&] {
        const int level = displayed_level(shown);
        ref = Reference{level, read_number(shown.totals[static_cast<std::size_t>(level)], shown.separator)};
    });
    return ref;
}

std::int16_t most_sensitive(const Params& read, const Reference& ref)
{
    std::int16_t winner = 0;
    Dbl dmax = 0;
    for (std::size_t pass = 0; pass < lowered.size(); ++pass) {
        Params p = read;
        const float before = evaluate(p).t[ref.level];
        p.*lowered[pass] *= lowering;
        const float after = evaluate(p).t[ref.level];
        if (after == before)
            continue;  // this parameter does not move the total at all
        bool wins = false;
        Dbl change;
        step([&] {
            change = abs(Dbl(after) - ref.total);
            wins = change > dmax;
        });
        if (wins) {
            winner = static_cast<std::int16_t>(pass + 1);
            dmax = change;
        }
    }
    return winner;
}

}  // namespace

std::optional<Field> sensitive_field(std::int16_t isens)
{
    if (isens < 1 || isens > static_cast<std::int16_t>(sensitive_fields.size()))
        return std::nullopt;
    return sensitive_fields[static_cast<std::size_t>(isens - 1)];
}

std::int16_t most_sensitive(const ShownCalculation& shown)
{
    const auto ref = read_reference(shown);
    return ref ? most_sensitive(read_params(shown.fields), *ref) : 0;
}

}  // namespace stk

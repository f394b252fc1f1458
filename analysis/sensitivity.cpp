#include "analysis/sensitivity.h"

#include "analysis/reading.h"
#include "engine/checked.h"
#include "engine/model.h"

#include <cmath>
#include <cstddef>
#include <string>

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
int displayed_level(const AnalysisForm& form, std::string_view separator)
{
    const double level = round_half_even(read_number(form.recommended_text(), separator));
    if (!(level >= 0 && level < level_count))
        fail();
    return static_cast<int>(level);
}

std::optional<Reference> read_reference(const AnalysisForm& form)
{
    const std::string separator = form.decimal_separator();
    std::optional<Reference> ref;
    step([&] {
        const int level = displayed_level(form, separator);
        ref = Reference{level, read_number(form.result_text(Line::tt, level), separator)};
    });
    return ref;
}

Params read_fields(const AnalysisForm& form)
{
    std::array<std::string, field_count> store;
    FieldTexts texts;
    for (const auto& f : fields) {
        store[static_cast<std::size_t>(f.field)] = form.field_text(f.field);
        texts[f.field] = store[static_cast<std::size_t>(f.field)];
    }
    return read_params(texts);
}

// The pass (1 to 5) whose lowered parameter moves the reference total
// strictly furthest, the earliest on a tie; 0 when no parameter moves it.
std::int16_t most_sensitive(const AnalysisForm& form, const Reference& ref)
{
    std::int16_t winner = 0;
    Dbl dmax = 0;
    for (std::size_t pass = 0; pass < lowered.size(); ++pass) {
        Params p = read_fields(form);
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

void show_normal(AnalysisForm& form)
{
    for (Field f : sensitive_fields)
        form.set_highlight(f, false);
}

void Command4_Click(AnalysisForm& form, Sensitivity& state)
{
    state.isens = 0;
    if (const auto ref = read_reference(form))
        state.isens = most_sensitive(form, *ref);

    show_normal(form);
    if (const auto f = sensitive_field(state.isens))
        form.set_highlight(*f, true);

    state.nclig = 0;
    form.set_timer_interval(flash_interval_ms);
    form.calc();
}

}  // namespace stk

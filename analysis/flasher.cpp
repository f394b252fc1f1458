#include "analysis/flasher.h"

#include "engine/checked.h"

#include <limits>

namespace stk {
namespace {

constexpr std::int16_t last_tick = 7;

}  // namespace

void Timer1_Timer(AnalysisForm& form, Sensitivity& state)
{
    show_normal(form);
    step([&] {
        if (state.nclig == std::numeric_limits<std::int16_t>::max())
            fail();
        state.nclig = static_cast<std::int16_t>(state.nclig + 1);
    });
    if (state.nclig >= last_tick) {
        form.set_timer_interval(0);
        return;
    }
    if (state.nclig % 2 == 0)
        if (const auto f = sensitive_field(state.isens))
            form.set_highlight(*f, true);
}

}  // namespace stk

#include "analysis/flasher.h"

#include "engine/checked.h"

#include <limits>

namespace stk {
namespace {

constexpr std::int16_t last_tick = 7;

}  // namespace

FlashStep count_tick(Sensitivity& state)
{
    step([&] {
        if (state.nclig == std::numeric_limits<std::int16_t>::max())
            fail();
        state.nclig = static_cast<std::int16_t>(state.nclig + 1);
    });
    if (state.nclig >= last_tick)
        return {std::nullopt, true};
    if (state.nclig % 2 == 0)
        return {sensitive_field(state.isens), false};
    return {};
}

}  // namespace stk

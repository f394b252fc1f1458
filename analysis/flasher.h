// The flasher that blinks the most sensitive parameter after an analysis.
#pragma once

#include "analysis/sensitivity.h"

#include <optional>

namespace stk {

// What one tick shows: every parameter field back to normal, then `blink`
// highlighted; `stop` ends the flasher.
struct FlashStep {
    std::optional<Field> blink;
    bool stop = false;
};

// Counts one tick: the field blinks on even ticks and everything is normal for
// good from the seventh tick, which stops the flasher.
FlashStep count_tick(Sensitivity& state);

}  // namespace stk

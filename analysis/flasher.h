// The flasher that blinks the most sensitive parameter after an analysis.
#pragma once

#include "analysis/form.h"
#include "analysis/sensitivity.h"

namespace stk {

// Tick of the timer: the field blinks on even ticks and everything is normal
// for good from the seventh tick, which stops the timer.
void Timer1_Timer(AnalysisForm& form, Sensitivity& state);

}  // namespace stk

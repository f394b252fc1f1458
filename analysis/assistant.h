// The stock-out-cost assistant: the daily cost of a stock-out estimated from
// the yearly value of production.
#pragma once

#include "analysis/form.h"

#include <string>

namespace stk {

// Opens the panel and locks the calculator's frames.
void Command1_Click(AnalysisForm& form);
// Closes the panel without a change.
void Command2_Click(AnalysisForm& form);
// Closes the panel, then writes floor(vp x 1000000 / (jt x npi)) into crt.
// The panel is closed and the frames unlocked before anything is read.
void Command3_Click(AnalysisForm& form);

// A whole number as text: its digits with a leading minus when negative
// (negative zero is 0); from 10^15 in magnitude 15 significant digits with an
// exponent, as 1E+15 or -1.23456789012346E+15.
std::string plain_text(double whole);

}  // namespace stk

// The most-sensitive-parameter analysis: which article parameter, lowered by
// 1 %, moves the total of the recommended stock the most.
#pragma once

#include "analysis/form.h"
#include "engine/fields.h"

#include <array>
#include <cstdint>
#include <optional>

namespace stk {

// The analysis state the window keeps between events.
struct Sensitivity {
    // The most sensitive parameter: 0 none, 1 dat, 2 pst, 3 uut, 4 dvt, 5 crt.
    std::int16_t isens = 0;
    // Ticks of the flasher since the last analysis.
    std::int16_t nclig = 0;
};

// The five parameter fields in pass order; isens = position + 1.
inline constexpr std::array<Field, 5> sensitive_fields{Field::dat, Field::pst, Field::uut, Field::dvt, Field::crt};

inline constexpr int flash_interval_ms = 500;

// The field named by isens, none for 0 or any other value.
std::optional<Field> sensitive_field(std::int16_t isens);

// Sets the five parameter fields to the normal background, in pass order.
void show_normal(AnalysisForm& form);

// Runs the analysis: highlights the winner (if any), restarts the flasher and
// recalculates the window. Field texts never change.
void Command4_Click(AnalysisForm& form, Sensitivity& state);

}  // namespace stk

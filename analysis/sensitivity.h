// The most-sensitive-parameter analysis: which article parameter, lowered by
// 1 %, moves the total of the recommended stock the most.
#pragma once

#include "engine/fields.h"
#include "engine/model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace stk {

// The analysis state kept between events.
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

// What the analysis reads from the window: the texts it shows.
struct ShownCalculation {
    FieldTexts fields;
    std::string_view recommended;                      // sst(5)
    std::array<std::string_view, level_count> totals;  // tt(0) to tt(4)
    std::string_view separator;                        // the decimal separator of the results
};

// The pass (1 to 5) whose lowered parameter moves the shown total of the shown
// recommended stock strictly furthest, the earliest on a tie; 0 when no
// parameter moves it or the shown texts cannot be read.
std::int16_t most_sensitive(const ShownCalculation& shown);

}  // namespace stk

// The cost model: five candidate stocks of 0 to 4 spare parts, and the choice
// of the recommended one.
#pragma once

#include "engine/fields.h"

#include <array>

namespace stk {

inline constexpr int level_count = 5;  // stock levels 0 to 4

// The eight numbers read from the fields; a reading that fails leaves 0.
struct Params {
    double nb = 0, da = 0, ps = 0, uu = 0, dv = 0, cr = 0, cc = 0;
    float ts = 0;  // storage rate, kept in single precision
};

// The number the calculation reads from field `f`.
double param_value(const Params& p, Field f);

// The five rows, every value stored in single precision.
struct Rows {
    std::array<float, level_count> ss{};  // stock level
    std::array<float, level_count> r{};   // risk
    std::array<float, level_count> cd{};  // direct cost
    std::array<float, level_count> cg{};  // management cost
    std::array<float, level_count> t{};   // total
};

struct Calculation {
    Params params;
    Rows rows;
    int imin = 1;  // recommended safety stock, 0 to 4
};

// Reads the fields in their reading order with val_text.
Params read_params(const FieldTexts& texts);

// Evaluates levels 0 to 4 on given numbers. Every row starts at 0, so a failed
// step leaves 0 (or, within the calculation, what an earlier step stored).
Rows evaluate(const Params& p);

// The row with the smallest total: among rows 1 to 4 the smallest wins, the
// lower row on a tie; row 0 only when its total is strictly below that one.
int recommend(const Rows& rows);

// One whole calculation from the field texts.
Calculation calc(const FieldTexts& texts);

}  // namespace stk

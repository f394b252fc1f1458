// How firm the recommendation is: for each input, holding the other seven,
// the values of that input within which the recommended stock stays the same.
//
// Computed with the engine's own evaluation (same single-precision rows, same
// skip-on-failure steps, same recommendation rule), on demand: a handful of
// microseconds per input for the inputs the totals depend on linearly, a scan
// of a few hundred evaluations for the others.
#pragma once

#include "engine/fields.h"
#include "engine/model.h"

#include <array>

namespace stk {

// A side of the interval is searched up to this factor of the current value
// (from 1/1000 to 1000 times it); from -1000 to 1000 when the value is 0.
inline constexpr double range_factor = 1000;

struct RangeSide {
    // The recommendation changes on this side within the searched span.
    bool limited = false;
    // Where it changes (limited), or else the end of the searched span.
    double bound = 0;
    // The stock recommended just past the bound; -1 when not limited.
    int beyond = -1;
};

struct DecisionRange {
    Field field = Field::cct;
    double value = 0;  // the input's current value
    int stock = 1;     // the stock recommended now
    // The bounds are the crossings of the totals, which depend linearly on
    // this input; otherwise they were found by scanning and bisection to
    // better than 4 significant digits.
    bool exact = false;
    RangeSide low, high;
};

using DecisionRanges = std::array<DecisionRange, field_count>;

Params with_value(Params p, Field f, double value);

// The totals of every level are affine in these inputs: the order cost, the
// storage rate, the standard price and the daily stock-out cost.
bool enters_linearly(Field f);

DecisionRange decision_range(const Params& p, Field f);

// The eight ranges, in the order of the fields.
DecisionRanges decision_ranges(const Params& p);
DecisionRanges decision_ranges(const FieldTexts& texts);

}  // namespace stk

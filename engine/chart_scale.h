// The value axis of the results chart.
//
// Without stock the risk is usually many times every other cost, and a linear
// axis up to it would flatten the levels 1 to 4 that the planner compares. The
// axis therefore stops at the highest amount of levels 1 to 4 whenever level 0
// is more than twice that amount; the level-0 bars are then cut at the top of
// the plot and their amount is written above them. A linear axis keeps equal
// steps of money equally long, which a logarithmic one would not.
#pragma once

#include "engine/presentation.h"

namespace stk {

using ChartValues = decltype(Presentation::chart);

struct ValueScale {
    double low = 0;
    double high = 1;
    bool level0_cut = false;
    double level0_top = 0;  // the highest amount of level 0
};

inline constexpr double cut_ratio = 2.0;

ValueScale scale_for(const ChartValues& values);

// An axis from `low` to `high` widened to round steps of 1, 2, 2.5 or 5 times
// a power of ten, with about five ticks.
struct NiceAxis {
    double low = 0;
    double high = 1;
    int ticks = 2;
};

NiceAxis nice_axis(double low, double high);

}  // namespace stk

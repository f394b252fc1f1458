#include "ui/chart_scale.h"

#include <algorithm>

namespace stk::ui {

ValueScale scale_for(const ChartValues& values)
{
    ValueScale scale;
    double rest_top = 0;
    scale.level0_top = values[0][0];
    for (const auto& series : values) {
        scale.level0_top = std::max(scale.level0_top, series[0]);
        for (std::size_t level = 0; level < series.size(); ++level) {
            scale.low = std::min(scale.low, series[level]);
            if (level > 0)
                rest_top = std::max(rest_top, series[level]);
        }
    }
    scale.level0_cut = rest_top > 0 && scale.level0_top > cut_ratio * rest_top;
    scale.high = scale.level0_cut ? rest_top : std::max(rest_top, scale.level0_top);
    if (!(scale.high > scale.low))
        scale.high = scale.low + 1;
    // Headroom above the highest bar, so that it does not touch the frame.
    scale.high += (scale.high - scale.low) * 0.08;
    return scale;
}

}  // namespace stk::ui

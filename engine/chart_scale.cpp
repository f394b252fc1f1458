#include "engine/chart_scale.h"

#include <algorithm>
#include <cmath>

namespace stk {

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

NiceAxis nice_axis(double low, double high)
{
    const double span = high - low;
    if (!(span > 0) || !std::isfinite(span))
        return {low, high, 2};
    const double rough = span / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    NiceAxis axis{std::floor(low / step) * step, std::ceil(high / step) * step, 2};
    axis.ticks = static_cast<int>(std::lround((axis.high - axis.low) / step)) + 1;
    if (!std::isfinite(axis.low) || !std::isfinite(axis.high))
        return {low, high, 2};
    return axis;
}

}  // namespace stk

#include "report/report_data.h"

#include <QString>

namespace stk {

BarChartContent chart_content(const ReportContent& content, const QFont& font)
{
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    BarChartContent chart;
    chart.values = content.shown.chart;
    for (std::size_t s = 0; s < series_count; ++s)
        chart.series[s] = BarChartContent::bounded(q(content.series[s]));
    chart.levels = BarChartContent::bounded(q(content.levels_caption));
    chart.font = font;
    return chart;
}

}  // namespace stk

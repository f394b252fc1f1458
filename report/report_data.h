// What the report shows: its texts and the chart, as the window holds them.
#pragma once

#include "report/bar_chart_paint.h"
#include "report/report_content.h"

#include <QFont>
#include <QRectF>
#include <functional>

class QPainter;

namespace stk {

struct ReportData {
    ReportContent content;  // report_content() of the window's fields
    // Draws the chart into the given rectangle; when empty the report paints
    // chart_content(content) as the window does.
    std::function<void(QPainter&, const QRectF&)> draw_chart;
};

// The chart of the content: its values, legend and stock caption, in `font`.
BarChartContent chart_content(const ReportContent& content, const QFont& font = QFont());

}  // namespace stk

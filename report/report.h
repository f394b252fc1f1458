// The justification report: one A4 page in the current language with the
// parameters, the results table, the recommended stock, the chart, the
// decision ranges of the eight inputs and the most sensitive parameter.
// Painted with QPainter, so the same page goes to a PDF file, a printer or a
// print preview.
#pragma once

#include "report/bar_chart_paint.h"
#include "report/report_content.h"

#include <QRectF>
#include <QString>
#include <functional>
#include <string>

class QPainter;
class QPrinter;

namespace stk {

struct ReportData {
    ReportContent content;  // report_content() of the window's fields
    // Draws the chart into the given rectangle; when empty the report paints
    // chart_content(content) as the window does.
    std::function<void(QPainter&, const QRectF&)> draw_chart;
};

// The chart of the content: its values, legend and stock caption, in `font`.
BarChartContent chart_content(const ReportContent& content, const QFont& font = QFont());

// Paints the page into `page` (the printable area, in the painter's
// coordinates), keeping its proportions; a page whose texts would not fit
// (long translations, a long description) is shrunk to fit.
void paint_report(QPainter& painter, const QRectF& page, const ReportData& data);

// Sets A4 portrait, 15 mm margins and the document's name; call it before
// showing a print or preview dialog.
void prepare_printer(QPrinter& printer, const ReportData& data);

// Paints the page on `printer` (as configured by the user or a preview).
// False when the printer could not be opened.
bool print_report(QPrinter& printer, const ReportData& data);

// Writes the page as a PDF file: the whole document is made in memory, then
// written to a new file in the same folder and renamed over `path`, so that a
// failure never leaves a half-written file. A file the user may not write is
// never replaced. On failure `error` holds one line and nothing changed.
bool export_pdf(const QString& path, const ReportData& data, std::string& error);

}  // namespace stk

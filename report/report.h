// The justification report: one A4 page in the current language with the
// parameters, the results table, the recommended stock, the chart, the
// decision ranges of the eight inputs and the most sensitive parameter.
// Painted with QPainter, so the same page goes to a PDF file, a printer or a
// print preview.
#pragma once

#include "report/report_data.h"

#include <QString>
#include <string>

class QPainter;
class QPrinter;

namespace stk {

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

// The results chart drawn with QPainter, as vectors: for the stock levels 0 to
// 4, grouped bars of the risk, the risk plus the direct cost and the total, on
// a linear axis, with a legend. Paints on any device: a PDF, a printer, an image.
#pragma once

#include "engine/presentation.h"

#include <QRectF>
#include <QString>
#include <array>

class QPainter;

namespace stk {

using ChartValues = decltype(Presentation::chart);

struct ChartCaptions {
    std::array<QString, series_count> series;  // legend: the three series
    QString levels;                            // the stock axis: "Stock de Sécurité"
    QString separator = QStringLiteral(".");   // the user's decimal separator, for the amounts
};

// Draws within `area` (in the painter's coordinates; text sizes follow the
// area's height). When level 0 is more than twice every other amount, as it
// usually is, the axis stops at the others and the level-0 bars are cut, their
// amount written above them, as in the window.
void paint_results_chart(QPainter& painter, const QRectF& area, const ChartValues& values,
                         const ChartCaptions& captions);

}  // namespace stk

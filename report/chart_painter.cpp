#include "report/chart_painter.h"

#include "engine/numtext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cfloat>
#include <cmath>

namespace stk {
namespace {

// Colours that stay apart for colour-blind readers, as in the window.
const std::array<QColor, series_count> series_colours{QColor(0xD5, 0x5E, 0x00), QColor(0xE6, 0x9F, 0x00),
                                                      QColor(0x00, 0x72, 0xB2)};

// A level-0 bar more than this many times the other amounts is cut.
constexpr double cut_ratio = 2.0;

struct Axis {
    double low = 0, high = 1, step = 1;
    bool cut = false;
    double level0_top = 0;
};

// A step of 1, 2 or 5 times a power of ten giving about five intervals.
double round_step(double span)
{
    const double rough = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

Axis axis_for(const ChartValues& values)
{
    Axis axis;
    double others = 0, low = 0;
    for (const auto& series : values)
        for (std::size_t level = 0; level < series.size(); ++level) {
            low = std::min(low, series[level]);
            if (level == 0)
                axis.level0_top = std::max(axis.level0_top, series[level]);
            else
                others = std::max(others, series[level]);
        }
    axis.cut = others > 0 && axis.level0_top > cut_ratio * others;
    double high = axis.cut ? others : std::max(others, axis.level0_top);
    if (!(high > low))
        high = low + 1;
    high += (high - low) * 0.05;
    const double step = round_step(high - low);
    if (!std::isfinite(step) || step <= 0)
        return axis;
    axis.step = step;
    axis.low = std::floor(low / step) * step;
    axis.high = std::ceil(high / step) * step;
    return axis;
}

QString amount(double value, const QString& separator)
{
    const double shown = std::clamp(value, double(-FLT_MAX), double(FLT_MAX));
    return QString::fromStdString(num_text(static_cast<float>(shown), separator.toStdString()));
}

QFont sized(double pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    // No shaping for Latin text: no ligatures, so that the PDF's text reads
    // back letter by letter ("fi", not one ligature glyph).
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

}  // namespace

void paint_results_chart(QPainter& painter, const QRectF& area, const ChartValues& values,
                         const ChartCaptions& captions)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = area.height() / 100;  // text and gaps follow the chart's size
    const QFont label_font = sized(4 * unit, false);
    const QFont bold_font = sized(4 * unit, true);
    const QFontMetricsF label_metrics(label_font);
    const Axis axis = axis_for(values);

    // Room for the amounts on the left, the levels, their caption and the legend below.
    const int ticks = std::clamp(static_cast<int>(std::lround((axis.high - axis.low) / axis.step)), 1, 50);
    const auto tick = [&](int k) { return axis.low + k * axis.step; };
    double label_width = 0;
    for (int k = 0; k <= ticks; ++k)
        label_width = std::max(label_width, label_metrics.horizontalAdvance(amount(tick(k), captions.separator)));
    const double line = label_metrics.height();
    const QRectF plot(area.left() + label_width + 2 * unit, area.top() + line + unit,
                      area.width() - label_width - 3 * unit, area.height() - 4 * line - 4 * unit);
    const auto y_of = [&](double v) {
        return plot.bottom() - (std::clamp(v, axis.low, axis.high) - axis.low) / (axis.high - axis.low) * plot.height();
    };

    // Grid and amounts.
    painter.setFont(label_font);
    for (int k = 0; k <= ticks; ++k) {
        const double v = tick(k);
        const double y = y_of(v);
        painter.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 0.2 * unit));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - line / 2, label_width, line), Qt::AlignRight | Qt::AlignVCenter,
                         amount(v, captions.separator));
    }

    // Bars: three per level, side by side, over 80 % of the level's width.
    const double slot = plot.width() / level_count;
    const double bar = slot * 0.8 / series_count;
    for (int level = 0; level < level_count; ++level) {
        const double left = plot.left() + level * slot + slot * 0.1;
        for (std::size_t s = 0; s < series_count; ++s) {
            const double v = values[s][static_cast<std::size_t>(level)];
            const QRectF r(QPointF(left + static_cast<double>(s) * bar, std::min(y_of(v), y_of(0))),
                           QPointF(left + static_cast<double>(s + 1) * bar, std::max(y_of(v), y_of(0))));
            painter.setPen(QPen(series_colours[s].darker(130), 0.15 * unit));
            painter.setBrush(series_colours[s]);
            painter.drawRect(r);
        }
        painter.setPen(Qt::black);
        painter.setFont(bold_font);
        painter.drawText(QRectF(plot.left() + level * slot, plot.bottom() + unit, slot, line), Qt::AlignCenter,
                         QString::number(level));
        painter.setFont(label_font);
    }
    if (axis.cut) {
        painter.setPen(series_colours[0].darker(140));
        painter.setFont(bold_font);
        painter.drawText(QRectF(plot.left() + slot * 0.1, area.top(), plot.width(), line),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("▲ %1").arg(amount(axis.level0_top, captions.separator)));
    }

    // Axis lines, the levels' caption and the legend.
    painter.setPen(QPen(Qt::black, 0.25 * unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setFont(bold_font);
    painter.drawText(QRectF(plot.left(), plot.bottom() + line + unit, plot.width(), line), Qt::AlignCenter,
                     captions.levels);

    painter.setFont(label_font);
    const double swatch = line * 0.7;
    double legend_width = 0;
    for (const QString& name : captions.series)
        legend_width += swatch + unit + label_metrics.horizontalAdvance(name) + 3 * unit;
    double x = plot.center().x() - legend_width / 2;
    const double legend_y = plot.bottom() + 2 * line + 2.5 * unit;
    for (std::size_t s = 0; s < series_count; ++s) {
        painter.setPen(QPen(series_colours[s].darker(130), 0.15 * unit));
        painter.setBrush(series_colours[s]);
        painter.drawRect(QRectF(x, legend_y + (line - swatch) / 2, swatch, swatch));
        x += swatch + unit;
        painter.setPen(Qt::black);
        const double w = label_metrics.horizontalAdvance(captions.series[s]);
        painter.drawText(QRectF(x, legend_y, w + unit, line), Qt::AlignLeft | Qt::AlignVCenter, captions.series[s]);
        x += w + 3 * unit;
    }
    painter.restore();
}

}  // namespace stk

#include "report/bar_chart_paint.h"

#include <QFontInfo>

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace stk {
namespace {

// Sizes in pixels, chosen so that the chart lies where the window always had it.
constexpr qreal card_margin = 9;  // around the white card
constexpr qreal inner_left = 2, inner_top = 14, inner_right = 4;
constexpr qreal tick_length = 5;
constexpr qreal value_label_gap = 3;      // between a value label and the plot
constexpr qreal value_axis_extra = 5.0;   // the value axis's width beyond its widest label and the gap
constexpr qreal right_gap = 1;            // between the plot and the right edge of the content
constexpr qreal level_label_drop = 15;    // from the plot's bottom to the level labels' baseline
constexpr qreal title_drop = 32;          // from the plot's bottom to the title's baseline
constexpr qreal under_plot_extra = 41.4;  // below the plot beyond the heights of its three lines of text
constexpr qreal legend_mid_rise = 18.5;   // from the content's bottom up to the legend's middle
constexpr qreal legend_shift = 7.5;       // the legend sits this much left of the middle
constexpr qreal legend_mark = 6;          // room of a legend's colour square, 5 x 6 inside its border
constexpr qreal legend_mark_gap = 5;      // between a square and its caption
constexpr qreal legend_spacing = 9;       // between an item's caption and the next square
constexpr qreal bar_group_width = 0.8;    // share of a level's width taken by its bars

const QColor card_colour = Qt::white;
const QColor text_colour{0x40, 0x40, 0x44};
const QColor value_grid_colour{0xD8, 0xD8, 0xD8};
const QColor level_grid_colour{0xE2, 0xE2, 0xE2};
const QColor axis_colour{0xD6, 0xD6, 0xD6};

enum FontIndex { value_font, level_font, title_font, legend_font, cut_font };

// A text laid out for a font: the one of the previous layout when it had the
// same text in the same font, else laid out now.
QStaticText laid_out(const BarChartLayout& l, const QString& text, FontIndex font, const BarChartLayout* previous)
{
    if (previous && previous->fonts[font] == l.fonts[font])
        for (const BarChartLayout::PlacedText& placed : previous->texts)
            if (placed.font == font && placed.text.text() == text)
                return placed.text;
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), l.fonts[font]);
    return laid;
}

// The width of a text in one of the layout's fonts: measured once for the
// layout, or taken from the previous layout when it measured it in the same font.
class TextWidths {
public:
    TextWidths(BarChartLayout& l, const BarChartLayout* previous) : l_(l), previous_(previous) {}

    qreal operator()(FontIndex font, const QString& text)
    {
        if (const auto* known = find(l_, font, text))
            return known->width;
        const BarChartLayout::MeasuredText* lent =
            previous_ && previous_->fonts[font] == l_.fonts[font] ? find(*previous_, font, text) : nullptr;
        l_.widths.push_back(
            lent ? *lent
                 : BarChartLayout::MeasuredText{font, text, QFontMetricsF(l_.fonts[font]).horizontalAdvance(text)});
        return l_.widths.back().width;
    }

private:
    static const BarChartLayout::MeasuredText* find(const BarChartLayout& l, FontIndex font, const QString& text)
    {
        for (const BarChartLayout::MeasuredText& known : l.widths)
            if (known.font == font && known.text == text)
                return &known;
        return nullptr;
    }

    BarChartLayout& l_;
    const BarChartLayout* previous_;
};

// Lays a text out once for its font and keeps where it goes, by its baseline.
void place(BarChartLayout& l, const QString& text, QPointF baseline, FontIndex font, const QColor& colour,
           const BarChartLayout* previous)
{
    BarChartLayout::PlacedText placed;
    placed.text = laid_out(l, text, font, previous);
    placed.top_left = {baseline.x(), baseline.y() - QFontMetricsF(l.fonts[font]).ascent()};
    placed.font = font;
    placed.colour = colour;
    l.texts.push_back(std::move(placed));
}

QString amount(const QLocale& locale, double value) { return locale.toString(value, 'g', 7); }

}  // namespace

QFont bar_chart_font(const QFont& base, qreal points, bool bold)
{
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(false);
    return font;
}

double BarChartLayout::y_of(double value) const
{
    if (!(axis.high > axis.low))
        return plot.bottom();
    return plot.bottom() - (value - axis.low) / (axis.high - axis.low) * plot.height();
}

QRectF BarChartLayout::bar(int series, int level) const
{
    const qreal level_width = plot.width() / level_count;
    const qreal bar_width = level_width * bar_group_width / series_count;
    const qreal left =
        plot.left() + level_width * (level + 0.5) - level_width * bar_group_width / 2 + bar_width * series;
    return {left, 0, bar_width, 0};
}

BarChartLayout lay_out_bar_chart(const BarChartContent& content, QSizeF size, const BarChartLayout* previous)
{
    BarChartLayout l;
    l.fonts = {bar_chart_font(content.font, 7.5, false), bar_chart_font(content.font, 8.25, true),
               bar_chart_font(content.font, 7.5, true), bar_chart_font(content.font, 7.5, true),
               bar_chart_font(content.font, 7.5, true)};
    const QFontMetricsF value_metrics(l.fonts[value_font]), level_metrics(l.fonts[level_font]),
        title_metrics(l.fonts[title_font]), legend_metrics(l.fonts[legend_font]), cut_metrics(l.fonts[cut_font]);
    TextWidths width_of(l, previous);
    l.background = QRectF(QPointF(0, 0), size).adjusted(card_margin, card_margin, -card_margin, -card_margin);
    const QRectF inner = l.background.adjusted(inner_left, inner_top, -inner_right, 0);

    l.scale = scale_for(content.values);
    l.axis = nice_axis(l.scale.low, l.scale.high);
    const int ticks = std::max(l.axis.ticks, 2);
    qreal widest = 0;
    for (int t = 0; t < ticks; ++t) {
        const double value = l.axis.low + (l.axis.high - l.axis.low) * t / (ticks - 1);
        l.value_labels.push_back(amount(content.locale, value));
        widest = std::max(widest, width_of(value_font, l.value_labels.back()));
    }

    const qreal left = inner.left() + widest + value_label_gap + value_axis_extra;
    // Half a value label above the top tick, so that the top label fits.
    const qreal top = inner.top() + std::ceil(value_metrics.height() / 2 + 1);
    const qreal bottom =
        inner.bottom() - (legend_metrics.height() + level_metrics.height() + title_metrics.height() + under_plot_extra);
    l.plot =
        QRectF(QPointF(left, top), QPointF(std::max(left + 1, inner.right() - right_gap), std::max(top + 1, bottom)));

    // The levels caption under the plot, the legend under it, both centred.
    l.title = title_metrics.elidedText(content.levels, Qt::ElideRight, l.plot.width());
    l.title_at = {l.plot.center().x() - width_of(title_font, l.title) / 2, l.plot.bottom() + title_drop};

    // Captions that do not all fit share the room: the short ones keep their
    // width, the long ones are cut to one equal width.
    const qreal fixed = series_count * (legend_mark + legend_mark_gap) + (series_count - 1) * legend_spacing;
    const qreal room = std::max<qreal>(inner.width() - fixed, 0);
    std::array<qreal, series_count> widths{};
    for (std::size_t s = 0; s < series_count; ++s)
        widths[s] = width_of(legend_font, content.series[s]);
    std::array<qreal, series_count> ascending = widths;
    std::sort(ascending.begin(), ascending.end());
    qreal cap = room, used = 0;
    for (std::size_t i = 0; i < series_count; ++i) {
        const qreal share = (room - used) / qreal(series_count - i);
        if (ascending[i] > share) {
            cap = share;
            break;
        }
        used += ascending[i];
    }
    qreal total = fixed;
    for (std::size_t s = 0; s < series_count; ++s) {
        l.legend[s] =
            widths[s] <= cap ? content.series[s] : legend_metrics.elidedText(content.series[s], Qt::ElideRight, cap);
        widths[s] = width_of(legend_font, l.legend[s]);
        total += widths[s];
    }
    qreal x = std::max(inner.left(), inner.center().x() - total / 2 - legend_shift);
    const qreal legend_mid = inner.bottom() - legend_mid_rise;
    for (std::size_t s = 0; s < series_count; ++s) {
        l.legend_marks[s] = QRectF(x + 0.5, legend_mid - 3, legend_mark - 1, legend_mark);
        x += legend_mark + legend_mark_gap;
        l.legend_text[s] = {x, legend_mid + legend_metrics.ascent() - legend_metrics.height() / 2 - 1};
        x += widths[s] + legend_spacing;
    }

    if (l.scale.level0_cut) {
        l.cut_mark = QStringLiteral("▲ %1").arg(amount(content.locale, l.scale.level0_top));
        const qreal level0 = l.plot.left() + l.plot.width() / level_count / 2;
        l.cut_mark_at = {level0 - width_of(cut_font, l.cut_mark) / 2, l.plot.top() - cut_metrics.descent() - 1};
    }

    const qreal level_width = l.plot.width() / level_count;
    for (int t = 0; t < ticks; ++t) {
        const qreal y = l.plot.bottom() - l.plot.height() * t / (ticks - 1);
        const QString& text = l.value_labels[std::size_t(t)];
        place(l, text,
              {l.plot.left() - value_label_gap - width_of(value_font, text) - 2,
               y - value_metrics.height() / 2 + value_metrics.ascent() - 0.5},
              value_font, text_colour, previous);
    }
    for (int level = 0; level < level_count; ++level) {
        const QString text = QString::number(level);
        place(l, text,
              {l.plot.left() + level_width * (level + 0.5) - width_of(level_font, text) / 2,
               l.plot.bottom() + level_label_drop},
              level_font, text_colour, previous);
    }
    place(l, l.title, l.title_at, title_font, text_colour, previous);
    for (std::size_t s = 0; s < series_count; ++s)
        place(l, l.legend[s], l.legend_text[s], legend_font, text_colour, previous);
    if (!l.cut_mark.isEmpty())
        place(l, l.cut_mark, l.cut_mark_at, cut_font, bar_colours[0].darker(140), previous);
    return l;
}

bool take_amounts(BarChartLayout& l, const ChartValues& values)
{
    const ValueScale scale = scale_for(values);
    const NiceAxis axis = nice_axis(scale.low, scale.high);
    if (axis.low != l.axis.low || axis.high != l.axis.high || axis.ticks != l.axis.ticks ||
        scale.level0_cut != l.scale.level0_cut || (scale.level0_cut && scale.level0_top != l.scale.level0_top))
        return false;
    l.scale = scale;
    return true;
}

namespace {

// The white card and the grid under the bars.
void paint_card_and_grid(QPainter& painter, const BarChartLayout& l)
{
    painter.fillRect(l.background, card_colour);
    const QRectF& plot = l.plot;
    const qreal level_width = plot.width() / level_count;
    const int ticks = int(l.value_labels.size());
    painter.setPen(QPen(level_grid_colour, 1));
    for (int level = 0; level <= level_count; ++level) {
        const qreal x = plot.left() + level_width * level;
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.setPen(QPen(value_grid_colour, 1));
    for (int t = 0; t < ticks; ++t) {
        const qreal y = plot.bottom() - plot.height() * t / std::max(ticks - 1, 1);
        painter.drawLine(QPointF(plot.left() - tick_length, y), QPointF(plot.right(), y));
    }
}

// Where a bar of that amount ends, kept near the plot.
qreal bar_top(const BarChartLayout& l, double value)
{
    return std::clamp(l.y_of(value), l.plot.top() - 2, l.plot.bottom() + 2);
}

// The pixels that a bar's stroke from `y1` to `y2` may touch: half the pen
// beyond its edges, and one more for the blending of the edges.
QRect stroked_pixels(const QRectF& bar, qreal y1, qreal y2)
{
    return QRectF(bar.left() - 0.5, std::min(y1, y2) - 0.5, bar.width() + 1, std::abs(y2 - y1) + 1)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

// The bars, cut at the edges of the plot; only those that reach `exposed` when given.
void paint_bars(QPainter& painter, const BarChartContent& content, const BarChartLayout& l,
                const QRegion* exposed = nullptr)
{
    const QRectF& plot = l.plot;
    painter.save();
    painter.setClipRect(plot, Qt::IntersectClip);  // within any clip the painter already has
    const qreal zero = l.y_of(0);
    for (std::size_t s = 0; s < series_count; ++s) {
        painter.setPen(QPen(bar_colours[s].darker(130), 1));
        painter.setBrush(bar_colours[s]);
        for (int level = 0; level < level_count; ++level) {
            const double value = content.values[s][std::size_t(level)];
            if (!std::isfinite(value))
                continue;
            QRectF bar = l.bar(int(s), level);
            const qreal top = bar_top(l, value);
            if (exposed && !exposed->intersects(stroked_pixels(bar, top, zero)))
                continue;
            bar.setTop(std::min(top, zero));
            bar.setBottom(std::max(top, zero));
            painter.drawRect(bar);
        }
    }
    painter.restore();
}

// The value axis, left of the bars: no bar reaches it.
void paint_value_axis(QPainter& painter, const BarChartLayout& l)
{
    painter.setPen(QPen(axis_colour, 1));
    painter.drawLine(l.plot.topLeft(), l.plot.bottomLeft());
}

// The levels axis's line alone.
void paint_levels_line(QPainter& painter, const BarChartLayout& l)
{
    painter.setPen(QPen(axis_colour, 1));
    painter.drawLine(l.plot.bottomLeft(), l.plot.bottomRight());
}

// The levels axis, over the feet of the bars, and its ticks; its line laid
// from `line` when given.
void paint_levels_axis(QPainter& painter, const BarChartLayout& l, const LevelsLinePicture* line = nullptr)
{
    const QRectF& plot = l.plot;
    const qreal level_width = plot.width() / level_count;
    if (line)
        painter.drawImage(line->at, line->image);
    else
        paint_levels_line(painter, l);
    painter.setPen(QPen(axis_colour, 1));
    for (int level = 0; level <= level_count; ++level) {
        const qreal x = plot.left() + level_width * level;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick_length));
    }
}

void paint_legend_marks(QPainter& painter, const BarChartLayout& l)
{
    for (std::size_t s = 0; s < series_count; ++s) {
        painter.setPen(QPen(bar_colours[s].darker(130), 1));
        painter.setBrush(bar_colours[s]);
        painter.drawRect(l.legend_marks[s]);
    }
}

// The texts from `first` to `end` (indexes in the layout's texts).
void paint_texts(QPainter& painter, const BarChartLayout& l, std::size_t first, std::size_t end)
{
    int font = -1;
    for (std::size_t i = first; i < end; ++i) {
        const BarChartLayout::PlacedText& placed = l.texts[i];
        if (placed.font != font) {
            font = placed.font;
            painter.setFont(l.fonts[std::size_t(font)]);
        }
        painter.setPen(placed.colour);
        painter.drawStaticText(placed.top_left, placed.text);
    }
}

// The cut mark, when there is one, is the last text; it follows the amount of level 0.
std::size_t backdrop_text_count(const BarChartLayout& l) { return l.texts.size() - (l.cut_mark.isEmpty() ? 0 : 1); }

}  // namespace

void paint_bar_chart(QPainter& painter, const BarChartContent& content, const BarChartLayout& l)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paint_card_and_grid(painter, l);
    paint_bars(painter, content, l);
    paint_value_axis(painter, l);
    paint_levels_axis(painter, l);
    paint_legend_marks(painter, l);
    paint_texts(painter, l, 0, l.texts.size());
    painter.restore();
}

// What lies beside the bars, apart from them, and what lies over them: drawn
// in two steps they give the same pixels as paint_bar_chart.
void paint_bar_chart_backdrop(QPainter& painter, const BarChartLayout& l)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paint_card_and_grid(painter, l);
    paint_value_axis(painter, l);
    paint_legend_marks(painter, l);
    paint_texts(painter, l, 0, backdrop_text_count(l));
    painter.restore();
}

void paint_bar_chart_bars(QPainter& painter, const BarChartContent& content, const BarChartLayout& l,
                          const BarsRepaint& repaint)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paint_bars(painter, content, l, repaint.exposed ? &*repaint.exposed : nullptr);
    paint_levels_axis(painter, l, repaint.levels_line);
    paint_texts(painter, l, backdrop_text_count(l), l.texts.size());
    painter.restore();
}

QRect bars_changed(const ChartValues& before, const ChartValues& after, const BarChartLayout& l)
{
    QRect changed;
    for (std::size_t s = 0; s < series_count; ++s)
        for (int level = 0; level < level_count; ++level) {
            const double was = before[s][std::size_t(level)], is = after[s][std::size_t(level)];
            if (std::memcmp(&was, &is, sizeof was) == 0)
                continue;
            const QRectF bar = l.bar(int(s), level);
            if (std::isfinite(was) && std::isfinite(is))
                changed |= stroked_pixels(bar, bar_top(l, was), bar_top(l, is));  // the foot stays
            else
                changed |= stroked_pixels(bar, l.plot.top() - 2, l.plot.bottom() + 2);
        }
    return changed;
}

LevelsLinePicture picture_levels_line(const BarChartLayout& l)
{
    // The pixels the pen's square-capped stroke touches, and one more on each side.
    const QRect bounds = QRectF(l.plot.left() - 0.5, l.plot.bottom() - 0.5, l.plot.width() + 1, 1)
                             .toAlignedRect()
                             .adjusted(-1, -1, 1, 1);
    LevelsLinePicture line{QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied), bounds.topLeft()};
    line.image.fill(Qt::transparent);
    QPainter painter(&line.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-bounds.topLeft());  // whole pixels: the stroke covers its pixels as on the chart
    paint_levels_line(painter, l);
    return line;
}

void paint_bar_chart_in(QPainter& painter, const QRectF& area, const BarChartContent& content)
{
    // Laid out as the window's chart would be in a box 380 pixels wide (its
    // texts stay legible on a page), then scaled to the area. Fonts sized in
    // pixels follow the scale on any device; points would follow the device's
    // resolution instead.
    constexpr qreal window_width = 380;
    if (!(area.width() > 0 && area.height() > 0))
        return;
    const qreal unit = area.width() / window_width;
    BarChartLayout layout = lay_out_bar_chart(content, QSizeF(window_width, area.height() / unit));
    for (QFont& font : layout.fonts)
        font.setPixelSize(QFontInfo(font).pixelSize());
    for (BarChartLayout::PlacedText& placed : layout.texts)
        placed.text.prepare(QTransform(), layout.fonts[std::size_t(placed.font)]);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(unit, unit);
    paint_bar_chart(painter, content, layout);
    painter.restore();
}

}  // namespace stk

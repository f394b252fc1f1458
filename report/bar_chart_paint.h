// The results chart drawn with QPainter alone: the three cumulative series as
// grouped bars over the stock levels 0 to 4, a linear value axis, the legend
// and, when level 0 is cut, its amount above the cut bars. The same picture
// goes to the screen, to a printer or to a vector file.
#pragma once

#include "engine/chart_scale.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QRectF>
#include <QRegion>
#include <QStaticText>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QPainter;

namespace stk {

// What the chart shows. Captions longer than `caption_limit` characters are
// cut when they are set: nothing wider than the chart can be shown anyway.
struct BarChartContent {
    static constexpr qsizetype caption_limit = 256;

    ChartValues values{};
    std::array<QString, series_count> series;  // legend captions
    QString levels;                            // title of the levels axis
    QLocale locale;                            // writes the axis labels and the cut amount
    QFont font;                                // the window's font; sizes and weights are the chart's own

    static QString bounded(const QString& caption) { return caption.left(caption_limit); }
};

// Where everything lands for a given size, in the painter's coordinates.
struct BarChartLayout {
    QRectF background;  // the white card
    QRectF plot;        // the area of the bars
    NiceAxis axis;      // range and ticks of the value axis
    ValueScale scale;
    std::vector<QString> value_labels;         // bottom to top, one per tick
    std::array<QString, series_count> legend;  // captions as shown, cut to fit
    std::array<QRectF, series_count> legend_marks;
    std::array<QPointF, series_count> legend_text;  // baselines
    QString title;                                  // the levels caption as shown
    QPointF title_at;                               // baseline
    QString cut_mark;                               // "▲ amount" or empty
    QPointF cut_mark_at;                            // baseline

    // Every text laid out once, so that a repaint only draws glyphs.
    struct PlacedText {
        QStaticText text;
        QPointF top_left;
        int font = 0;  // index in `fonts`
        QColor colour;
    };
    std::vector<PlacedText> texts;
    std::array<QFont, 5> fonts;
    // The widths measured for this layout, by font, for the next one to reuse.
    struct MeasuredText {
        int font = 0;
        QString text;
        qreal width = 0;
    };
    std::vector<MeasuredText> widths;

    // Vertical position of an amount, horizontal span of a bar.
    double y_of(double value) const;
    QRectF bar(int series, int level) const;  // unclipped
};

// Colours that stay apart for colour-blind readers: vermilion, orange, blue.
inline const std::array<QColor, series_count> bar_colours{QColor(0xD5, 0x5E, 0x00), QColor(0xE6, 0x9F, 0x00),
                                                          QColor(0x00, 0x72, 0xB2)};

// A previous layout in the same fonts lends the texts it laid out already.
BarChartLayout lay_out_bar_chart(const BarChartContent& content, QSizeF size, const BarChartLayout* previous = nullptr);
// Takes new amounts into a layout when they leave its value axis and its cut
// mark as they are, which leaves everything it places where it was; false
// when the layout must be made again.
bool take_amounts(BarChartLayout& layout, const ChartValues& values);
void paint_bar_chart(QPainter& painter, const BarChartContent& content, const BarChartLayout& layout);
// The same pixels in two layers, for a screen that keeps the first: the
// backdrop (card, grid, value axis, legend, texts) depends on the layout alone
// and lies under the bars or beside them; the bars, the levels axis over their
// feet and the cut mark follow the values.
void paint_bar_chart_backdrop(QPainter& painter, const BarChartLayout& layout);
// The long line of the levels axis costs as much to draw as five bars: a
// screen keeps it drawn over transparency and lays it back over the bars,
// which gives the pixels of drawing it (source-over of the premultiplied
// colour is the pen's own blending), in a painter that maps whole pixels one
// to one.
struct LevelsLinePicture {
    QImage image;  // premultiplied ARGB, clear around the line
    QPoint at;     // its top-left in the chart's coordinates
};
LevelsLinePicture picture_levels_line(const BarChartLayout& layout);
// What a screen that keeps the backdrop gives for a repaint: the kept levels
// line, and the part of the chart it repaints, whose pixels alone change
// (bars wholly outside it are not drawn).
struct BarsRepaint {
    const LevelsLinePicture* levels_line = nullptr;
    std::optional<QRegion> exposed;
};
void paint_bar_chart_bars(QPainter& painter, const BarChartContent& content, const BarChartLayout& layout,
                          const BarsRepaint& repaint = {});
// The pixels whose colour may change when the amounts go from `before` to
// `after` on the same axis: the rectangle around the spans between each moved
// bar's old and new top (or the whole column of a bar that appears or
// vanishes). One rectangle keeps the repaint's clipping cheap.
QRect bars_changed(const ChartValues& before, const ChartValues& after, const BarChartLayout& layout);
// Paints the chart into `area` of a page, as vectors, whatever the device.
void paint_bar_chart_in(QPainter& painter, const QRectF& area, const BarChartContent& content);

// The chart's fonts, from the window's font.
QFont bar_chart_font(const QFont& base, qreal points, bool bold);

}  // namespace stk

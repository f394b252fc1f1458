// The chart `g`: three cumulative series over the stock levels 0 to 4.
#pragma once

#include "engine/chart_scale.h"

#include <QString>
#include <array>

class QBarSet;
class QBarSeries;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QValueAxis;
class QFont;
class QWidget;

namespace stk::ui {

// What a chart shows of a caption in `width` pixels: the caption, cut with an
// ellipsis when it is wider. Its cost does not grow with the caption's length.
QString fit_caption(const QString& caption, const QFont& font, int width);

// Series names and the title of the levels axis, taken from the window's
// current captions.
struct ChartNames {
    std::array<QString, series_count> series;
    QString levels;
};

class ResultsChart {
public:
    explicit ResultsChart(QWidget* parent);

    QChartView* view() const { return view_; }

    // Writes the values in place, redrawing once at the end. The view's
    // accessible description states the values in words, with the names.
    // Names are cut to the room the legend and the axis give them.
    void refill(const ChartValues& values, const ChartNames& names);
    void rename(const ChartNames& names);

private:
    QString describe() const;
    void apply_scale(const ValueScale& scale);
    void place_cut_mark();

    QChartView* view_;
    QChart* chart_;
    QBarSeries* series_;
    std::array<QBarSet*, series_count> sets_{};
    QBarCategoryAxis* levels_;
    QValueAxis* amounts_;
    QGraphicsSimpleTextItem* cut_mark_;
    ChartValues values_{};
};

}  // namespace stk::ui

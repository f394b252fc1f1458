// The chart `g`: three cumulative series over the stock levels 0 to 4,
// painted by the program itself.
#pragma once

#include "report/bar_chart_paint.h"

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

namespace stk::ui {

// Series names and the title of the levels axis, taken from the window's
// current captions.
struct ChartNames {
    std::array<QString, series_count> series;
    QString levels;
};

// The widget on screen. Its accessible name and description are made when a
// screen reader asks for them, from what the chart shows.
class BarChartView : public QWidget {
    Q_OBJECT

public:
    explicit BarChartView(QWidget* parent = nullptr);

    const BarChartContent& content() const { return content_; }
    // The layout for the current size and content, made when first needed.
    const BarChartLayout& current_layout() const;

    // The chart's data in words, from the captions it shows: "Stock de
    // Sécurité 0: Risque 26549.06, Risque + Coût direct 26549.06, Total
    // 26549.06. Stock de Sécurité 1: ..."
    QString description() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class BarChart;
    // Takes the new content; true when anything the chart shows changed.
    bool set_content(const BarChartContent& content);

    // The backdrop as last drawn, with what it was drawn for: a keystroke that
    // leaves the value axis where it was repaints only the bars over it.
    struct Backdrop {
        QPixmap pixmap;
        std::vector<QString> value_labels;
        QRectF plot;
        std::optional<LevelsLinePicture> levels_line;  // on a screen of one device pixel per pixel
    };
    const QPixmap& backdrop(const BarChartLayout& layout);

    BarChartContent content_;
    mutable std::optional<BarChartLayout> layout_;
    mutable bool layout_stale_ = false;  // the content changed since: lays out again, reusing its texts
    std::optional<Backdrop> backdrop_;
    bool painted_ = false;  // the first frame is drawn
};

class BarChart {
public:
    explicit BarChart(QWidget* parent);

    BarChartView* view() const { return view_; }

    // Writes the values and captions, repainting once when anything changed.
    void refill(const ChartValues& values, const ChartNames& names);
    void rename(const ChartNames& names);

private:
    void take(BarChartContent content);

    BarChartView* view_;
};

}  // namespace stk::ui

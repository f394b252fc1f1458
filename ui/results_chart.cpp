#include "ui/results_chart.h"

#include "ui/theme.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLocale>
#include <QValueAxis>
#include <memory>

namespace stk::ui {
namespace {

// Colours that stay apart for colour-blind readers: vermilion, orange, blue.
const std::array<QColor, series_count> series_colours{QColor(0xD5, 0x5E, 0x00), QColor(0xE6, 0x9F, 0x00),
                                                      QColor(0x00, 0x72, 0xB2)};

QFont chart_font(qreal points, bool bold)
{
    QFont font = font_for(FontRole::normal);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The user's locale, without digit grouping, like the results table.
QLocale plain_locale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString amount(double value) { return plain_locale().toString(value, 'g', 7); }

}  // namespace

QString fit_caption(const QString& caption, const QFont& font, int width)
{
    if (width <= 0)
        return {};
    return QFontMetrics(font).elidedText(visible_part(caption, width), Qt::ElideRight, width);
}

ResultsChart::ResultsChart(QWidget* parent)
    : view_(new QChartView(parent)), chart_(new QChart), series_(new QBarSeries), levels_(new QBarCategoryAxis),
      amounts_(new QValueAxis), cut_mark_(new QGraphicsSimpleTextItem(chart_))
{
    for (std::size_t s = 0; s < series_count; ++s) {
        sets_[s] = new QBarSet(QString());
        sets_[s]->append(QList<qreal>(level_count, 0.0));
        sets_[s]->setColor(series_colours[s]);
        sets_[s]->setBorderColor(series_colours[s].darker(130));
        series_->append(sets_[s]);
    }
    series_->setBarWidth(0.8);
    chart_->addSeries(series_);

    levels_->append({"0", "1", "2", "3", "4"});
    levels_->setLabelsFont(chart_font(8.25, true));
    levels_->setTitleFont(chart_font(7.5, true));
    amounts_->setLabelFormat("%.7g");
    amounts_->setLabelsFont(chart_font(7.5, false));
    amounts_->setGridLineColor(QColor(0xD8, 0xD8, 0xD8));
    chart_->addAxis(levels_, Qt::AlignBottom);
    chart_->addAxis(amounts_, Qt::AlignLeft);
    series_->attachAxis(levels_);
    series_->attachAxis(amounts_);

    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setLocalizeNumbers(true);
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(2, 14, 4, 0));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setFont(chart_font(7.5, true));
    cut_mark_->setFont(chart_font(7.5, true));
    cut_mark_->setBrush(series_colours[0].darker(140));
    cut_mark_->hide();

    // The view's own first chart is released, not deleted, when it is replaced.
    std::unique_ptr<QChart> first(view_->chart());
    view_->setChart(chart_);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setFrameShape(QFrame::NoFrame);
    QObject::connect(chart_, &QChart::plotAreaChanged, view_, [this] { place_cut_mark(); });
}

void ResultsChart::refill(const ChartValues& values, const ChartNames& names)
{
    view_->setUpdatesEnabled(false);
    values_ = values;
    if (const QLocale locale = plain_locale(); chart_->locale() != locale)
        chart_->setLocale(locale);
    for (std::size_t s = 0; s < series_count; ++s)
        for (int level = 0; level < level_count; ++level)
            sets_[s]->replace(level, values[s][static_cast<std::size_t>(level)]);
    const ValueScale scale = scale_for(values);
    apply_scale(scale);
    cut_mark_->setText(scale.level0_cut ? QStringLiteral("▲ %1").arg(amount(scale.level0_top)) : QString());
    cut_mark_->setVisible(scale.level0_cut);
    place_cut_mark();
    rename(names);
    view_->setUpdatesEnabled(true);
}

void ResultsChart::rename(const ChartNames& names)
{
    // The legend shares the width between the series, each after its marker.
    const int series_room = view_->width() / static_cast<int>(series_count) - 24;
    for (std::size_t s = 0; s < series_count; ++s)
        if (const QString shown = fit_caption(names.series[s], chart_->legend()->font(), series_room);
            sets_[s]->label() != shown)
            sets_[s]->setLabel(shown);
    if (const QString shown = fit_caption(names.levels, levels_->titleFont(), view_->width() - 8);
        levels_->titleText() != shown)
        levels_->setTitleText(shown);
    view_->setAccessibleDescription(describe());
}

void ResultsChart::apply_scale(const ValueScale& scale)
{
    // Changing the range rebuilds every tick and label: only when it moves.
    const NiceAxis axis = nice_axis(scale.low, scale.high);
    if (amounts_->tickCount() != axis.ticks)
        amounts_->setTickCount(axis.ticks);
    if (amounts_->min() != axis.low || amounts_->max() != axis.high)
        amounts_->setRange(axis.low, axis.high);
}

void ResultsChart::place_cut_mark()
{
    const QRectF plot = chart_->plotArea();
    const QPointF level0 = chart_->mapToPosition(QPointF(0, amounts_->max()), series_);
    const QRectF text = cut_mark_->boundingRect();
    cut_mark_->setPos(level0.x() - text.width() / 2, plot.top() - text.height());
}

// The chart's data in words, from the captions it shows, so that it follows
// the language: "Stock de Sécurité 0: Risque 26549.06, Risque + Coût direct
// 26549.06, Total 26549.06. Stock de Sécurité 1: ..."
QString ResultsChart::describe() const
{
    QString text;
    for (int level = 0; level < level_count; ++level) {
        text +=
            QStringLiteral("%1%2 %3:").arg(level ? QStringLiteral(" ") : QString(), levels_->titleText()).arg(level);
        for (std::size_t s = 0; s < series_count; ++s) {
            const QString end = s + 1 < series_count ? QStringLiteral(",") : QStringLiteral(".");
            text += QStringLiteral(" %1 %2%3").arg(sets_[s]->label(), amount(values_[s][std::size_t(level)]), end);
        }
    }
    return text;
}

}  // namespace stk::ui

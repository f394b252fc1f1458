#include "ui/bar_chart.h"

#include "ui/theme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <cstring>

namespace stk::ui {
namespace {

// The user's locale, without digit grouping, like the results table.
QLocale plain_locale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

class BarChartAccessible : public QAccessibleWidget {
public:
    explicit BarChartAccessible(BarChartView* view) : QAccessibleWidget(view, QAccessible::Chart) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* view = static_cast<const BarChartView*>(widget());
        if (kind == QAccessible::Description && view->accessibleDescription().isEmpty())
            return view->description();
        if (kind == QAccessible::Name && view->accessibleName().isEmpty())
            return view->content().levels;
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* accessible_for(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<BarChartView*>(object))
        return new BarChartAccessible(view);
    return nullptr;
}

bool same_values(const ChartValues& a, const ChartValues& b)
{
    for (std::size_t s = 0; s < series_count; ++s)
        for (std::size_t level = 0; level < std::size_t(level_count); ++level)
            // Bitwise, so that a NaN replaced by a NaN counts as unchanged.
            if (std::memcmp(&a[s][level], &b[s][level], sizeof(double)) != 0)
                return false;
    return true;
}

}  // namespace

BarChartView::BarChartView(QWidget* parent) : QWidget(parent)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(accessible_for);
        return true;
    }();
    (void)factory_installed;
    content_.font = font_for(FontRole::normal);
    content_.locale = plain_locale();
    setFocusPolicy(Qt::StrongFocus);
}

const BarChartLayout& BarChartView::current_layout() const
{
    if (!layout_ || layout_stale_) {
        layout_ = lay_out_bar_chart(content_, size(), layout_ ? &*layout_ : nullptr);
        layout_stale_ = false;
    }
    return *layout_;
}

QString BarChartView::description() const
{
    QString text;
    for (int level = 0; level < level_count; ++level) {
        text += QStringLiteral("%1%2 %3:").arg(level ? QStringLiteral(" ") : QString(), content_.levels).arg(level);
        for (std::size_t s = 0; s < series_count; ++s) {
            const QString end = s + 1 < series_count ? QStringLiteral(",") : QStringLiteral(".");
            text += QStringLiteral(" %1 %2%3")
                        .arg(content_.series[s],
                             content_.locale.toString(content_.values[s][std::size_t(level)], 'g', 7), end);
        }
    }
    return text;
}

QSize BarChartView::sizeHint() const { return {589, 255}; }

// The chart is drawn once for each rectangle of the region to paint, cut to
// that rectangle. Cut to a region of several rectangles, or given no cut of
// its own, the toolkit blends an antialiased line a pixel at a time through a
// clipping step, about four times as slowly; the pixels are the same.
void BarChartView::paintEvent(QPaintEvent* event)
{
    const BarChartLayout& layout = current_layout();
    QPainter painter(this);
    // The first frame draws the backdrop straight onto the widget; the picture
    // of it is kept from the first repaint on, so a chart that is only looked
    // at never holds it.
    if (!painted_) {
        painted_ = true;
        for (const QRect& part : event->region()) {
            painter.setClipRect(part);
            paint_bar_chart_backdrop(painter, layout);
            paint_bar_chart_bars(painter, content_, layout);
        }
        return;
    }
    const QRect card = layout.background.toAlignedRect();
    const QPixmap& under = backdrop(layout);
    const qreal ratio = under.devicePixelRatio();
    for (const QRect& part : event->region()) {
        painter.setClipRect(part);
        painter.drawPixmap(
            card, under, QRectF(card.left() * ratio, card.top() * ratio, card.width() * ratio, card.height() * ratio));
        paint_bar_chart_bars(painter, content_, layout,
                             {backdrop_->levels_line ? &*backdrop_->levels_line : nullptr, QRegion(part)});
    }
}

const QPixmap& BarChartView::backdrop(const BarChartLayout& layout)
{
    const qreal ratio = devicePixelRatioF();
    if (backdrop_ && backdrop_->value_labels == layout.value_labels && backdrop_->plot == layout.plot &&
        backdrop_->pixmap.devicePixelRatio() == ratio)
        return backdrop_->pixmap;
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    {
        QPainter painter(&pixmap);
        painter.setClipRect(rect());
        paint_bar_chart_backdrop(painter, layout);
    }
    backdrop_ = Backdrop{std::move(pixmap), layout.value_labels, layout.plot, std::nullopt};
    if (ratio == 1)
        backdrop_->levels_line = picture_levels_line(layout);
    return backdrop_->pixmap;
}

void BarChartView::resizeEvent(QResizeEvent* event)
{
    layout_.reset();
    backdrop_.reset();
    QWidget::resizeEvent(event);
}

bool BarChartView::set_content(const BarChartContent& content)
{
    // New captions or number formats change the backdrop; new values, the bars and perhaps the axis.
    const bool texts_changed =
        content.series != content_.series || content.levels != content_.levels || content.locale != content_.locale;
    if (!texts_changed && same_values(content.values, content_.values))
        return false;
    if (texts_changed)
        backdrop_.reset();
    const ChartValues values_before = content_.values;
    const QFont font = content_.font;
    content_ = content;
    content_.font = font;
    // On the same axis with the same cut mark, the layout stays and only the moved bars change pixels.
    const bool kept = !texts_changed && layout_ && !layout_stale_ && take_amounts(*layout_, content_.values);
    layout_stale_ = !kept;
    if (kept && painted_)
        update(bars_changed(values_before, content_.values, *layout_));
    else
        update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    return true;
}

BarChart::BarChart(QWidget* parent) : view_(new BarChartView(parent)) {}

void BarChart::refill(const ChartValues& values, const ChartNames& names)
{
    BarChartContent content = view_->content();
    content.values = values;
    content.locale = plain_locale();
    for (std::size_t s = 0; s < series_count; ++s)
        content.series[s] = BarChartContent::bounded(names.series[s]);
    content.levels = BarChartContent::bounded(names.levels);
    take(std::move(content));
}

void BarChart::rename(const ChartNames& names)
{
    BarChartContent content = view_->content();
    for (std::size_t s = 0; s < series_count; ++s)
        content.series[s] = BarChartContent::bounded(names.series[s]);
    content.levels = BarChartContent::bounded(names.levels);
    take(std::move(content));
}

void BarChart::take(BarChartContent content) { view_->set_content(content); }

}  // namespace stk::ui

#include "ui/flat_style.h"

#include "ui/picture_sizes.h"
#include "ui/theme.h"

#include <QApplication>
#include <QGroupBox>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyleOption>
#include <qdrawutil.h>
#include <algorithm>
#include <cstring>

namespace stk::ui {
namespace {

const QColor border_grey(0x80, 0x80, 0x80);
const QColor face_top(0xFF, 0xFD, 0xFB);
const QColor face_bottom(0xFA, 0xE5, 0xD0);

// Fusion's group-box frame: the space it leaves above the frame besides the
// title's, and the borders of its picture that are not stretched.
constexpr int group_box_top_margin = 3;
const QMargins group_box_frame_borders(6, 6, 6, 6);

bool is_fusion(const QStyle* style) { return std::strcmp(style->metaObject()->className(), "QFusionStyle") == 0; }

// A one-pixel border inside `rect`.
void draw_border(QPainter* painter, const QRect& rect, const QColor& colour)
{
    painter->fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.bottom(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.top() + 1, 1, rect.height() - 2, colour);
    painter->fillRect(rect.right(), rect.top() + 1, 1, rect.height() - 2, colour);
}

// All the pixels of a picture's middle, inside its borders, are one colour.
bool uniform_middle(const QPixmap& picture, const QMargins& borders)
{
    const QImage image = picture.toImage();
    const QRect middle = image.rect().marginsRemoved(borders);
    if (middle.isEmpty())
        return false;
    const QRgb first = image.pixel(middle.topLeft());
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

}  // namespace

FlatStyle* FlatStyle::instance()
{
    static FlatStyle* style = [] {
        auto* made = new FlatStyle;
        made->setParent(qApp);  // goes with the application
        return made;
    }();
    return style;
}

FlatStyle::FlatStyle()
    : group_box_frame_(picture(group_box_frame_file)),
      uniform_middle_(uniform_middle(group_box_frame_, group_box_frame_borders))
{
}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (element == PE_PanelLineEdit) {
        // A flat box: the base colour inside a thin grey border.
        painter->fillRect(option->rect, option->palette.base());
        draw_border(painter, option->rect, border_grey);
        return;
    }
    if (element == PE_FrameFocusRect && qobject_cast<const QPushButton*>(widget))
        return;  // the shaded button shows its focus by a black border
    if (element == PE_FrameGroupBox && is_fusion(baseStyle())) {
        draw_group_box_frame(option, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// The frame as Fusion draws it: below the title (or just below the top of a
// box without one), its picture's borders kept and its middle stretched.
void FlatStyle::draw_group_box_frame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool untitled = box && !box->isCheckable() && box->title().isEmpty();
    const int top =
        untitled ? group_box_top_margin
                 : std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                       group_box_top_margin;
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    // On a box that fills its background with one opaque colour, a middle of
    // one colour gives one colour over it. Filled with that, the middle gives
    // the same pixels as stretched and blended, which the toolkit does a row
    // at a time and, on a tall box, through its helper threads.
    const QBrush background = box ? box->palette().brush(box->backgroundRole()) : QBrush();
    const QMargins& borders = group_box_frame_borders;
    const QRect middle = frame.marginsRemoved(borders);
    // The image the painter draws on in the end (a widget's backing store).
    const QPaintDevice* target = painter->paintEngine() ? painter->paintEngine()->paintDevice() : nullptr;
    if (!uniform_middle_ || !box || !box->autoFillBackground() || background.style() != Qt::SolidPattern ||
        background.color().alpha() != 255 || !target || target->devType() != QInternal::Image || middle.isEmpty() ||
        painter->combinedTransform().type() != QTransform::TxNone || painter->opacity() != 1.0 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver) {
        qDrawBorderPixmap(painter, frame, borders, group_box_frame_);
        return;
    }
    const auto format = static_cast<const QImage*>(target)->format();
    painter->fillRect(middle, middle_over(background.color().rgb(), format));
    // The rest of the picture in four strips, each piece stretched as the
    // whole picture's would be: the top and the bottom with their corners,
    // then the two sides.
    const QRect source = group_box_frame_.rect();
    const QRect source_middle = source.marginsRemoved(borders);
    const QMargins corners(borders.left(), 0, borders.right(), 0);
    const auto strip = [&](const QRect& to, const QRect& from, const QMargins& kept) {
        qDrawBorderPixmap(painter, to, kept, group_box_frame_, from, kept);
    };
    strip({frame.left(), frame.top(), frame.width(), borders.top()}, {0, 0, source.width(), borders.top()}, corners);
    strip({frame.left(), middle.bottom() + 1, frame.width(), borders.bottom()},
          {0, source_middle.bottom() + 1, source.width(), borders.bottom()}, corners);
    strip({frame.left(), middle.top(), borders.left(), middle.height()},
          {0, source_middle.top(), borders.left(), source_middle.height()}, {});
    strip({middle.right() + 1, middle.top(), borders.right(), middle.height()},
          {source_middle.right() + 1, source_middle.top(), borders.right(), source_middle.height()}, {});
}

QColor FlatStyle::middle_over(QRgb background, QImage::Format format) const
{
    const auto known = middle_over_.find({background, format});
    if (known != middle_over_.end())
        return known->second;
    // Stretched as on a box, over the background, on a device of that format.
    QImage image(4, 4, format);
    image.fill(QColor::fromRgb(background));
    {
        QPainter painter(&image);
        const QRect source = group_box_frame_.rect().marginsRemoved(group_box_frame_borders);
        painter.drawPixmap(image.rect(), group_box_frame_, source);
    }
    const QColor over = image.pixelColor(1, 1);
    middle_over_.emplace(std::pair{background, format}, over);
    return over;
}

void FlatStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (element == CE_PushButtonBevel) {
        // A rounded border one pixel wide around a face shaded from top to bottom.
        const QRectF outer(option->rect);
        const QRectF inner = outer.adjusted(1, 1, -1, -1);
        QPainterPath outline;
        outline.addRoundedRect(outer, 2, 2);
        QPainterPath face;
        face.addRoundedRect(inner, 1, 1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        if (option->state & State_Sunken) {
            painter->fillPath(face, face_bottom);
        } else {
            QLinearGradient shade(inner.topLeft(), inner.bottomLeft());
            shade.setColorAt(0, face_top);
            shade.setColorAt(1, face_bottom);
            painter->fillPath(face, shade);
        }
        painter->fillPath(outline.subtracted(face), option->state & State_HasFocus ? QColor(Qt::black) : border_grey);
        painter->restore();
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QRect FlatStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element == SE_LineEditContents)
        return option->rect.adjusted(1, 1, -1, -1);  // inside the border, no padding
    return QProxyStyle::subElementRect(element, option, widget);
}

int FlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_ButtonShiftHorizontal || metric == PM_ButtonShiftVertical)
        return 0;  // a pressed face stays in place
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace stk::ui

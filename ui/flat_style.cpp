#include "ui/flat_style.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyleOption>

namespace stk::ui {
namespace {

const QColor border_grey(0x80, 0x80, 0x80);
const QColor face_top(0xFF, 0xFD, 0xFB);
const QColor face_bottom(0xFA, 0xE5, 0xD0);

// A one-pixel border inside `rect`.
void draw_border(QPainter* painter, const QRect& rect, const QColor& colour)
{
    painter->fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.bottom(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.top() + 1, 1, rect.height() - 2, colour);
    painter->fillRect(rect.right(), rect.top() + 1, 1, rect.height() - 2, colour);
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

FlatStyle::FlatStyle() = default;

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
    QProxyStyle::drawPrimitive(element, option, painter, widget);
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

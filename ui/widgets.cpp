#include "ui/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace stk::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void TextBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange && echoMode() == QLineEdit::Normal) {
        update();
        QWidget::changeEvent(event);  // past the box's own step, the one left out
        return;
    }
    QLineEdit::changeEvent(event);
}

QValidator::State NoCarriageReturn::validate(QString& input, int& pos) const
{
    if (!input.contains(u'\r'))
        return Acceptable;
    pos -= static_cast<int>(input.left(pos).count(u'\r'));
    input.remove(u'\r');
    return Acceptable;
}

}  // namespace stk::ui

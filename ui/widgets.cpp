#include "ui/widgets.h"

#include <QMouseEvent>

namespace stk::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
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

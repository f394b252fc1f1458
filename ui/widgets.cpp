#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace stk::ui {
namespace {

// A click: the left button released over the widget it was pressed on.
bool clicks(const QWidget* widget, const QMouseEvent* event)
{
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

// A key that clicks a widget that has the keyboard focus.
bool activates(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

void draw_focus_frame(QWidget* widget, QPainter& painter)
{
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

// A link as a screen reader finds it: named by its text unless given a name of
// its own, described by its tooltip, and pressed like a button.
class ClickTextAccessible : public QAccessibleWidget {
public:
    explicit ClickTextAccessible(ClickText* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return link()->text();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit link()->clicked();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickText* link() const { return static_cast<ClickText*>(widget()); }
};

QAccessibleInterface* accessible_for(const QString&, QObject* object)
{
    if (auto* link = qobject_cast<ClickText*>(object))
        return new ClickTextAccessible(link);
    return nullptr;
}

}  // namespace

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (clicks(this, event))
        emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    if (activates(event))
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
    draw_focus_frame(this, painter);
}

ClickText::ClickText(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(accessible_for);
        return true;
    }();
    (void)factory_installed;
}

void ClickText::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
    if (QAccessible::isActive() && accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ClickText::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void ClickText::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (clicks(this, event))
        emit clicked();
}

void ClickText::keyPressEvent(QKeyEvent* event)
{
    if (activates(event))
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

// The text is drawn as a label without a frame or margins draws its plain text.
void ClickText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const bool left_to_right = !text_.isRightToLeft();
    const int flags = int(QStyle::visualAlignment(left_to_right ? Qt::LeftToRight : Qt::RightToLeft, alignment_)) |
                      (left_to_right ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
    style()->drawItemText(&painter, contentsRect(), flags, option.palette, isEnabled(), text_, foregroundRole());
    if (hasFocus())
        draw_focus_frame(this, painter);
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

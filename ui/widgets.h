// The small widget behaviours the toolkit lacks.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

namespace stk::ui {

// A picture that acts as a button: a click of the left button, or Space or
// Enter while it has the keyboard focus (shown by a dotted frame).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A line of text that acts as a link: a click of the left button, or Space or
// Enter while it has the keyboard focus (shown by a dotted frame). It draws its
// text as a plain label does; a focusable label would keep a text document
// for it, laid out first in the desktop's font. A screen reader finds it as a
// link named by its text, which it can press.
class ClickText : public QWidget {
    Q_OBJECT
public:
    explicit ClickText(const QString& text, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void setAlignment(Qt::Alignment alignment);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

// A text box that is not laid out again when it is given a style. The
// toolkit's box takes the new style's password character then, and lays its
// text out again to show it; a box that shows its text as typed shows none, and
// that second layout cost about as much as making the box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void changeEvent(QEvent* event) override;
};

// Keeps carriage returns out of a text box, whether typed, pasted or set by
// code: a CR inside a value would split a record of the parameter file. The
// text is cleaned before the box stores it and before it reports the change.
class NoCarriageReturn : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace stk::ui

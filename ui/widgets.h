// The small widget behaviours the toolkit lacks.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace stk::ui {

// A label or picture that acts as a button: a click of the left button, or
// Space or Enter while it has the keyboard focus (shown by a dotted frame).
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

// Turns one row of the layout table into its widget.
#pragma once

#include "form/layout.h"

#include <QString>

class QValidator;
class QWidget;

namespace stk::ui {

// "rt(2)" for an array element, "nbt" otherwise.
QString object_name(const ControlDef& def);

// Places a widget at the row's position and size.
void place(QWidget* widget, const ControlDef& def);

// The widget of a frame, text box, label, link, button, image or line, with its
// font, colours, caption and pictures. Text boxes share `text_filter`.
QWidget* make_widget(const ControlDef& def, QWidget* parent, QValidator* text_filter);

}  // namespace stk::ui

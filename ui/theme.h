// Fonts, colours and pictures of the window, by the roles the layout names.
#pragma once

#include "form/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <optional>

namespace stk::ui {

inline const QColor highlight_colour{0xFF, 0xE0, 0xC0};

QFont font_for(FontRole role);

// The colour a role fixes, or none when the toolkit's own colour stays.
std::optional<QColor> colour_for(ColourRole role);

// A picture of the window, at one of the sizes the window draws it
// (picture_sizes.h), as rendered when the program was built.
QPixmap picture(std::string_view file, QSize size);
// A picture taken at its own size when the program was built (the group
// box's frame); an empty pixmap when there is none.
QPixmap picture(std::string_view file);
QIcon window_icon();

// The part of a text that a control `width` pixels wide can show (no character
// is narrower than a pixel): drawing it costs the same whatever the length of
// the whole text, and shows the same pixels.
QString visible_part(const QString& text, int width);

}  // namespace stk::ui

// The window's pictures, rendered from their SVG sources when the program is
// built (by render_pictures.cpp) at the sizes it draws them, and the group
// box's frame taken from Qt's own picture: premultiplied ARGB pixels, row
// after row, ready to show.
#pragma once

#include <QtGlobal>
#include <span>
#include <string_view>

namespace stk::ui {

struct RenderedPicture {
    std::string_view file;  // the source, as the layout (or Qt, for the frame) names it
    int width = 0, height = 0;
    const quint32* pixels = nullptr;
};

std::span<const RenderedPicture> rendered_pictures();

}  // namespace stk::ui

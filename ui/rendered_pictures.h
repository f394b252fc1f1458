// The window's pictures, rendered from their SVG sources when the program is
// built (by render_pictures.cpp) at the sizes it draws them: premultiplied
// ARGB pixels, row after row, ready to show.
#pragma once

#include <QtGlobal>
#include <span>
#include <string_view>

namespace stk::ui {

struct RenderedPicture {
    std::string_view file;  // the SVG source, as the layout names it
    int width = 0, height = 0;
    const quint32* pixels = nullptr;
};

std::span<const RenderedPicture> rendered_pictures();

}  // namespace stk::ui

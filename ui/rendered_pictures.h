// The window's pictures, rendered from their SVG sources when the program is
// built (by render_pictures.cpp) at the sizes it draws them, as PNG data.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace stk::ui {

struct RenderedPicture {
    std::string_view file;  // the SVG source, as the layout names it
    int width = 0, height = 0;
    const unsigned char* png = nullptr;
    std::size_t png_size = 0;
};

std::span<const RenderedPicture> rendered_pictures();

}  // namespace stk::ui

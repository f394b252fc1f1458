// The sizes at which the window draws its pictures: the program and the tool
// that renders the pictures when the program is built agree through these.
// Every picture is drawn at twice the size it shows, for screens of two device
// pixels per pixel.
#pragma once

#include "form/layout.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace stk::ui {

// The picture's own size on a button: 24 pixels, 32 on the large buttons.
constexpr int button_icon_side(const ControlDef& def)
{
    return std::min(pixels(def.at.width), pixels(def.at.height)) >= 36 ? 32 : 24;
}

inline constexpr std::string_view window_icon_file = "icon.svg";

// The picture the Fusion style stretches into a group box's frame, from Qt
// Widgets' own resources: taken at its own size when the program is built.
inline constexpr std::string_view group_box_frame_file =
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
inline constexpr std::array<int, 4> window_icon_sides{16, 32, 48, 64};

struct PictureSize {
    std::string_view file;
    int width = 0, height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size of the picture a control draws; zero for a control without one.
constexpr PictureSize picture_size(const ControlDef& def)
{
    if (def.picture.empty())
        return {};
    if (def.kind == Kind::button)
        return {def.picture, 2 * button_icon_side(def), 2 * button_icon_side(def)};
    return {def.picture, 2 * pixels(def.at.width), 2 * pixels(def.at.height)};
}

// Every picture the window draws, each size once.
inline std::vector<PictureSize> pictures_drawn()
{
    std::vector<PictureSize> all;
    for (const ControlDef& def : controls())
        if (const PictureSize size = picture_size(def); !size.file.empty())
            all.push_back(size);
    for (int side : window_icon_sides)
        all.push_back({window_icon_file, side, side});
    std::vector<PictureSize> once;
    for (const PictureSize& size : all)
        if (std::find(once.begin(), once.end(), size) == once.end())
            once.push_back(size);
    return once;
}

}  // namespace stk::ui

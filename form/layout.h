// The window's controls as data: one row per control, in the control order.
// The window builds itself from this table, and every walk over the controls
// (restore, store, translation, clear) follows it.
#pragma once

#include <span>
#include <string_view>

namespace stk::ui {

enum class Kind { timer, frame, text_box, label, link, button, image, line, chart };

enum class FontRole {
    normal,   // 8.25 pt bold
    title12,  // 12 pt bold frame title
    big,      // 13.5 pt bold
    link,     // 8.25 pt bold underlined
};

enum class ColourRole {
    standard,    // the toolkit's own colours
    black,       // #000000
    navy,        // #000080
    dark_green,  // #004000
    rust,        // #C04000
    maroon,      // #800000
    face,        // button face #FFE0C0
};

inline constexpr int no_index = -1;  // a control that is not an array element
inline constexpr int no_tab = -1;    // a control outside the keyboard order

// Position and size in twips (15 twips = 1 pixel), relative to the container.
// A line is given by its start and its length; its height is 0.
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Ref {
    std::string_view name;
    int index = no_index;
};

struct ControlDef {
    std::string_view name;
    int index = no_index;
    Kind kind = Kind::label;
    std::string_view container;  // empty: the window's client area
    Twips at;
    std::string_view caption;
    int tab = no_tab;
    FontRole font = FontRole::normal;
    ColourRole colour = ColourRole::standard;
    bool centred = false;
    Ref label;                 // a text box's caption label
    std::string_view picture;  // picture file of a button or an image
    std::string_view tip;      // tooltip; for pictures also the accessible name
};

// Every control of the window, in the control order.
std::span<const ControlDef> controls();

// Position in controls() of a control, or -1.
int find_control(std::string_view name, int index = no_index);

inline constexpr int client_width = 13935;  // twips
inline constexpr int client_height = 7425;
inline constexpr int twips_per_pixel = 15;

constexpr int pixels(int twips) { return twips / twips_per_pixel; }

}  // namespace stk::ui

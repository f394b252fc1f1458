// The window as the start-up, shut-down and translation walks see it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stk {

// Every control of the window in the control order (creation order), which is
// the one order in which every walk visits them. Texts are UTF-8.
class ControlWalk {
public:
    virtual ~ControlWalk() = default;

    virtual std::size_t control_count() const = 0;
    // The control name; every element of a control array answers its array's name.
    virtual std::string control_name(std::size_t pos) const = 0;
    // A single-line text box (every text box of this window is one).
    virtual bool is_text_box(std::size_t pos) const = 0;
    // A label, frame or button: a control with a caption, possibly empty.
    virtual bool has_caption(std::size_t pos) const = 0;

    virtual std::string text(std::size_t pos) const = 0;
    // Raises the box's change notification before it returns, as typing does:
    // setting an input field to a different text recalculates.
    virtual void set_text(std::size_t pos, std::string_view text) = 0;

    virtual std::string caption(std::size_t pos) const = 0;
    virtual void set_caption(std::size_t pos, std::string_view caption) = 0;

    // A picture or chart's text for the screen reader and the tooltip, when it
    // has one: it is translated like a caption.
    virtual bool has_tip(std::size_t) const { return false; }
    virtual std::string tip(std::size_t) const { return {}; }
    virtual void set_tip(std::size_t, std::string_view) {}

    virtual std::string title() const = 0;
    virtual void set_title(std::string_view title) = 0;

    // The window's full calculation: results table, recommended stock and chart.
    virtual void calc() = 0;
};

}  // namespace stk

// A window for the start-up, shut-down and translation: labels, then a picture with a tip, then a text box.
#pragma once

#include "store/control_walk.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace stk::test {

struct FakeWindow : ControlWalk {
    FakeWindow(std::vector<std::string> labels, std::optional<std::string> tip = {},
               std::optional<std::string> text = {})
        : captions(std::move(labels)), picture_tip(std::move(tip)), box(std::move(text))
    {
    }
    std::vector<std::string> captions;       // labels
    std::optional<std::string> picture_tip;  // a picture after the labels
    std::optional<std::string> box;          // the text box "cct", last
    std::string window_title = "Titre";

    std::size_t control_count() const override { return captions.size() + bool(picture_tip) + bool(box); }
    std::string control_name(std::size_t pos) const override { return is_text_box(pos) ? "cct" : "Etiquette27"; }
    bool is_text_box(std::size_t pos) const override { return box && pos + 1 == control_count(); }
    bool has_caption(std::size_t pos) const override { return pos < captions.size(); }
    std::string text(std::size_t) const override { return box.value_or(""); }
    void set_text(std::size_t, std::string_view text) override { box = text; }
    std::string caption(std::size_t pos) const override { return captions[pos]; }
    void set_caption(std::size_t pos, std::string_view text) override { captions[pos] = text; }
    bool has_tip(std::size_t pos) const override { return picture_tip && pos == captions.size(); }
    std::string tip(std::size_t) const override { return *picture_tip; }
    void set_tip(std::size_t, std::string_view text) override { picture_tip = text; }
    std::string title() const override { return window_title; }
    void set_title(std::string_view text) override { window_title = text; }
    void calc() override {}
};

}  // namespace stk::test

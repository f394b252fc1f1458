// The captions of the window in three languages, one per column.
#pragma once

#include "store/control_walk.h"
#include "store/param_table.h"
#include "store/records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stk {

// Column 0 is the French text the window is built with, column 1 American English, column 2
// Brazilian Portuguese.
class TradTable {
public:
    // Index of the last row in use; -1 when empty.
    int ntrad() const { return rows.last(); }

    // The first row holding `text` in one of its three columns.
    std::optional<std::size_t> find(std::string_view text) const;

    // The text that replaces `text` in language `column`: the cell of the
    // first matching row, or its column-0 text when that cell is empty.
    // Without a column, or when both are empty, the text stays (no value); a
    // non-empty text that no row holds is learnt as a new row, French column
    // only, while the table has room.
    std::optional<std::string> translate(std::string_view text, std::optional<std::size_t> column);

    Records rows;
};

// The language chosen in the parameter store (key `langue`, "0" by default),
// read as an input field reads a number and rounded half to even. No column
// when it is outside 0 to 2 or cannot be read.
std::optional<std::size_t> language(const ParamTable& params);

// Translates every non-empty caption in control order, then the window title,
// then every non-empty tip of a picture or the chart, into the chosen
// language.
void translate_window(const ParamTable& params, TradTable& trad, ControlWalk& walk);

}  // namespace stk

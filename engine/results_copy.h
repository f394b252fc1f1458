// The results table as text for the clipboard: tab-separated, and as an HTML
// table that a spreadsheet pastes as numbers.
#pragma once

#include "engine/presentation.h"

#include <array>
#include <string>
#include <string_view>

namespace stk {

// The captions of the table in the current language.
struct TableCaptions {
    // The lines top to bottom: "Stock de Sécurité", "Risque", "Coût direct",
    // "Coût de Gestion", "Total".
    std::array<std::string, line_count> lines;
    // The unit of the four money lines ("€"), added to their captions as
    // "Risque (€)"; nothing when empty.
    std::string money;
};

// One line per line of the table: its caption, then the five cells as the
// window shows them (the user's decimal separator), TAB between, LF after each.
std::string results_tsv(const Presentation& shown, const TableCaptions& captions);

// The same table in HTML (UTF-8). Each cell shows the window's text and also
// carries its value written with a point, in the attributes that spreadsheets
// read for a number (x:num, sdval), so that pasting gives numbers in any locale.
// `separator` is the decimal separator the cells were written with.
std::string results_html(const Presentation& shown, const TableCaptions& captions, std::string_view separator);

// The caption of one line, with the money unit for the four money lines.
std::string line_caption(const TableCaptions& captions, Line line);

}  // namespace stk

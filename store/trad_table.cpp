#include "store/trad_table.h"

#include "engine/checked.h"
#include "engine/numtext.h"

#include <cmath>

namespace stk {

std::optional<std::size_t> TradTable::find(std::string_view text) const
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Record& row = rows[i];
        if (row[0] == text || row[1] == text || row[2] == text)
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> TradTable::translate(std::string_view text, std::optional<std::size_t> column)
{
    const std::optional<std::size_t> found = find(text);
    if (!found) {
        if (!text.empty())
            rows.append({std::string(text), {}, {}});
        return std::nullopt;
    }
    if (!column)
        return std::nullopt;
    const Record& row = rows[*found];
    // A language the row lacks shows the text of column 0.
    const std::string& cell = row[*column].empty() ? row[0] : row[*column];
    if (cell.empty())
        return std::nullopt;
    return cell;
}

std::optional<std::size_t> language(const ParamTable& params)
{
    std::optional<std::size_t> column;
    step([&] {
        const double index = std::nearbyint(val_text(params.getparam(window_name, "langue", "0")));
        if (index >= 0 && index <= 2)
            column = static_cast<std::size_t>(index);
    });
    return column;
}

void translate_window(const ParamTable& params, TradTable& trad, ControlWalk& walk)
{
    const std::optional<std::size_t> column = language(params);
    for (std::size_t pos = 0; pos < walk.control_count(); ++pos) {
        if (!walk.has_caption(pos))
            continue;
        const std::string caption = walk.caption(pos);
        if (caption.empty())
            continue;
        if (auto text = trad.translate(caption, column))
            walk.set_caption(pos, *text);
    }
    if (auto title = trad.translate(walk.title(), column))
        walk.set_title(*title);
    for (std::size_t pos = 0; pos < walk.control_count(); ++pos) {
        if (!walk.has_tip(pos))
            continue;
        const std::string tip = walk.tip(pos);
        if (tip.empty())
            continue;
        if (auto text = trad.translate(tip, column))
            walk.set_tip(pos, *text);
    }
}

}  // namespace stk

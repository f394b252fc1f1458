#include "batch/captions.h"

#include "csv/csv.h"
#include "store/records.h"

#include <algorithm>

namespace stk::batch {

Captions window_captions(std::string_view french)
{
    static const Records table = [] {
        Records t;
        parse_records(shipped_translations(), t);
        return t;
    }();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i][0] == french)
            return {table[i][0], table[i][1].empty() ? table[i][0] : table[i][1],
                    table[i][2].empty() ? table[i][0] : table[i][2]};
    const std::string text(french);
    return {text, text, text};
}

std::vector<std::optional<std::size_t>> match_columns(std::span<const std::string> header,
                                                      std::span<const ColumnName> columns)
{
    std::vector<std::array<std::string, 1 + language_count>> names(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        names[c][0] = csv::fold_caption(columns[c].key);
        for (std::size_t l = 0; l < language_count; ++l)
            names[c][1 + l] = csv::fold_caption(columns[c].captions[l]);
    }
    std::vector<std::optional<std::size_t>> found(columns.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string folded = csv::fold_caption(header[i]);
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (!found[c] && std::find(names[c].begin(), names[c].end(), folded) != names[c].end()) {
                found[c] = i;
                break;
            }
    }
    return found;
}

}  // namespace stk::batch

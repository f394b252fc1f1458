// What a calculation shows: the results table, the recommended stock and the
// chart's three cumulative series.
#pragma once

#include "engine/model.h"

#include <array>
#include <string>
#include <string_view>

namespace stk {

// The lines of the results table, top to bottom.
enum class Line : std::size_t { sst, rt, cdt, cgt, tt };
inline constexpr std::size_t line_count = 5;
inline constexpr std::array<std::string_view, line_count> line_names{"sst", "rt", "cdt", "cgt", "tt"};

// The chart's series: the risk; risk + direct cost; risk + direct + management cost.
inline constexpr std::size_t series_count = 3;

struct Presentation {
    // cells[line][level]: the texts of the 25 result boxes.
    std::array<std::array<std::string, level_count>, line_count> cells;
    std::string recommended;  // sst(5)
    // chart[series][level]: the values the chart shows, as read back from
    // their texts (7 significant digits). A sum beyond the single range shows 0.
    std::array<std::array<double, level_count>, series_count> chart{};

    const std::string& cell(Line line, int level) const
    {
        return cells[static_cast<std::size_t>(line)][static_cast<std::size_t>(level)];
    }
};

// `separator` is the decimal separator of the user's locale.
Presentation present(const Calculation& c, std::string_view separator);

}  // namespace stk

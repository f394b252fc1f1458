#include "engine/presentation.h"

#include "engine/checked.h"
#include "engine/numtext.h"

namespace stk {

Presentation present(const Calculation& c, std::string_view separator)
{
    Presentation out;
    const Rows& w = c.rows;
    const std::array<const std::array<float, level_count>*, line_count> lines{&w.ss, &w.r, &w.cd, &w.cg, &w.t};
    for (std::size_t line = 0; line < line_count; ++line)
        for (std::size_t i = 0; i < level_count; ++i)
            out.cells[line][i] = num_text((*lines[line])[i], separator);
    out.recommended = std::to_string(c.imin);

    for (std::size_t i = 0; i < level_count; ++i) {
        step([&] { out.chart[0][i] = round7(w.r[i]); });
        step([&] { out.chart[1][i] = round7(single(Dbl(w.cd[i]) + w.r[i])); });
        step([&] { out.chart[2][i] = round7(single(Dbl(single(Dbl(w.cg[i]) + w.cd[i])) + w.r[i])); });
    }
    return out;
}

}  // namespace stk

#include "batch/captions.h"

#include "store/records.h"

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

}  // namespace stk::batch

// The worked example that tests and benchmarks share: the eight field texts,
// the texts the results table shows for them and the chart's values.
#pragma once

#include "engine/fields.h"
#include "engine/model.h"
#include "engine/presentation.h"

#include <array>
#include <string_view>
#include <utility>

namespace stk::worked {

// The field texts, indexed by Field.
inline constexpr std::array<std::string_view, field_count> texts{"50", "2", "4", "200", "2000", "10000", "500", "3"};

// The same, in the keyboard order of the article and company frames.
inline constexpr std::array<std::pair<Field, std::string_view>, field_count> typed{{{Field::nbt, "3"},
                                                                                    {Field::dat, "4"},
                                                                                    {Field::pst, "200"},
                                                                                    {Field::uut, "2000"},
                                                                                    {Field::dvt, "10000"},
                                                                                    {Field::crt, "500"},
                                                                                    {Field::cct, "50"},
                                                                                    {Field::tst, "2"}}};

// The texts of `in` (indexed by Field), the worked example's by default.
inline FieldTexts field_texts(const std::array<std::string_view, field_count>& in = texts)
{
    FieldTexts t;
    for (const FieldInfo& f : fields)
        t[f.field] = in[static_cast<std::size_t>(f.field)];
    return t;
}

// The 25 result texts, cells[line][level], with "." as decimal separator, and sst(5).
inline constexpr std::array<std::array<std::string_view, level_count>, line_count> cells{{
    {"0", "1", "2", "3", "4"},
    {"26549.06", "534.3407", "216.9994", "0.07472568", "0.001140828"},
    {"0", "40", "80", "120", "160"},
    {"0", "214", "378", "542", "706"},
    {"26549.06", "788.3407", "674.9994", "662.0747", "866.0012"},
}};
inline constexpr std::string_view recommended = "3";

// The chart's three series: the risk, risk + direct cost, the total.
inline constexpr std::array<std::array<double, level_count>, series_count> chart{{
    {26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
    {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
    {26549.06, 788.3407, 674.9994, 662.0747, 866.0012},
}};

}  // namespace stk::worked

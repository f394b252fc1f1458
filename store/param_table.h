// The window's named text values: field texts and the chosen language.
#pragma once

#include "store/records.h"

#include <string>
#include <string_view>

namespace stk {

// The name every row of this program carries as its window name.
inline constexpr std::string_view window_name = "da_stk_secu";

// Rows of (window name, key, value). A pair matches a row when both texts are
// equal character for character; the first matching row is the one that counts
// and later duplicates are kept untouched.
class ParamTable {
public:
    // Index of the last row in use; -1 when empty.
    int nparam() const { return rows.last(); }

    // The value of the first matching row, or `fallback` when none matches.
    std::string getparam(std::string_view window, std::string_view key, std::string_view fallback) const;

    // Replaces the value of the first matching row, or appends a row. A full
    // table (101 rows) stores no new pair.
    void setparam(std::string_view window, std::string_view key, std::string_view value);
    // An integer is stored as its decimal text ("2", "-1").
    void setparam(std::string_view window, std::string_view key, long long value);

    Records rows;

private:
    Record* find(std::string_view window, std::string_view key);
    const Record* find(std::string_view window, std::string_view key) const;
};

}  // namespace stk

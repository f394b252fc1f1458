// The captions stk_batch reads in a header and writes in its own: those of
// the window in its three languages, from the translation file shipped with
// the program, and the few that only the batch program uses.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stk::batch {

inline constexpr std::size_t language_count = 3;  // French, English, Portuguese
using Captions = std::array<std::string, language_count>;

// The three captions of a window caption given in French; the French text
// in every column when the shipped file has no row for it.
Captions window_captions(std::string_view french);

// The bytes of the shipped translation file, built into the program.
std::string_view shipped_translations();

// A column of a list of articles: found by its key or by its caption in any
// of the three languages, ignoring case, accents and surrounding blanks.
struct ColumnName {
    std::string_view key;
    Captions captions;
};

// For each column, the position of the first header field (UTF-8) that names
// it; a header field names at most one column, the first it matches.
std::vector<std::optional<std::size_t>> match_columns(std::span<const std::string> header,
                                                      std::span<const ColumnName> columns);

}  // namespace stk::batch

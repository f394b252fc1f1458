// The captions stk_batch reads in a header and writes in its own: those of
// the window in its three languages, from the translation file shipped with
// the program, and the few that only the batch program uses.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace stk::batch {

inline constexpr std::size_t language_count = 3;  // French, English, Portuguese
using Captions = std::array<std::string, language_count>;

// The three captions of a window caption given in French; the French text
// in every column when the shipped file has no row for it.
Captions window_captions(std::string_view french);

// The bytes of the shipped translation file, built into the program.
std::string_view shipped_translations();

}  // namespace stk::batch

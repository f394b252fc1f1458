// The three conversions between numbers and texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stk {

// Reads an input field. Blanks, tabs and line feeds are ignored wherever they
// stand; then an optional sign, digits with at most one "." and an optional
// exponent (E or e, optional sign, digits). Reading stops at the first
// character that cannot continue the number; text with no leading number reads
// as 0. A number beyond the double range throws step_failure.
double val_text(std::string_view text);

// Writes a result value: the single-precision value rounded to 7 significant
// digits, fixed notation for decimal exponents -4 to 6 and exponent notation
// (1.234568E+07) otherwise, no trailing zeros, negative zero written 0.
// `separator` is the decimal separator of the user's locale.
std::string num_text(float value, std::string_view separator);

// num_text with a one-character separator, written to `out`, which has room
// for num_text_capacity characters; returns the number of characters. The
// same text as num_text, to the character, at a fraction of its cost.
inline constexpr std::size_t num_text_capacity = 24;
std::size_t num_text_to(char* out, float value, char separator);

// The value that num_text writes, as a double (what reading the text back gives).
double round7(float value);

// Strict locale-aware reading of a number: surrounding blanks, an optional
// sign, digits with at most one `separator`, an optional exponent. Empty or
// non-numeric text, or a number beyond the double range, gives no value.
std::optional<double> dbl_text(std::string_view text, std::string_view separator);

}  // namespace stk

#include "csv/csv.h"

#include <array>

namespace stk::csv {
namespace {

// Base letters of U+00C0 to U+00FF, lower case; 0 where the character is not
// a letter with an accent (× ÷) and keeps itself.
constexpr std::array<char, 64> latin1_base{
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // C0-CF
    'd', 'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   0,    // D0-DF
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // E0-EF
    'd', 'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   'y',  // F0-FF
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string fold_caption(std::string_view utf8)
{
    while (!utf8.empty() && is_blank(utf8.front()))
        utf8.remove_prefix(1);
    while (!utf8.empty() && is_blank(utf8.back()))
        utf8.remove_suffix(1);
    // Non-breaking spaces at either end count as blanks too.
    while (utf8.starts_with("\xC2\xA0"))
        utf8.remove_prefix(2);
    while (utf8.ends_with("\xC2\xA0"))
        utf8.remove_suffix(2);

    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if ((c == 0xC3) && i + 1 < utf8.size()) {
            // U+00C0 to U+00FF: two bytes, C3 80 to C3 BF.
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            const char base = (next >= 0x80 && next <= 0xBF) ? latin1_base[next - 0x80] : 0;
            if (base) {
                out += base;
            } else {
                out += utf8[i];
                out += utf8[i + 1];
            }
            ++i;
        } else if (c == 0xC5 && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) == 0x92 ||
                    static_cast<unsigned char>(utf8[i + 1]) == 0x93)) {
            out += "oe";  // Œ œ
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace stk::csv

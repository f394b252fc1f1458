#include "store/cp1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace stk {
namespace {

// Characters of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> high_block{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t char_of_byte(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return high_block[b - 0x80];
    return b;
}

std::optional<unsigned char> byte_of_char(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < high_block.size(); ++i)
        if (high_block[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `pos`; returns it and its length, or no
// character (length 1) for a malformed sequence.
struct Decoded {
    std::optional<char32_t> c;
    std::size_t length;
};

Decoded decode_at(std::string_view s, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return {std::nullopt, 1};
    }
    if (pos + length > s.size())
        return {std::nullopt, 1};
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80)
            return {std::nullopt, 1};
        c = (c << 6) | (b & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    const bool invalid = (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
    if (overlong || invalid)
        return {std::nullopt, 1};
    return {c, length};
}

}  // namespace

std::string cp1252_to_utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        append_utf8(out, char_of_byte(static_cast<unsigned char>(b)));
    return out;
}

std::string utf8_to_cp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded d = decode_at(text, pos);
        pos += d.length;
        if (d.c == U'\r')
            continue;
        const auto byte = d.c ? byte_of_char(*d.c) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

}  // namespace stk

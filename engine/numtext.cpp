#include "engine/numtext.h"

#include "engine/checked.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace stk {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The pieces of a decimal number as scanned from a text.
struct Decimal {
    bool negative = false;
    std::string integer;   // digits before the decimal point
    std::string fraction;  // digits after it
    bool exp_negative = false;
    std::string exponent;  // exponent digits, empty when there is none
};

// Converts scanned pieces to a double. No value when the number is beyond
// the double range; a number too small for a double gives a signed zero.
std::optional<double> to_double(const Decimal& d)
{
    std::string text;
    text.reserve(d.integer.size() + d.fraction.size() + d.exponent.size() + 4);
    text += d.integer.empty() ? "0" : d.integer;
    if (!d.fraction.empty())
        text += '.' + d.fraction;
    if (!d.exponent.empty()) {
        text += d.exp_negative ? "e-" : "e";
        text += d.exponent;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the decimal magnitude.
        long long order = 0;
        const auto first = d.integer.find_first_not_of('0');
        if (first != std::string::npos) {
            order = static_cast<long long>(d.integer.size() - first) - 1;
        } else {
            const auto nz = d.fraction.find_first_not_of('0');
            if (nz == std::string::npos)
                return d.negative ? -0.0 : 0.0;
            order = -static_cast<long long>(nz) - 1;
        }
        long long e = 0;
        for (char c : d.exponent)
            e = std::min(e * 10 + (c - '0'), 1'000'000'000LL);
        order += d.exp_negative ? -e : e;
        if (order > 0)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc{}) {
        return std::nullopt;
    }
    return d.negative ? -value : value;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

double val_text(std::string_view text)
{
    // Blanks, tabs and line feeds do not count anywhere.
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool point = false;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i]))
            (point ? d.fraction : d.integer) += s[i];
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (d.integer.empty() && d.fraction.empty())
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            negative = s[j++] == '-';
        std::string digits;
        while (j < s.size() && is_digit(s[j]))
            digits += s[j++];
        if (!digits.empty()) {
            d.exp_negative = negative;
            d.exponent = std::move(digits);
        }
    }
    const auto value = to_double(d);
    if (!value)
        fail();
    return *value;
}

namespace {

// The 7 significant digits of a value (trailing zeros removed) and the decimal
// exponent of the first one, after rounding.
struct Digits {
    bool negative = false;
    std::string digits;  // at least one digit; "0" for zero
    int exponent = 0;
};

Digits digits7(float value)
{
    Digits out;
    if (value == 0.0f || !std::isfinite(value)) {
        out.digits.push_back('0');
        return out;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                   std::chars_format::scientific, 6);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    std::size_t i = 0;
    if (s[i] == '-') {
        out.negative = true;
        ++i;
    }
    const auto e = s.find('e');
    for (; i < e; ++i)
        if (is_digit(s[i]))
            out.digits += s[i];
    while (out.digits.size() > 1 && out.digits.back() == '0')
        out.digits.pop_back();
    int exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    out.exponent = exponent;
    return out;
}

}  // namespace

std::string num_text(float value, std::string_view separator)
{
    const Digits d = digits7(value);
    std::string out;
    if (d.negative)
        out += '-';
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent >= -4 && d.exponent <= 6) {
        if (d.exponent >= 0) {
            const int whole = d.exponent + 1;
            if (n <= whole) {
                out += d.digits;
                out.append(static_cast<std::size_t>(whole - n), '0');
            } else {
                out.append(d.digits, 0, static_cast<std::size_t>(whole));
                out += separator;
                out.append(d.digits, static_cast<std::size_t>(whole));
            }
        } else {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            out += d.digits;
        }
    } else {
        out += d.digits[0];
        if (n > 1) {
            out += separator;
            out.append(d.digits, 1);
        }
        out += d.exponent < 0 ? "E-" : "E+";
        const int e = std::abs(d.exponent);
        if (e < 10)
            out += '0';
        out += std::to_string(e);
    }
    return out;
}

double round7(float value)
{
    const Digits d = digits7(value);
    std::string s = d.negative ? "-" : "";
    s += d.digits;
    s += 'e';
    s += std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
    double out = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), out);
    return out;
}

std::optional<double> dbl_text(std::string_view text, std::string_view separator)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);

    Decimal d;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        d.negative = text[i++] == '-';
    while (i < text.size() && is_digit(text[i]))
        d.integer += text[i++];
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        i += separator.size();
        while (i < text.size() && is_digit(text[i]))
            d.fraction += text[i++];
    }
    if (d.integer.empty() && d.fraction.empty())
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            d.exp_negative = text[i++] == '-';
        while (i < text.size() && is_digit(text[i]))
            d.exponent += text[i++];
        if (d.exponent.empty())
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return to_double(d);
}

}  // namespace stk

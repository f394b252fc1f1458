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
    // The usual case, a text without blanks: the number is read where it stands.
    if (text.find_first_of(" \t\n") == std::string_view::npos) {
        std::size_t i = 0;
        const bool negative = !text.empty() && text[0] == '-';
        if (!text.empty() && (text[0] == '+' || text[0] == '-'))
            ++i;
        if (i == text.size() || !(is_digit(text[i]) || text[i] == '.'))
            return 0.0;
        double value = 0.0;
        const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
        (void)end;
        if (ec == std::errc{})
            return negative ? -value : value;
        if (ec == std::errc::invalid_argument)
            return 0.0;
        // Out of range: the general reading below tells overflow from underflow.
    }

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

// The value rounded to 7 significant digits, in scientific notation
// ("-1.234568e+07"); "0.000000e+00" for zero.
struct Scientific {
    char text[32];
    std::size_t size = 0;
    std::string_view view() const { return {text, size}; }
};

Scientific scientific7(float value)
{
    Scientific out;
    const double v = (value == 0.0f || !std::isfinite(value)) ? 0.0 : static_cast<double>(value);
    const auto res = std::to_chars(out.text, out.text + sizeof out.text, v, std::chars_format::scientific, 6);
    out.size = static_cast<std::size_t>(res.ptr - out.text);
    return out;
}

// The significant digits of the rounded value without trailing zeros, and the
// decimal exponent of the first one.
struct Digits {
    bool negative = false;
    char digits[8] = {};
    int count = 0;
    int exponent = 0;
};

Digits digits7(float value)
{
    const Scientific sci = scientific7(value);
    const std::string_view s = sci.view();
    Digits out;
    std::size_t i = 0;
    if (s[i] == '-') {
        out.negative = true;
        ++i;
    }
    const auto e = s.find('e');
    for (; i < e; ++i)
        if (is_digit(s[i]))
            out.digits[out.count++] = s[i];
    while (out.count > 1 && out.digits[out.count - 1] == '0')
        --out.count;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), out.exponent);
    if (out.count == 1 && out.digits[0] == '0')
        out.negative = false;  // negative zero is written 0
    return out;
}

}  // namespace

std::string num_text(float value, std::string_view separator)
{
    const Digits d = digits7(value);
    const std::string_view digits(d.digits, static_cast<std::size_t>(d.count));
    const int n = d.count;
    std::string out;
    out.reserve(16 + separator.size());
    if (d.negative)
        out += '-';
    if (d.exponent >= -4 && d.exponent <= 6) {
        if (d.exponent >= 0) {
            const int whole = d.exponent + 1;
            if (n <= whole) {
                out += digits;
                out.append(static_cast<std::size_t>(whole - n), '0');
            } else {
                out += digits.substr(0, static_cast<std::size_t>(whole));
                out += separator;
                out += digits.substr(static_cast<std::size_t>(whole));
            }
        } else {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            out += digits;
        }
    } else {
        out += digits[0];
        if (n > 1) {
            out += separator;
            out += digits.substr(1);
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
    const Scientific sci = scientific7(value);
    double out = 0.0;
    std::from_chars(sci.text, sci.text + sci.size, out);
    return out == 0.0 ? 0.0 : out;
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

#include "analysis/assistant.h"

#include "analysis/reading.h"
#include "engine/checked.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace stk {
namespace {

constexpr double plain_limit = 1e15;  // from here on, exponent notation
constexpr double default_days = 200;

// A failed reading leaves the number at 0.
Dbl read_assistant(std::string_view text, std::string_view separator)
{
    Dbl value;
    step([&] { value = read_number(text, separator); });
    return value;
}

std::string exponent_text(double whole)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, whole, std::chars_format::scientific, 14);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = s.find('e');
    std::string mantissa(s.substr(0, e));
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    int exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    mantissa += exponent < 0 ? "E-" : "E+";
    if (std::abs(exponent) < 10)
        mantissa += '0';
    return mantissa + std::to_string(std::abs(exponent));
}

}  // namespace

std::string plain_text(double whole)
{
    if (std::fabs(whole) < plain_limit)
        return std::to_string(static_cast<long long>(whole));
    return exponent_text(whole);
}

StockOutEstimate estimate_stock_out_cost(std::string_view vp_text, std::string_view npi_text, std::string_view jt_text,
                                         std::string_view separator)
{
    StockOutEstimate estimate;
    const Dbl vp = read_assistant(vp_text, separator);
    Dbl npi = read_assistant(npi_text, separator);
    Dbl jt = read_assistant(jt_text, separator);
    if (jt == 0) {
        jt = default_days;
        estimate.default_days = true;
    }
    if (npi == 0)
        npi = 1;
    step([&] { estimate.crt = plain_text(std::floor((vp * 1000000 / (jt * npi)).value())); });
    return estimate;
}

}  // namespace stk

#include "analysis/range_text.h"

#include "engine/numtext.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace stk {

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string bound_text(double value, std::string_view separator)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3e", value);
    const double rounded = std::strtod(buffer, nullptr);
    // Within the single range num_text writes it: 4 digits survive its 7.
    if (std::fabs(rounded) < FLT_MAX / 10)
        return num_text(static_cast<float>(rounded), separator);
    // Beyond, the same exponent notation: 8.34E+37.
    std::string mantissa(buffer, std::strchr(buffer, 'e'));
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    if (const auto point = mantissa.find('.'); point != std::string::npos)
        mantissa.replace(point, 1, separator);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return mantissa + buffer;
}

std::string range_text(const DecisionRange& range, std::string_view unit, std::string_view separator,
                       const Translate& translate)
{
    const std::string stock = std::to_string(range.stock);
    const std::string low = bound_text(range.low.bound, separator);
    const std::string high = bound_text(range.high.bound, separator);
    std::string text;
    if (range.low.limited && range.high.limited)
        text = fill(translate(range_phrase::both), {stock, low, high, unit});
    else if (range.low.limited)
        text = fill(translate(range_phrase::from), {stock, low, unit});
    else if (range.high.limited)
        text = fill(translate(range_phrase::up_to), {stock, high, unit});
    else
        text = fill(translate(range_phrase::none), {stock, low, high, unit});

    std::string beyond;
    if (range.low.limited)
        beyond = fill(translate(range_phrase::below), {std::to_string(range.low.beyond)});
    if (range.high.limited)
        beyond +=
            (beyond.empty() ? "" : ", ") + fill(translate(range_phrase::above), {std::to_string(range.high.beyond)});
    if (!beyond.empty())
        text += " (" + beyond + ")";
    return text;
}

std::array<std::string, field_count> range_descriptions(const DecisionRanges& ranges,
                                                        const std::array<std::string, field_count>& units,
                                                        std::string_view separator, const Translate& translate)
{
    std::array<std::string, field_count> out;
    for (std::size_t i = 0; i < field_count; ++i)
        out[i] = range_text(ranges[i], units[i], separator, translate);
    return out;
}

}  // namespace stk

// The decision ranges in words, in the current language, for the input
// fields' tooltips and accessible descriptions and for the report:
// "Stock 3 recommandé de 470,2 à 2950 € / jour (en deçà : 2, au-delà : 4)".
#pragma once

#include "analysis/decision_ranges.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace stk {

// Gives the text of a French phrase in the current language (the French text
// itself when the language has none).
using Translate = std::function<std::string(std::string_view french)>;

// The phrases of the range texts, French as in the translation table; %1, %2...
// stand for the stock, the bounds and the unit.
namespace range_phrase {
inline constexpr std::string_view both = "Stock %1 recommandé de %2 à %3 %4";
inline constexpr std::string_view from = "Stock %1 recommandé à partir de %2 %3, sans limite haute";
inline constexpr std::string_view up_to = "Stock %1 recommandé jusqu'à %2 %3, sans limite basse";
inline constexpr std::string_view none = "Stock %1 recommandé sans limite de %2 à %3 %4";
inline constexpr std::string_view below = "en deçà\u00a0: %1";
inline constexpr std::string_view above = "au-delà\u00a0: %1";
}  // namespace range_phrase

// Replaces %1 .. %9 in `pattern` by `args` in one pass (a replacement is never
// scanned again); a placeholder without an argument stays as it is.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// A bound to 4 significant digits, written like the window writes a result
// (fixed notation from 1E-04 to 1E+06, exponent notation beyond, no digit
// grouping) with the user's decimal separator.
std::string bound_text(double value, std::string_view separator);

// One range in words; `unit` is the field's unit caption as shown.
std::string range_text(const DecisionRange& range, std::string_view unit, std::string_view separator,
                       const Translate& translate);

// The tooltip and accessible description of each input field, indexed by Field.
std::array<std::string, field_count> range_descriptions(const DecisionRanges& ranges,
                                                        const std::array<std::string, field_count>& units,
                                                        std::string_view separator, const Translate& translate);

}  // namespace stk

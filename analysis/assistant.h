// The stock-out-cost assistant: the daily cost of a stock-out estimated from
// the yearly value of production.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stk {

struct StockOutEstimate {
    // No days (0, empty or unreadable) were given: 200 working days count, and jt shows "200".
    bool default_days = false;
    // floor(vp x 1000000 / (jt x npi)) as crt shows it; none when it cannot be worked out.
    std::optional<std::string> crt;
};

// The estimate from the texts of the production value `vp` (millions), the
// number of independent processes `npi` (none counts as 1) and the working
// days `jt`, read in the user's locale (`separator`).
StockOutEstimate estimate_stock_out_cost(std::string_view vp, std::string_view npi, std::string_view jt,
                                         std::string_view separator);

// A whole number as text: its digits with a leading minus when negative
// (negative zero is 0); from 10^15 in magnitude 15 significant digits with an
// exponent, as 1E+15 or -1.23456789012346E+15.
std::string plain_text(double whole);

}  // namespace stk

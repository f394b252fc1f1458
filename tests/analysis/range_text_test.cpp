// The texts of the analysis: the decision ranges in words, and the whole numbers that the stock-out-cost assistant
// writes into the stock-out cost field.
#include "analysis/assistant.h"
#include "analysis/range_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TEST(RangeText, FillReplacesNumberedPlaceholdersOnce)
{
    EXPECT_EQ(stk::fill("%2 à %1", {"a", "b"}), "b à a");
    EXPECT_EQ(stk::fill("%1 %3 100 %", {"%2", "x"}), "%2 %3 100 %");
    EXPECT_EQ(stk::fill("", {"a"}), "");
}

struct BoundCase {
    double value;
    std::string separator, text;
};
void PrintTo(const BoundCase& c, std::ostream* os) { *os << c.text; }

class BoundText : public testing::TestWithParam<BoundCase> {};

TEST_P(BoundText, WritesFourSignificantDigitsLikeTheResults)
{
    EXPECT_EQ(stk::bound_text(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, BoundText,
                         testing::Values(BoundCase{470.2093, ",", "470,2"}, BoundCase{470.2093, ".", "470.2"},
                                         BoundCase{25936.99, ",", "25940"}, BoundCase{500000, ",", "500000"},
                                         BoundCase{3.879393, ",", "3,879"}, BoundCase{0.05, ",", "0,05"},
                                         BoundCase{0.00012346, ",", "0,0001235"}, BoundCase{0.00001, ",", "1E-05"},
                                         BoundCase{9999999, ",", "1E+07"}, BoundCase{-1000, ",", "-1000"},
                                         BoundCase{0, ",", "0"}, BoundCase{-0.0, ",", "0"},
                                         BoundCase{8.3402e37, ",", "8,34E+37"}, BoundCase{-1.5e300, ".", "-1.5E+300"},
                                         BoundCase{1.7976931348623157e308, ".", "1.798E+308"}));

stk::DecisionRange range(int stock, bool low_limited, double low, int below, bool high_limited, double high, int above)
{
    stk::DecisionRange r;
    r.stock = stock;
    r.low = {low_limited, low, below};
    r.high = {high_limited, high, above};
    return r;
}

std::string same(std::string_view french) { return std::string(french); }

struct TextCase {
    stk::DecisionRange range;
    std::string text;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.text; }

class RangeWords : public testing::TestWithParam<TextCase> {};

TEST_P(RangeWords, SayTheRangeOfTheStock)
{
    EXPECT_EQ(stk::range_text(GetParam().range, "€ / jour", ",", same), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, RangeWords,
    testing::Values(TextCase{range(3, true, 412, 2, true, 2950, 4),
                             "Stock 3 recommandé de 412 à 2950 € / jour (en deçà\u00a0: 2, au-delà\u00a0: 4)"},
                    TextCase{range(3, true, 470.2093, 2, false, 500000, -1),
                             "Stock 3 recommandé à partir de 470,2 € / jour, sans limite haute (en deçà\u00a0: 2)"},
                    TextCase{range(0, false, 0.05, -1, true, 25936.99, 1),
                             "Stock 0 recommandé jusqu'à 25940 € / jour, sans limite basse (au-delà\u00a0: 1)"},
                    TextCase{range(1, false, -1000, -1, false, 1000, -1),
                             "Stock 1 recommandé sans limite de -1000 à 1000 € / jour"}));

struct Plain {
    double value;
    const char* text;
};
void PrintTo(const Plain& p, std::ostream* os) { *os << p.text; }

class PlainText : public ::testing::TestWithParam<Plain> {};

TEST_P(PlainText, WritesAtMostFifteenDigits) { EXPECT_EQ(stk::plain_text(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Values, PlainText,
                         ::testing::Values(Plain{-0.0, "0"}, Plain{-3334, "-3334"},
                                           Plain{999999999999999.0, "999999999999999"},
                                           Plain{-999999999999999.0, "-999999999999999"}, Plain{1e15, "1E+15"},
                                           Plain{-1e15, "-1E+15"}, Plain{1234567890123456.0, "1.23456789012346E+15"},
                                           Plain{-1234567890123456.0, "-1.23456789012346E+15"},
                                           Plain{9999999999999998.0, "1E+16"}));

}  // namespace

// The whole numbers the stock-out-cost assistant writes into the stock-out cost field.
#include "analysis/assistant.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Plain {
    double value;
    const char* text;
};
void PrintTo(const Plain& p, std::ostream* os) { *os << p.text; }

class PlainText : public ::testing::TestWithParam<Plain> {};

TEST_P(PlainText, WritesDigitsUpToFifteenAndAnExponentBeyond)
{
    EXPECT_EQ(stk::plain_text(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, PlainText,
                         ::testing::Values(Plain{-0.0, "0"}, Plain{-3334, "-3334"},
                                           Plain{999999999999999.0, "999999999999999"},
                                           Plain{-999999999999999.0, "-999999999999999"}, Plain{1e15, "1E+15"},
                                           Plain{-1e15, "-1E+15"}, Plain{1234567890123456.0, "1.23456789012346E+15"},
                                           Plain{-1234567890123456.0, "-1.23456789012346E+15"},
                                           Plain{9999999999999998.0, "1E+16"}));

}  // namespace

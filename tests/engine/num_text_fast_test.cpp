// Both ways to write result values (num_text and the fast num_text_to) give the window's text, to the character.
#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string fast(float value, char separator)
{
    char out[stk::num_text_capacity];
    return {out, stk::num_text_to(out, value, separator)};
}

struct Known {
    float value;
    char separator;
    const char* text;
};

class NumTextTo : public testing::TestWithParam<Known> {};

TEST_P(NumTextTo, WritesTheWindowsText)
{
    EXPECT_EQ(fast(GetParam().value, GetParam().separator), GetParam().text);
    EXPECT_EQ(stk::num_text(GetParam().value, std::string(1, GetParam().separator)), GetParam().text);
}

// The worked example's cells as the window shows them, and the notation's edges: seven significant digits;
// 0.0000999999997f (the float nearest 0.0001) lies below 1E-04, and rounding carries into fixed notation.
INSTANTIATE_TEST_SUITE_P(
    WindowTexts, NumTextTo,
    testing::Values(Known{26549.06f, '.', "26549.06"}, Known{534.3407f, '.', "534.3407"},
                    Known{216.9994f, '.', "216.9994"}, Known{0.07472568f, '.', "0.07472568"},
                    Known{0.001140828f, '.', "0.001140828"}, Known{788.3407f, '.', "788.3407"},
                    Known{674.9994f, '.', "674.9994"}, Known{662.0747f, '.', "662.0747"},
                    Known{866.0012f, '.', "866.0012"}, Known{40.0f, '.', "40"}, Known{706.0f, '.', "706"},
                    Known{534.3407f, ',', "534,3407"}, Known{0.0f, '.', "0"}, Known{-0.0f, '.', "0"},
                    Known{1.0f / 3.0f, '.', "0.3333333"}, Known{9999999.0f, '.', "9999999"},
                    Known{12345678.0f, '.', "1.234568E+07"}, Known{12345678.0f, ',', "1,234568E+07"},
                    Known{-12345678.0f, '.', "-1.234568E+07"}, Known{1e8f, '.', "1E+08"}, Known{1e6f, '.', "1000000"},
                    Known{9999.9999f, '.', "10000"}, Known{0.0000999999997f, '.', "0.0001"},
                    Known{0.00009999f, '.', "9.999E-05"}, Known{1e-5f, '.', "1E-05"},
                    Known{FLT_MAX, '.', "3.402823E+38"}, Known{1048576.5f, '.', "1048576"},
                    Known{1048577.5f, '.', "1048578"}, Known{-0.07472568f, '.', "-0.07472568"}));

void expect_same(float v, char separator)
{
    const std::string sep(1, separator);
    ASSERT_EQ(fast(v, separator), stk::num_text(v, sep)) << std::hexfloat << v;
}

// Every kind of float: random bit patterns over the whole range (NaN and
// infinities included), and values on and around seven-digit ties.
TEST(NumTextTo, AgreesWithNumTextOnRandomValues)
{
    std::mt19937 random(11);
    for (int i = 0; i < 1'000'000; ++i) {
        const std::uint32_t bits = random();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        expect_same(v, i % 2 ? '.' : ',');
    }
    std::uniform_int_distribution<int> digits(1000000, 9999999), exponent(-45, 38);
    for (int i = 0; i < 300'000; ++i) {
        // d.dddddd5 x 10^e: a decimal tie, and the floats on either side.
        const double tie = (digits(random) + 0.5) * std::pow(10.0, exponent(random) - 6);
        const float f = static_cast<float>(tie);
        expect_same(f, '.');
        expect_same(std::nextafter(f, 0.0f), '.');
        expect_same(std::nextafter(f, FLT_MAX), '.');
    }
    // Floats with a half: exact ties at the seventh digit.
    for (float v = 1000000.5f; v < 1001000.0f; v += 1.0f)
        expect_same(v, '.');
}

}  // namespace

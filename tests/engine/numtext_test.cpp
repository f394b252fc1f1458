// Reading field texts, writing result texts and reading them back.
#include "engine/checked.h"
#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace {

struct ValCase {
    std::string text;
    double value;
};

class ValText : public testing::TestWithParam<ValCase> {};

TEST_P(ValText, ReadsTheLeadingNumber)
{
    const double v = stk::val_text(GetParam().text);
    EXPECT_EQ(v, GetParam().value) << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(Fields, ValText, testing::Values(
    ValCase{"", 0}, ValCase{"abc", 0}, ValCase{"€5", 0}, ValCase{"-", 0}, ValCase{".", 0},
    ValCase{"2,5", 2}, ValCase{"1,000", 1}, ValCase{"2.5", 2.5}, ValCase{".5", 0.5},
    ValCase{"5.", 5}, ValCase{"-3", -3}, ValCase{"+7", 7}, ValCase{"1 000", 1000},
    ValCase{"1 5", 15}, ValCase{"\t1\n5", 15}, ValCase{" - 4", -4}, ValCase{"12abc", 12},
    ValCase{"1e3", 1000}, ValCase{"1E+3", 1000}, ValCase{"2.5e-1", 0.25}, ValCase{"1e", 1},
    ValCase{"1e+", 1}, ValCase{"1ex", 1}, ValCase{"1.2.3", 1.2}, ValCase{"+-3", 0},
    ValCase{"1\r5", 1}, ValCase{"1E-400", 0}, ValCase{"0e999999999999", 0},
    ValCase{"1e-310", 1e-310}, ValCase{"1.7976931348623157e308", DBL_MAX},
    ValCase{"0.1", 0.1}, ValCase{"123456789012345678901234567890", 1.2345678901234568e29}));

class ValTextOutOfRange : public testing::TestWithParam<std::string> {};

TEST_P(ValTextOutOfRange, FailsTheReadingStep)
{
    EXPECT_THROW(stk::val_text(GetParam()), stk::step_failure);
}

INSTANTIATE_TEST_SUITE_P(Fields, ValTextOutOfRange, testing::Values(
    "1E400", "-1E400", "1e309", "2e308abc", std::string(400, '9'), "0.000001e315"));

struct NumCase {
    float value;
    std::string separator;
    std::string text;
};

class NumText : public testing::TestWithParam<NumCase> {};

TEST_P(NumText, WritesSevenSignificantDigits)
{
    EXPECT_EQ(stk::num_text(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Notation, NumText, testing::Values(
    NumCase{0.0f, ".", "0"}, NumCase{-0.0f, ".", "0"}, NumCase{40.0f, ".", "40"},
    NumCase{1.0f / 3.0f, ".", "0.3333333"}, NumCase{0.5f, ".", "0.5"},
    NumCase{-0.5f, ".", "-0.5"}, NumCase{534.3407f, ".", "534.3407"},
    NumCase{1234567.0f, ".", "1234567"}, NumCase{9999999.0f, ".", "9999999"},
    NumCase{12345678.0f, ".", "1.234568E+07"}, NumCase{-12345678.0f, ".", "-1.234568E+07"},
    NumCase{1e7f, ".", "1E+07"}, NumCase{100000000.0f, ".", "1E+08"},
    NumCase{999999.9375f, ".", "999999.9"}, NumCase{9999.9999f, ".", "10000"}, NumCase{1e6f, ".", "1000000"},
    NumCase{0.0001f, ".", "0.0001"}, NumCase{0.0000999999997f, ".", "0.0001"},
    NumCase{0.00009999f, ".", "9.999E-05"}, NumCase{0.00001f, ".", "1E-05"},
    NumCase{0.001140828f, ".", "0.001140828"}, NumCase{-0.07472568f, ".", "-0.07472568"},
    NumCase{FLT_MAX, ".", "3.402823E+38"}, NumCase{1e-45f, ".", "1.401298E-45"},
    NumCase{1e-10f, ".", "1E-10"}, NumCase{1.5e-30f, ".", "1.5E-30"},
    NumCase{534.3407f, ",", "534,3407"}, NumCase{0.5f, ",", "0,5"}, NumCase{40.0f, ",", "40"},
    NumCase{12345678.0f, ",", "1,234568E+07"}, NumCase{2.5f, "\u066B", "2\u066B5"}));

// Whatever num_text writes, dbl_text reads back as the rounded value.
class RoundTrip : public testing::TestWithParam<std::string> {};

TEST_P(RoundTrip, DblTextReadsWhatNumTextWrote)
{
    const std::string sep = GetParam();
    const float samples[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.1f, 1.0f / 3.0f, 26549.06f, 0.001140828f,
                             9999999.0f, 12345678.0f, 1e-5f, 0.0000999999997f, FLT_MAX, -FLT_MAX,
                             1e-45f, FLT_MIN, 123.456e20f, -7.5e-12f};
    for (float v : samples) {
        const std::string text = stk::num_text(v, sep);
        const auto back = stk::dbl_text(text, sep);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(*back, stk::round7(v)) << text;
        EXPECT_NEAR(*back, v, std::fabs(v) * 5e-7) << text;
    }
    // A sweep over many magnitudes and mantissas.
    for (int e = -44; e <= 38; ++e) {
        for (float m : {1.0f, 1.2345678f, 9.9999999f, 5.5f}) {
            const float v = m * std::pow(10.0f, static_cast<float>(e));
            if (!std::isfinite(v))
                continue;
            const auto back = stk::dbl_text(stk::num_text(v, sep), sep);
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(*back, stk::round7(v));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundTrip, testing::Values(".", ","));

struct DblCase {
    std::string text;
    std::string separator;
    std::optional<double> value;
};

class DblText : public testing::TestWithParam<DblCase> {};

TEST_P(DblText, IsStrict)
{
    EXPECT_EQ(stk::dbl_text(GetParam().text, GetParam().separator), GetParam().value)
        << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(Texts, DblText, testing::Values(
    DblCase{"12", ".", 12.0}, DblCase{" 12 ", ".", 12.0}, DblCase{"+3", ".", 3.0},
    DblCase{"-2.5", ".", -2.5}, DblCase{"-2,5", ",", -2.5}, DblCase{".5", ".", 0.5},
    DblCase{"5.", ".", 5.0}, DblCase{"1E+07", ".", 1e7}, DblCase{"1,5e-3", ",", 0.0015},
    DblCase{"", ".", std::nullopt}, DblCase{"   ", ".", std::nullopt},
    DblCase{"abc", ".", std::nullopt}, DblCase{"12abc", ".", std::nullopt},
    DblCase{"1,5", ".", std::nullopt}, DblCase{"1.5", ",", std::nullopt},
    DblCase{"1e", ".", std::nullopt}, DblCase{"--1", ".", std::nullopt},
    DblCase{"1 000", ".", std::nullopt}, DblCase{".", ".", std::nullopt},
    DblCase{"1E400", ".", std::nullopt}, DblCase{"€5", ".", std::nullopt}));

}  // namespace

// Cells are read as the window reads its fields, to the last bit.
#include "batch/batch.h"
#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

TEST(Cells, ReadTheLeadingNumberTellingWhetherTheyArePlain)
{
    struct Cell {
        const char* text;
        double value;
        bool plain;
    };
    for (const Cell& c :
         {Cell{"200", 200, true}, Cell{"200,5", 200.5, true}, Cell{"0,07", 0.07, true}, Cell{" 4 ", 4, true},
          Cell{"-3", -3, true}, Cell{"+2", 2, true}, Cell{"1e3", 1000, true}, Cell{"5.", 5, true},
          Cell{",5", 0.5, true}, Cell{"12 semaines", 12, false}, Cell{"", 0, false}, Cell{"n/a", 0, false},
          Cell{"1 234", 1234, false}, Cell{"1.234,5", 1.234, false}, Cell{"€200", 0, false}, Cell{"200€", 200, false},
          Cell{"1E400", 0, false}, Cell{"0,0000000000000001", 1e-16, true}}) {
        const auto r = stk::batch::read_value(c.text, true);
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.plain, c.plain) << c.text;
    }
}

// Random plain numbers with a decimal comma or point: the same double as the
// window's reading of the same text with a point.
TEST(Cells, AgreeWithTheWindowsReadingToTheBit)
{
    std::mt19937_64 random(11);
    for (int i = 0; i < 300'000; ++i) {
        std::string text = (random() % 5 == 0) ? "-" : "";
        const int whole = static_cast<int>(random() % 10), fraction = static_cast<int>(random() % 12);
        for (int k = 0; k < whole; ++k)
            text += static_cast<char>('0' + random() % 10);
        if (fraction > 0 || whole == 0) {
            text += (random() % 2) ? ',' : '.';
            for (int k = 0; k < std::max(fraction, 1); ++k)
                text += static_cast<char>('0' + random() % 10);
        }
        std::string with_point = text;
        for (char& c : with_point)
            if (c == ',')
                c = '.';
        const double expected = stk::val_text(with_point);
        const double got = stk::batch::read_value(text, true).value;
        ASSERT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << text;
    }
}

}  // namespace

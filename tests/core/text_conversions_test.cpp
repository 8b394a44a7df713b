#include "text_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace apqr {
namespace {

struct Reading {
    std::string text;
    double value;
    friend std::ostream& operator<<(std::ostream& out, const Reading& c) { return out << c.text; }
};

class NumericValueTest : public ::testing::TestWithParam<Reading> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numericValue(GetParam().text), GetParam().value)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    ::testing::Values(
        Reading{"12", 12}, Reading{"", 0}, Reading{"abc", 0}, Reading{"-5", -5}, Reading{"+7", 7},
        // blanks, tabs and line feeds are skipped anywhere, even between digits
        Reading{" 1 2", 12}, Reading{"\t3\n0", 30}, Reading{"1 . 5", 1.5},
        // but a carriage return is not skipped
        Reading{"1\r2", 1},
        // a comma is no decimal point, whatever the locale
        Reading{"12,5", 12}, Reading{"7.5", 7.5}, Reading{".5", 0.5}, Reading{"5.", 5},
        Reading{"1.2.3", 1.2}, Reading{"12abc", 12}, Reading{"- 4", -4}, Reading{"1e3", 1000},
        Reading{"2.5E-1", 0.25}, Reading{"1D2", 100}, Reading{"1e", 1}, Reading{"1e+", 1},
        Reading{"e5", 0}, Reading{"&H1F", 31}, Reading{"&hff", 255}, Reading{"&O17", 15},
        Reading{"&O9", 0}, Reading{"&", 0}, Reading{"&X12", 0},
        Reading{"000000000000000000000000000000000000000000000000000000000000012", 12},
        Reading{"0.000000000000000000000000000000000000000000000000000000000000125e62", 12.5},
        Reading{"1e-999", 0}, Reading{"-0", 0}));

TEST(NumericValue, OverflowIsInfiniteNeverNaN) {
    EXPECT_EQ(numericValue("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue(std::string(500, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue("1e99999999999999999999999"), std::numeric_limits<double>::infinity());
    // 60 significant digits are cut to 40 without losing the magnitude
    EXPECT_DOUBLE_EQ(numericValue("1" + std::string(59, '0')), 1e59);
    EXPECT_FALSE(std::isnan(numericValue(std::string(1000, '.'))));
}

TEST(IntegerText, HasNoBlankAndWritesWholeNumbersInFull) {
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-0.0), "0");
    EXPECT_EQ(integerText(12), "12");
    EXPECT_EQ(integerText(-3), "-3");
    EXPECT_EQ(integerText(1e15), "1000000000000000");
    EXPECT_EQ(integerText(7.5), "7.5");
}

TEST(SignedText, PutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(signedText(3), " 3");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-5), "-5");
}

TEST(Rounding, IsHalfToEven) {
    EXPECT_EQ(roundHalfEven(22.5), 22);
    EXPECT_EQ(roundHalfEven(23.5), 24);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(toInt16(22.5), 22);
    EXPECT_EQ(toInt16(27), 27);
    EXPECT_EQ(toInt16(1e9), 32767);
    EXPECT_EQ(toInt16(-1e9), -32768);
}

}  // namespace
}  // namespace apqr

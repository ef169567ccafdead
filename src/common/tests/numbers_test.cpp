#include "common/errors.h"
#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hk {
namespace {

struct LeadingCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(
        LeadingCase{"CommaEndsNumber", "75,5", 75}, LeadingCase{"BlankInsideDigits", "1 2", 12},
        LeadingCase{"LowerExponent", "1e2", 100}, LeadingCase{"DExponent", "1D2", 100},
        LeadingCase{"Letters", "abc", 0}, LeadingCase{"Empty", "", 0},
        LeadingCase{"Point", "49.9", 49.9}, LeadingCase{"LeadingPoint", ".5", 0.5},
        LeadingCase{"Negative", "-7", -7}, LeadingCase{"Plus", "+7", 7},
        LeadingCase{"TabsAndLineFeeds", "\t1\n2", 12},
        LeadingCase{"SecondPointStops", "1.2.3", 1.2}, LeadingCase{"TrailingLetters", "12abc", 12},
        LeadingCase{"ExponentWithoutDigits", "1E", 1},
        LeadingCase{"ExponentSignWithoutDigits", "1E+", 1},
        LeadingCase{"NegativeExponent", "25E-1", 2.5}, LeadingCase{"SignOnly", "-", 0},
        LeadingCase{"PointOnly", ".", 0}, LeadingCase{"ZeroComma", "0,95", 0},
        LeadingCase{"SignAfterBlank", " -3", -3}, LeadingCase{"SecondSignStops", "--3", 0},
        LeadingCase{"TinyUnderflowsToZero", "1E-400", 0}, LeadingCase{"RoomNumber", "0001", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, BeyondDoubleRangeIsOverflow) {
    EXPECT_THROW(LeadingNumber("1E400"), OverflowError);
    EXPECT_THROW(LeadingNumber("-1E400"), OverflowError);
    EXPECT_THROW(LeadingNumber("1" + std::string(400, '0')), OverflowError);
}

struct EdgeCase {
    const char* name;
    std::string text;
    bool overflows;
    double value; // when it does not
};

class RangeEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

// At the ends of the double range: too large is an overflow, too small is
// zero with its sign; the text alone decides, on every system and locale.
TEST_P(RangeEdgeTest, LeadingAndRegionalAgree) {
    const EdgeCase& c = GetParam();
    std::string regional = c.text;
    for (char& ch : regional) {
        ch = ch == '.' ? ',' : ch;
    }
    if (c.overflows) {
        EXPECT_THROW(LeadingNumber(c.text), OverflowError);
        EXPECT_THROW(RegionalNumber(regional), OverflowError);
    } else {
        EXPECT_EQ(LeadingNumber(c.text), c.value);
        EXPECT_EQ(std::signbit(LeadingNumber(c.text)), std::signbit(c.value));
        EXPECT_EQ(RegionalNumber(regional), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    DoubleRange, RangeEdgeTest,
    ::testing::Values(EdgeCase{"Largest", "1.7976931348623157e308", false,
                               std::numeric_limits<double>::max()},
                      EdgeCase{"JustAboveLargest", "1.7976931348623159e308", true, 0},
                      EdgeCase{"AboveLargestByExponent", "1.8e308", true, 0},
                      EdgeCase{"NegativeAboveLargest", "-1.8e308", true, 0},
                      EdgeCase{"LeadingZerosAbove", "0.00018e312", true, 0},
                      EdgeCase{"ManyDigitsAbove", "18" + std::string(307, '0') + ".5", true, 0},
                      EdgeCase{"HugeExponent", "1e99999999999999999999", true, 0},
                      EdgeCase{"SmallestNormal", "2.2250738585072014e-308", false,
                               std::numeric_limits<double>::min()},
                      EdgeCase{"SmallestSubnormal", "4.9406564584124654e-324", false,
                               std::numeric_limits<double>::denorm_min()},
                      EdgeCase{"BelowSubnormalIsZero", "2e-325", false, 0.0},
                      EdgeCase{"NegativeBelowIsNegativeZero", "-1e-400", false, -0.0},
                      EdgeCase{"ManyDigitsBelow", "1000e-330", false, 0.0},
                      EdgeCase{"ZeroWithHugeExponent", "0e99999", false, 0.0},
                      EdgeCase{"HugeNegativeExponent", "5e-99999999999999999999", false, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RegionalCase {
    const char* name;
    const char* text;
    bool isNumber;
    double value; // when it is a number
};

class RegionalNumberTest : public ::testing::TestWithParam<RegionalCase> {};

TEST_P(RegionalNumberTest, GermanFormat) {
    const auto& p = GetParam();
    EXPECT_EQ(IsRegionalNumber(p.text), p.isNumber);
    if (p.isNumber) {
        EXPECT_DOUBLE_EQ(RegionalNumber(p.text), p.value);
    } else {
        EXPECT_THROW(RegionalNumber(p.text), TypeMismatchError);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RegionalNumberTest,
    ::testing::Values(
        RegionalCase{"DecimalComma", "1,5", true, 1.5},
        RegionalCase{"GroupingPoint", "1.500", true, 1500},
        RegionalCase{"PointReadAsGrouping", "49.9", true, 499},
        RegionalCase{"TrailingLetters", "12abc", false, 0}, RegionalCase{"Empty", "", false, 0},
        RegionalCase{"Blanks", "   ", false, 0},
        RegionalCase{"SurroundingBlanks", "  20,5  ", true, 20.5},
        RegionalCase{"Negative", "-3", true, -3}, RegionalCase{"Positive", "+3", true, 3},
        RegionalCase{"Exponent", "1E3", true, 1000},
        RegionalCase{"LowerExponent", "1,5e2", true, 150},
        RegionalCase{"ExponentSign", "25E-1", true, 2.5},
        RegionalCase{"ExponentWithoutDigits", "1E", false, 0},
        RegionalCase{"TwoCommas", "1,2,3", false, 0},
        RegionalCase{"GroupingAfterComma", "1,2.3", false, 0},
        RegionalCase{"LeadingGrouping", ".5", false, 0},
        RegionalCase{"TrailingGrouping", "5.", false, 0},
        RegionalCase{"DoubleGrouping", "1..5", false, 0},
        RegionalCase{"CommaWithoutDigits", "1,", false, 0},
        RegionalCase{"CommaFirst", ",5", true, 0.5}, RegionalCase{"RoomNumber", "0001", true, 1},
        RegionalCase{"InnerBlank", "1 2", false, 0}, RegionalCase{"SignOnly", "-", false, 0},
        RegionalCase{"Catalogue", "1,28", true, 1.28}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionalNumber, BeyondRangesOverflow) {
    EXPECT_TRUE(IsRegionalNumber("1E400"));
    EXPECT_THROW(RegionalNumber("1E400"), OverflowError);
    EXPECT_THROW(RegionalSingle("1E39"), OverflowError);
    EXPECT_FLOAT_EQ(RegionalSingle("3E38"), 3e38f);
}

TEST(RegionalSingle, RoundsToSinglePrecision) {
    EXPECT_EQ(RegionalSingle("1,3"), 1.3f);
    EXPECT_EQ(RegionalSingle("0,1"), 0.1f);
    EXPECT_EQ(RegionalSingle("20,5"), 20.5f);
}

struct Int16Case {
    const char* name;
    double in;
    int out;
};

class ToInt16Test : public ::testing::TestWithParam<Int16Case> {};

TEST_P(ToInt16Test, HalvesToEven) { EXPECT_EQ(ToInt16(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Values, ToInt16Test,
    ::testing::Values(Int16Case{"HalfUpToEven", 49.5, 50}, Int16Case{"HalfDownToEven", 50.5, 50},
                      Int16Case{"TwentyAndHalf", 20.5, 20},
                      Int16Case{"TwentyNineAndHalf", 29.5, 30}, Int16Case{"NegativeHalf", -0.5, 0},
                      Int16Case{"NegativeOneAndHalf", -1.5, -2},
                      Int16Case{"NegativeTwoAndHalf", -2.5, -2}, Int16Case{"BelowHalf", 1.49, 1},
                      Int16Case{"AboveHalf", 1.51, 2}, Int16Case{"Max", 32767.4, 32767},
                      Int16Case{"Min", -32768.5, -32768}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToInt16, OutOfRangeIsOverflow) {
    EXPECT_THROW(ToInt16(32767.5), OverflowError); // rounds to 32768
    EXPECT_THROW(ToInt16(-32769), OverflowError);
    EXPECT_THROW(ToInt16(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_THROW(ToInt16(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(StoreSingle, RangeAndNaN) {
    EXPECT_THROW(StoreSingle(1e39), OverflowError);
    EXPECT_THROW(StoreSingle(-1e39), OverflowError);
    EXPECT_THROW(StoreSingle(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(StoreSingle(std::numeric_limits<double>::quiet_NaN()), InvalidArgumentError);
    EXPECT_EQ(StoreSingle(0.7), 0.7f);
    EXPECT_EQ(StoreSingle(static_cast<double>(std::numeric_limits<float>::max())),
              std::numeric_limits<float>::max());
}

struct RoundCase {
    const char* name;
    double x;
    int k;
    double out;
};

class RoundDecimalsTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecimalsTest, HalvesUp) {
    EXPECT_DOUBLE_EQ(RoundDecimals(GetParam().x, GetParam().k), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundDecimalsTest,
                         ::testing::Values(RoundCase{"OneDecimalDown", 32.7407, 1, 32.7},
                                           RoundCase{"OneDecimalHalfUp", 0.25, 1, 0.3},
                                           RoundCase{"TwoDecimals", 2.2014, 2, 2.2},
                                           RoundCase{"TwoDecimalsHalfUp", 1.125, 2, 1.13},
                                           RoundCase{"WholeHalfUp", 2.5, 0, 3},
                                           RoundCase{"WholeHalfUpOdd", 3.5, 0, 4},
                                           RoundCase{"NegativeHalfTowardsPlus", -2.5, 0, -2}),
                         [](const auto& info) { return std::string(info.param.name); });

// Exactly k decimals after the program's rounding.
struct DecimalCase {
    const char* name;
    double x;
    int k;
    const char* text;
};

class DecimalTextTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, ExactlyKDecimals) {
    EXPECT_EQ(DecimalText(GetParam().x, GetParam().k), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, DecimalTextTest,
                         ::testing::Values(DecimalCase{"WholeValueKeepsItsZero", 45, 1, "45,0"},
                                           DecimalCase{"LeadingZeroAndPadding", 0.04, 3, "0,040"},
                                           DecimalCase{"RoundsToZero", 0.0004, 3, "0,000"},
                                           DecimalCase{"HalfUp", 0.25, 1, "0,3"},
                                           DecimalCase{"NegativeHalfTowardsPlus", -1.25, 1, "-1,2"},
                                           DecimalCase{"SmallNegativeBecomesZero", -0.04, 1, "0,0"},
                                           DecimalCase{"NoDecimals", 2.5, 0, "3"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    float x;
    const char* regional;
    const char* file;
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, ShortestSevenDigits) {
    EXPECT_EQ(NumberText(GetParam().x), GetParam().regional);
    EXPECT_EQ(FileNumberText(GetParam().x), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(
        TextCase{"Whole", 50.0f, "50", "50"}, TextCase{"TwoDecimals", 1.28f, "1,28", "1.28"},
        TextCase{"OneDecimal", 32.7f, "32,7", "32.7"}, TextCase{"Exponent13", 1.3f, "1,3", "1.3"},
        TextCase{"BelowOne", 0.85f, "0,85", "0.85"}, TextCase{"Negative", -3.5f, "-3,5", "-3.5"},
        TextCase{"Zero", 0.0f, "0", "0"}, TextCase{"NegativeZero", -0.0f, "0", "0"},
        TextCase{"SevenDigits", 1234567.0f, "1234567", "1234567"},
        TextCase{"SevenSignificant", 0.1f + 0.2f, "0,3", "0.3"},
        TextCase{"Thousands", 9999.0f, "9999", "9999"},
        TextCase{"TenMillionExponent", 1e7f, "1E+07", "1E+07"},
        TextCase{"Small", 0.0001f, "0,0001", "0.0001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WholeText, Digits) {
    EXPECT_EQ(WholeText(60), "60");
    EXPECT_EQ(WholeText(-32768), "-32768");
}

} // namespace
} // namespace hk

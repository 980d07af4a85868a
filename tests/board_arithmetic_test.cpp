#include "board/errors.h"
#include "board/int16.h"
#include "board/layout.h"
#include "board/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vantirelle;

TEST(Int16Arithmetic, ResultsAtTheLimitsAreKeptAndBeyondThemRaiseOverflow)
{
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_EQ(mul16(682, 48), 32736);
    EXPECT_EQ(mul16(181, 181), 32761);
    EXPECT_THROW(add16(32767, 1), OverflowError);
    EXPECT_THROW(sub16(-32768, 1), OverflowError);
    EXPECT_THROW(mul16(683, 48), OverflowError);
    EXPECT_THROW(mul16(182, 181), OverflowError);
    EXPECT_THROW(mul16(-32768, -1), OverflowError);
}

TEST(Int16Arithmetic, OverflowBelongsToTheBoardErrorFamily)
{
    try {
        add16(32767, 32767);
        FAIL() << "no error raised";
    } catch (const BoardError& e) {
        EXPECT_STREQ(e.what(), "Overflow");
    }
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double value;
        Int16 expected;
    };
    const Case cases[] = {
        {2.5, 2},   {3.5, 4},   {0.5, 0},       {1.5, 2},     {-2.5, -2}, {-3.5, -4},
        {2.4999, 2}, {2.5001, 3}, {18.33, 18},  {13.67, 14},  {9.5, 10},  {10.5, 10},
        {19.5, 20}, {32767.4, 32767}, {-32768.4, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundToInt16(c.value), c.expected) << c.value;
}

TEST(RoundToInt16, ResultsOutsideTheRangeOrNonFiniteValuesRaiseOverflow)
{
    EXPECT_THROW(roundToInt16(32767.5), OverflowError);
    EXPECT_THROW(roundToInt16(32768.0), OverflowError);
    EXPECT_THROW(roundToInt16(-32768.6), OverflowError);
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_THROW(roundToInt16(std::nan("")), OverflowError);
    EXPECT_THROW(roundToInt16(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(NumberText, LeadingSpaceForZeroAndPositivesMinusForNegatives)
{
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(4), " 4");
    EXPECT_EQ(NumberText(32767), " 32767");
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(-32768), "-32768");
    EXPECT_EQ(TrimmedNumberText(12), "12");
    EXPECT_EQ(TrimmedNumberText(-12), "-12");
}

TEST(CaptionNumber, ReadsWholeNumbersAndRejectsEverythingElse)
{
    long long n = 0;
    EXPECT_TRUE(captionNumber("7", n));
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(captionNumber(" 07 ", n));
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(captionNumber("-3", n));
    EXPECT_EQ(n, -3);
    for (const char* text : {"", "   ", "abc", "7a", "1.5", "+", "-", "99999999999999999999999"})
        EXPECT_FALSE(captionNumber(text, n)) << text;
}

TEST(CustomSizeMaximum, WholeTilesAcrossTheScreenLessThreeRoundedHalfToEven)
{
    struct Case {
        int pixels;
        Int16 expected;
    };
    const Case cases[] = {{1024, 18}, {768, 13}, {800, 14}, {600, 10}, {1920, 37}, {1080, 20}, {648, 10}, {1366, 25}};
    for (const auto& c : cases) {
        // the same maximum at 96 dpi (15 twips per pixel) and at 120 dpi (12)
        EXPECT_EQ(customSizeMaximum(c.pixels * 15.0, 15.0), c.expected) << c.pixels;
        EXPECT_EQ(customSizeMaximum(c.pixels * 12.0, 12.0), c.expected) << c.pixels;
    }
}

TEST(IndexArithmetic, RowByRowFromTheTopLeft)
{
    const Place p = placeOf(7, 5);
    EXPECT_EQ(p.row, 1);
    EXPECT_EQ(p.column, 2);
    EXPECT_EQ(indexOf(1, 2, 5), 7);
    EXPECT_EQ(indexOf(180, 180, 181), 32760);
    EXPECT_THROW(indexOf(200, 0, 200), OverflowError);
}

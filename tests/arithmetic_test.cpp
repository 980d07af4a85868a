#include "board/errors.h"
#include "board/int16.h"
#include "board/layout.h"
#include "board/texts.h"

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
    EXPECT_THROW(checkedInt16(40000), BoardError) << "overflow belongs to the board's error family";
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double value;
        Int16 expected;
    };
    const Case cases[] = {
        {2.5, 2},    {3.5, 4},    {0.5, 0},   {1.5, 2},   {-2.5, -2}, {-3.5, -4},         {2.4999, 2},
        {2.5001, 3}, {18.33, 18}, {13.67, 14}, {9.5, 10}, {10.5, 10}, {19.5, 20},         {32767.4, 32767},
        {-32768.4, -32768},
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

TEST(Texts, NumbersTakeALeadingSpaceAndTheGamesWordsStandAsTheyAre)
{
    EXPECT_EQ(spacedNumber(0), " 0");
    EXPECT_EQ(spacedNumber(32767), " 32767");
    EXPECT_EQ(spacedNumber(-1), "-1");
    EXPECT_EQ(frameTitle(4, 3), "Playing 4 \u00D7 3");
    EXPECT_EQ(movesText(0), "You have made 0 Moves.");
    EXPECT_EQ(movesText(1), "You have made 1 Moves.") << "one form for every count";
    EXPECT_EQ(winText(12), "You have Won in 12 moves");
    EXPECT_EQ(customWidthText(5), "Custom Width: 5");
    EXPECT_EQ(customHeightText(13), "Custom Height: 13");
    EXPECT_EQ(counted(1, "byte", "bytes"), "1 byte");
    EXPECT_EQ(counted(0, "byte", "bytes"), "0 bytes");
    EXPECT_EQ(counted(2, "byte", "bytes"), "2 bytes");
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
        int expected;
    };
    const Case cases[] = {{1024, 18}, {768, 13}, {800, 14}, {600, 10}, {1920, 37}, {1080, 20}, {648, 10}, {1366, 25}};
    for (const auto& c : cases) {
        // the same maximum at 96 dpi (15 twips per pixel) and at 120 dpi (12)
        EXPECT_EQ(customSizeMaximum(c.pixels * 15.0, 15.0), c.expected) << c.pixels;
        EXPECT_EQ(customSizeMaximum(c.pixels * 12.0, 12.0), c.expected) << c.pixels;
    }
}

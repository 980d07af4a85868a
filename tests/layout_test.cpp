#include "board/errors.h"
#include "board/layout.h"

#include <gtest/gtest.h>

using namespace vantirelle;

namespace {

constexpr TwipsPerPixel At96{15.0f, 15.0f};
constexpr TwipsPerPixel At120{12.0f, 12.0f};

} // namespace

TEST(BoardLayout, ThreeByThreeAtNinetySixDotsPerInch)
{
    // The frame is 2400 x 2520 twips; the window's 2520 is raised to 3030 and the frame
    // centred in it at 315; tiles are 48 pixels from 120 and 240 twips inside the frame.
    const BoardLayout layout(3, 3, At96);
    EXPECT_EQ(layout.frame(), (PixelRect{21, 8, 160, 168}));
    EXPECT_EQ(layout.tile(0, 0), (PixelRect{8, 16, 48, 48}));
    EXPECT_EQ(layout.tile(1, 1), (PixelRect{56, 64, 48, 48}));
    EXPECT_EQ(layout.tile(2, 2), (PixelRect{104, 112, 48, 48}));
    EXPECT_EQ(layout.labelTop(), 184); // 2760 twips
    EXPECT_EQ(layout.clientWidth(), 194);
    EXPECT_EQ(layout.clientHeight(13), 184 + 13 + 8);
    // the label is centred by the window's outer width, 202 pixels
    EXPECT_EQ(layout.labelLeft(120), 41);
    EXPECT_EQ(layout.labelLeft(121), 41) << "the halving is in twips and rounds to the nearer pixel";
}

TEST(BoardLayout, BoardsFourOrMoreWideKeepTheFrameAtTheLeftEdge)
{
    const BoardLayout eight(8, 8, At96);
    EXPECT_EQ(eight.frame(), (PixelRect{0, 8, 400, 408})); // 6000 x 6120 twips
    EXPECT_EQ(eight.clientWidth(), 400);                   // a 6120-twip window less its borders

    const BoardLayout fourByThree(4, 3, At96);
    EXPECT_EQ(fourByThree.frame().x, 0);
    EXPECT_EQ(fourByThree.clientWidth(), 216 - 8); // 3240 twips

    const BoardLayout fiveByThree(5, 3, At96);
    EXPECT_EQ(fiveByThree.tile(2, 1), (PixelRect{2 * 48 + 8, 48 + 16, 48, 48}));
}

TEST(BoardLayout, OtherResolutionsScaleTheTwipsButTilesStayFortyEightPixels)
{
    const BoardLayout layout(3, 3, At120);
    EXPECT_EQ(layout.tile(1, 1), (PixelRect{48 + 10, 48 + 20, 48, 48}));
    // 3030 twips are 252.5 pixels: the window takes 253
    EXPECT_EQ(layout.clientWidth(), 253 - 8);
    EXPECT_EQ(layout.frame().width, 3 * 48 + 20);
    const int frameTop = 10;
    EXPECT_EQ(layout.frame().y, frameTop);
    EXPECT_EQ(layout.labelTop(), frameTop + 3 * 48 + 30 + 10);

    const BoardLayout five(5, 5, At120); // 8 x 12 + 5 x 576 + 240 = 3216 twips stays
    EXPECT_EQ(five.clientWidth(), 268 - 8);
    EXPECT_EQ(five.frame().x, 0);
}

TEST(BoardLayout, TheLargestBoardsAndTheSixteenBitRefusals)
{
    const BoardLayout wide(682, 48, At96);
    EXPECT_EQ(wide.tile(681, 47), (PixelRect{681 * 48 + 8, 47 * 48 + 16, 48, 48}));
    EXPECT_EQ(wide.frame().width, 682 * 48 + 16);
    const BoardLayout square(181, 181, At96);
    EXPECT_EQ(square.tile(180, 180), (PixelRect{180 * 48 + 8, 180 * 48 + 16, 48, 48}));

    EXPECT_THROW(BoardLayout(683, 1, At96), OverflowError);
    EXPECT_THROW(BoardLayout(1, 683, At96), OverflowError);
    EXPECT_THROW(BoardLayout(0, 3, At96), EmptyBoardError);
}

TEST(BoardLayout, PointsFindTheirTileAndGapsFindNone)
{
    const BoardLayout layout(3, 3, At96);
    EXPECT_EQ(layout.columnAt(8), 0);
    EXPECT_EQ(layout.columnAt(55), 0);
    EXPECT_EQ(layout.columnAt(56), 1);
    EXPECT_EQ(layout.columnAt(151), 2);
    EXPECT_EQ(layout.columnAt(152), -1);
    EXPECT_EQ(layout.columnAt(7), -1);
    EXPECT_EQ(layout.rowAt(15), -1);
    EXPECT_EQ(layout.rowAt(16), 0);
    EXPECT_EQ(layout.rowAt(159), 2);
}

TEST(TwipsRect, RoundsEachMeasureToTheNearestPixel)
{
    EXPECT_EQ(twipsRect(240, 0, 2415, 2415, At96), (PixelRect{16, 0, 161, 161}));
    EXPECT_EQ(twipsRect(4245, 2625, 1260, 345, At96), (PixelRect{283, 175, 84, 23}));
    EXPECT_EQ(toPixels(3030, 12), 253);
}

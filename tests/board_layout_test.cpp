#include "board/board.h"
#include "board/errors.h"
#include "fake_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct BoardFixture : ::testing::Test, FakeGame {};

} // namespace

TEST_F(BoardFixture, ThreeByThreeAtFifteenTwipsPerPixel)
{
    build(3, 3);
    EXPECT_EQ(host.frameCaption, "Playing 3 \u00D7 3");
    EXPECT_EQ(board.LastTile, 8);
    for (const auto& t : host.tiles) {
        EXPECT_FLOAT_EQ(t.width, 720);
        EXPECT_FLOAT_EQ(t.height, 720);
    }
    EXPECT_FLOAT_EQ(host.tiles[4].left, 840);
    EXPECT_FLOAT_EQ(host.tiles[4].top, 960);
    EXPECT_FLOAT_EQ(host.tiles[0].left, 120);
    EXPECT_FLOAT_EQ(host.tiles[8].top, 1680);
    EXPECT_FLOAT_EQ(host.frameWidthValue, 2400);
    EXPECT_FLOAT_EQ(host.frameHeightValue, 2520);
    // 2520 computed, raised to the minimum, frame centred in it
    EXPECT_FLOAT_EQ(host.windowWidthValue, 3030);
    EXPECT_FLOAT_EQ(host.frameLeftValue, 315);
    EXPECT_FLOAT_EQ(host.labelTopValue, 2760);
    EXPECT_FLOAT_EQ(host.windowHeightValue, 2760 + FakeHost::LabelLineHeight + 990);
    EXPECT_TRUE(host.windowVisible);
}

TEST_F(BoardFixture, WideBoardsKeepTheFrameAtTheLeftEdge)
{
    build(8, 8);
    EXPECT_FLOAT_EQ(host.frameWidthValue, 6000);
    EXPECT_FLOAT_EQ(host.frameHeightValue, 6120);
    EXPECT_FLOAT_EQ(host.windowWidthValue, 6120);
    EXPECT_FLOAT_EQ(host.frameLeftValue, 0);

    build(4, 3);
    EXPECT_FLOAT_EQ(host.windowWidthValue, 3240);
    EXPECT_FLOAT_EQ(host.frameLeftValue, 0);
    EXPECT_EQ(host.frameCaption, "Playing 4 \u00D7 3");
}

TEST_F(BoardFixture, FiveByThreePlacesRowByRow)
{
    build(5, 3);
    EXPECT_EQ(host.frameCaption, "Playing 5 \u00D7 3");
    EXPECT_EQ(board.LastTile, 14);
    EXPECT_FLOAT_EQ(host.tiles[7].left, 2 * 720 + 120);
    EXPECT_FLOAT_EQ(host.tiles[7].top, 1 * 720 + 240);
}

TEST_F(BoardFixture, OtherTwipsPerPixelScalesTilesButNotTheTwipsConstants)
{
    host.tpx = 12; // 120 dpi
    host.tpy = 12;
    build(3, 3);
    EXPECT_FLOAT_EQ(host.tiles[4].width, 576);
    EXPECT_FLOAT_EQ(host.tiles[4].left, 576 + 120);
    EXPECT_FLOAT_EQ(host.tiles[4].top, 576 + 240);
    EXPECT_FLOAT_EQ(host.frameWidthValue, 3 * 576 + 240);
    EXPECT_FLOAT_EQ(host.frameHeightValue, 3 * 576 + 360);
    EXPECT_FLOAT_EQ(host.windowWidthValue, 3030);
    EXPECT_FLOAT_EQ(host.frameLeftValue, 1515 - (3 * 576 + 240) / 2.0f);

    build(5, 5); // 8 * 12 + 5 * 576 + 240 = 3216 stays
    EXPECT_FLOAT_EQ(host.windowWidthValue, 3216);
    EXPECT_FLOAT_EQ(host.windowHeightValue,
                    host.labelTopValue + FakeHost::LabelLineHeight + 58 * 12 + 120);
}

TEST_F(BoardFixture, EveryNewBoardHasOneHiddenBlankOnTheLastPlaceAndEachNumberOnce)
{
    for (const Int16 size : std::initializer_list<Int16>{2, 3, 4, 5, 8}) {
        build(size, static_cast<Int16>(size + 1));
        const int last = board.LastTile;
        ASSERT_EQ(host.existingTiles(), last + 1);
        EXPECT_EQ(host.tiles[last].caption, "");
        EXPECT_FALSE(host.tiles[last].visible);
        std::set<std::string> seen;
        for (int i = 0; i < last; ++i) {
            const auto& t = host.tiles[i];
            EXPECT_TRUE(t.visible);
            EXPECT_TRUE(seen.insert(t.caption).second) << "twice: " << t.caption;
            EXPECT_EQ(t.bold, t.caption == std::to_string(i + 1)) << "place " << i;
            const int n = std::stoi(t.caption);
            EXPECT_GE(n, 1);
            EXPECT_LE(n, last);
        }
        EXPECT_EQ(board.MoveCount, 0);
        EXPECT_EQ(host.labelCaption, "You have made 0 Moves.");
    }
}

TEST_F(BoardFixture, TheWindowIsHiddenWhileTilesAreBuiltAndShownOnceAtTheEnd)
{
    build(3, 3);
    const auto& ev = host.events;
    const auto hide = std::find(ev.begin(), ev.end(), "hide");
    ASSERT_NE(hide, ev.end());
    EXPECT_EQ(std::count(ev.begin(), ev.end(), "show"), 1);
    EXPECT_EQ(ev.back(), "show");
    EXPECT_EQ(std::find(ev.begin(), ev.end(), "create 1") - hide, 1);
}

TEST_F(BoardFixture, MoveCountAndLabelAreResetByEveryNewBoard)
{
    build(3, 3);
    board.MoveCount = 12;
    board.MovesLabelText();
    build(3, 3);
    EXPECT_EQ(board.MoveCount, 0);
    EXPECT_EQ(host.labelCaption, "You have made 0 Moves.");
    EXPECT_FLOAT_EQ(host.labelLeftValue, 3030 / 2.0f - 22 * FakeHost::LabelCharWidth / 2.0f);
}

TEST_F(BoardFixture, ClearBoardDestroysExactlyTheOldExtraElements)
{
    build(8, 8);
    EXPECT_EQ(host.existingTiles(), 64);
    build(3, 3); // the smaller board leaves no stray elements of the larger one
    EXPECT_EQ(host.existingTiles(), 9);
    EXPECT_EQ(host.tileUpperBound(), 8);
    board.ClearBoard();
    EXPECT_EQ(host.existingTiles(), 1);
    EXPECT_EQ(host.tiles[0].left, 120); // element 0 keeps its last place
}

TEST_F(BoardFixture, ClearBoardWithLastTileZeroDestroysNothing)
{
    build(1, 1);
    EXPECT_EQ(board.LastTile, 0);
    EXPECT_EQ(host.tiles[0].caption, "");
    EXPECT_FALSE(host.tiles[0].visible);
    host.events.clear();
    board.ClearBoard();
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.existingTiles(), 1);
}

TEST_F(BoardFixture, NewBoardWithoutClearBoardRaisesTheElementError)
{
    build(3, 3);
    EXPECT_THROW(board.NewBoard(board.BoardWidth, board.BoardHeight), TileElementError);
}

TEST_F(BoardFixture, SizesAtTheSixteenBitLimits)
{
    build(682, 48); // 32,736 places: admitted
    EXPECT_EQ(board.LastTile, 32735);
    EXPECT_EQ(host.existingTiles(), 32736);
    EXPECT_FLOAT_EQ(host.tiles[32735].left, 681 * 720 + 120);

    build(181, 181);
    EXPECT_EQ(board.LastTile, 32760);
    EXPECT_EQ(host.existingTiles(), 32761);

    board.ClearBoard();
    board.BoardWidth = 683;
    board.BoardHeight = 1;
    EXPECT_THROW(board.NewBoard(board.BoardWidth, board.BoardHeight), OverflowError);

    board.BoardWidth = 182;
    board.BoardHeight = 181;
    EXPECT_THROW(board.NewBoard(board.BoardWidth, board.BoardHeight), OverflowError);

    board.BoardWidth = 0;
    board.BoardHeight = 5;
    EXPECT_THROW(board.NewBoard(board.BoardWidth, board.BoardHeight), SubscriptError);
}

TEST_F(BoardFixture, FrameCaptionComesFromTheArguments)
{
    board.BoardWidth = 3;
    board.BoardHeight = 3;
    const Int16 shownWidth = 7;
    const Int16 shownHeight = -2;
    board.NewBoard(shownWidth, shownHeight);
    EXPECT_EQ(host.frameCaption, "Playing 7 \u00D7-2");
    EXPECT_EQ(board.LastTile, 8);
}

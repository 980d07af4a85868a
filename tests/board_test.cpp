#include "board/board.h"
#include "board/errors.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <set>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

Board arranged(int width, int height, std::vector<std::string> captions, int moves = 0)
{
    return Board(width, height, std::move(captions), moves);
}

} // namespace

TEST(DealtBoard, OneBlankOnTheLastPlaceEachNumberOnceBoldExactlyAtHome)
{
    ScriptedRandom random(5);
    for (const auto& [width, height] : {std::pair{2, 3}, {3, 3}, {4, 5}, {5, 6}, {8, 9}, {1, 1}, {1, 4}}) {
        const Board board = Board::dealt(width, height, random);
        const int last = width * height - 1;
        ASSERT_EQ(board.places(), last + 1);
        EXPECT_EQ(board.blanks(), std::vector<int>{last});
        EXPECT_EQ(board.moves(), 0);
        std::set<std::string> seen;
        for (int place = 0; place < last; ++place) {
            const std::string& caption = board.caption(place);
            EXPECT_TRUE(seen.insert(caption).second) << "twice: " << caption;
            const int number = std::stoi(caption);
            EXPECT_GE(number, 1);
            EXPECT_LE(number, last);
            EXPECT_EQ(board.isBold(place), number == place + 1) << "place " << place;
        }
        EXPECT_FALSE(board.isBold(last));
    }
}

TEST(DealtBoard, SizesBeyondTheSixteenBitCountAreRefused)
{
    ScriptedRandom random;
    EXPECT_EQ(Board::dealt(682, 48, random).places(), 32736);
    EXPECT_EQ(Board::dealt(181, 181, random).places(), 32761);
    EXPECT_THROW(Board::dealt(182, 181, random), OverflowError);
    EXPECT_THROW(Board::dealt(0, 5, random), EmptyBoardError);
    EXPECT_THROW(Board::dealt(5, -1, random), EmptyBoardError);
}

TEST(BoardValue, CaptionsMustMatchTheSize)
{
    EXPECT_THROW(arranged(3, 3, {"1", "2", ""}), BoardError);
    EXPECT_THROW(arranged(0, 3, {}), EmptyBoardError);
    EXPECT_THROW(Board(200, 200, std::vector<std::string>(40000)), OverflowError);
    EXPECT_THROW(arranged(2, 1, {"1", ""}, 32768), OverflowError);
}

TEST(Slide, NeighboursAreTriedLeftRightUpDownAndTheFirstBlankTakesTheTile)
{
    // Blanks on two sides of the centre tile: the earlier side in the order wins.
    struct Case {
        std::vector<int> blanks;
        int receives;
    };
    for (const Case& c : {Case{{3, 5}, 3}, Case{{5, 1}, 5}, Case{{1, 7}, 1}, Case{{7}, 7}, Case{{7, 5}, 5}}) {
        std::vector<std::string> captions{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (const int blank : c.blanks)
            captions[static_cast<std::size_t>(blank)].clear();
        Board board = arranged(3, 3, captions);
        const auto made = board.slide(4);
        ASSERT_TRUE(made);
        EXPECT_EQ(made->to, c.receives);
        EXPECT_EQ(board.caption(c.receives), "5");
        EXPECT_TRUE(board.isBlank(4));
    }
}

TEST(Slide, NoWrapAroundBetweenRowsAndNothingOffTheBoard)
{
    // the blank ends row 0; the first tile of row 1 does not reach it
    Board board = arranged(3, 3, {"1", "2", "", "3", "4", "5", "6", "7", "8"});
    EXPECT_FALSE(board.slide(3));
    // the blank starts row 1; the last tile of row 0 does not reach it
    board = arranged(3, 3, {"1", "2", "3", "", "4", "5", "6", "7", "8"});
    EXPECT_FALSE(board.slide(2));
    EXPECT_EQ(board.moves(), 0);
    // corners and edges with no blank beside them move nothing
    board = arranged(3, 2, {"1", "2", "3", "4", "5", ""});
    for (const int place : {0, 1, 3})
        EXPECT_FALSE(board.slide(place)) << place;
    EXPECT_EQ(board.slide(4), (Slide{4, 5}));
    // a blank or a place off the board is no tile to click
    EXPECT_FALSE(board.slide(4));
    EXPECT_FALSE(board.slide(-1));
    EXPECT_FALSE(board.slide(6));
}

TEST(Slide, BoldFollowsTheHomeRuleReadAsANumber)
{
    Board board = arranged(3, 3, {"1", "2", "3", "4", "6", "", "7", "8", "5"});
    EXPECT_FALSE(board.isBold(4));
    board.slide(4);
    EXPECT_TRUE(board.isBold(5)) << "6 on place 5 stands home";
    EXPECT_FALSE(board.isBold(4)) << "a blank is never bold";

    // 8 home and bold; back on the last place it is plain again
    board = arranged(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"});
    board.slide(8);
    EXPECT_TRUE(board.isBold(7));
    board.slide(7);
    EXPECT_FALSE(board.isBold(8));

    // captions from a file are read as numbers for bold: " 2 " on place 1 is bold, "x" never
    board = arranged(2, 2, {"x", " 2 ", "02", ""});
    EXPECT_FALSE(board.isBold(0));
    EXPECT_TRUE(board.isBold(1));
    EXPECT_FALSE(board.isBold(2));
}

TEST(Slide, TheCountHoldsAtItsLimitAndTheGameGoesOn)
{
    Board board = arranged(2, 2, {"3", "1", "2", ""}, 32766);
    board.slide(2);
    EXPECT_EQ(board.moves(), 32767);
    board.slide(3);
    EXPECT_EQ(board.moves(), 32767);
    EXPECT_EQ(board.caption(2), "2") << "the tile still moves";
}

TEST(WinTest, EveryPlaceButTheLastShowsItsOwnNumberAsText)
{
    EXPECT_TRUE(arranged(3, 3, {"1", "2", "3", "4", "5", "6", "7", "8", ""}).isSolved());
    EXPECT_FALSE(arranged(3, 3, {"2", "1", "3", "4", "5", "6", "7", "8", ""}).isSolved());
    // numbers in reading order but the blank in the middle
    EXPECT_FALSE(arranged(3, 3, {"1", "2", "3", "4", "", "5", "6", "7", "8"}).isSolved());
    // the comparison is textual: "01" and " 1" are not tile 1, though " 1" is drawn bold
    EXPECT_FALSE(arranged(2, 2, {"01", "2", "3", ""}).isSolved());
    EXPECT_FALSE(arranged(2, 2, {" 1", "2", "3", ""}).isSolved());
    // the last place is not looked at
    EXPECT_TRUE(arranged(2, 2, {"1", "2", "3", "x"}).isSolved());

    // the kept count follows every slide, out of order and back
    Board board = arranged(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"});
    EXPECT_FALSE(board.isSolved());
    board.slide(8);
    EXPECT_TRUE(board.isSolved());
    board.slide(7);
    EXPECT_FALSE(board.isSolved());
    board.slide(8);
    EXPECT_TRUE(board.isSolved());
    EXPECT_EQ(board.moves(), 3);
}

TEST(ArrowKeys, TheTileBesideTheBlankMovesTheArrowsWay)
{
    // 1 2 3 / 4 _ 5 / 6 7 8
    const Board board = arranged(3, 3, {"1", "2", "3", "4", "", "5", "6", "7", "8"});
    EXPECT_EQ(board.slideToward(Direction::Left), (Slide{5, 4})) << "the tile right of the blank";
    EXPECT_EQ(board.slideToward(Direction::Right), (Slide{3, 4}));
    EXPECT_EQ(board.slideToward(Direction::Up), (Slide{7, 4})) << "the tile below the blank";
    EXPECT_EQ(board.slideToward(Direction::Down), (Slide{1, 4}));

    // the blank in the bottom-right corner: nothing comes from beyond the edges
    const Board corner = arranged(3, 3, {"1", "2", "3", "4", "5", "6", "7", "8", ""});
    EXPECT_FALSE(corner.slideToward(Direction::Left));
    EXPECT_FALSE(corner.slideToward(Direction::Up));
    EXPECT_EQ(corner.slideToward(Direction::Right), (Slide{7, 8}));
}

TEST(ArrowKeys, WithTwoBlanksTheFirstInReadingOrderThatHasATileThatWay)
{
    // _ 1 _ / 2 3 4: Left takes the first blank; Right skips it (nothing on its left)
    const Board board = arranged(3, 2, {"", "1", "", "2", "3", "4"});
    EXPECT_EQ(board.slideToward(Direction::Left), (Slide{1, 0}));
    EXPECT_EQ(board.slideToward(Direction::Right), (Slide{1, 2}));
    EXPECT_EQ(board.slideToward(Direction::Up), (Slide{3, 0}));
    // two blanks side by side: a blank is no tile to move
    const Board pair = arranged(3, 1, {"", "", "1"});
    EXPECT_EQ(pair.slideToward(Direction::Left), (Slide{2, 1}));
    EXPECT_FALSE(pair.slideToward(Direction::Right));
    EXPECT_EQ(pair.blanks(), (std::vector<int>{0, 1}));
}

TEST(Slide, CaptionsThatAreNotNumbersSlideLikeAnyTile)
{
    Board board = arranged(2, 2, {"x", "", "2", ""});
    EXPECT_EQ(board.blanks(), (std::vector<int>{1, 3}));
    EXPECT_EQ(board.slide(0), (Slide{0, 1}));
    EXPECT_EQ(board.caption(1), "x");
    EXPECT_FALSE(board.isBold(1));
    EXPECT_EQ(board.blanks(), (std::vector<int>{0, 3}));
    EXPECT_EQ(board.moves(), 1);
}

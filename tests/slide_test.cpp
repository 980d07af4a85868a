#include "board/board.h"
#include "fake_host.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct SlideFixture : ::testing::Test, FakeGame {
    // Builds a board, then lays out the given captions ("" is a blank) the way a slide would leave them.
    void arrange(Int16 width, Int16 height, const std::vector<std::string>& captions)
    {
        build(width, height);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            host.tiles[i].caption = captions[i];
            host.tiles[i].visible = !captions[i].empty();
            host.tiles[i].bold = Board::standsHome(captions[i], static_cast<Int16>(i));
        }
        host.captionReads.clear();
    }

    std::vector<std::string> captions() const
    {
        std::vector<std::string> out;
        for (int i = 0; i <= board.LastTile; ++i)
            out.push_back(host.tiles[i].caption);
        return out;
    }
};

} // namespace

TEST_F(SlideFixture, NeighboursAreTriedLeftRightUpDownAndStopAtTheSlide)
{
    arrange(3, 3, {"4", "1", "3", "7", "2", "5", "6", "8", ""});
    board.btnSlide_Click(5); // right skipped in the last column; 4, 2, then 8 below
    EXPECT_EQ(host.captionReads.front(), 4);
    EXPECT_EQ(host.captionReads[1], 2);
    EXPECT_EQ(host.captionReads[2], 8);
    EXPECT_EQ(host.tiles[8].caption, "5");
    EXPECT_EQ(host.tiles[5].caption, "");

    arrange(3, 3, {"4", "1", "3", "7", "2", "5", "6", "8", ""});
    board.btnSlide_Click(7); // 6 on the left, then 8 on the right, where it slides
    EXPECT_EQ(host.captionReads.front(), 6);
    EXPECT_EQ(host.captionReads[1], 8);
    EXPECT_EQ(host.tiles[8].caption, "8");
    // after the slide only the moved tile and the win test read captions: no up or down neighbour
    EXPECT_EQ(std::count(host.captionReads.begin(), host.captionReads.end(), 4), 1);
}

TEST_F(SlideFixture, NoWrapAroundBetweenRows)
{
    // blank at the end of row 0; the first tile of row 1 does not reach it
    arrange(3, 3, {"1", "2", "", "3", "4", "5", "6", "7", "8"});
    const auto before = captions();
    board.btnSlide_Click(3);
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(prompts.beeps, 1);

    // blank at the start of row 1; the last tile of row 0 does not reach it
    arrange(3, 3, {"1", "2", "3", "", "4", "5", "6", "7", "8"});
    board.btnSlide_Click(2);
    EXPECT_EQ(captions()[3], "");
    EXPECT_EQ(prompts.beeps, 2);
    EXPECT_EQ(board.MoveCount, 0);
}

TEST_F(SlideFixture, EdgeTilesNeverLookOffTheBoard)
{
    // any index off the board would raise in the fake; corners and edges beep cleanly
    arrange(3, 2, {"1", "2", "3", "4", "5", ""});
    for (const Int16 i : std::initializer_list<Int16>{0, 1, 3})
        board.btnSlide_Click(i);
    EXPECT_EQ(prompts.beeps, 3);
    board.btnSlide_Click(4); // bottom row, slides right into the blank
    EXPECT_EQ(host.tiles[5].caption, "5");
}

TEST_F(SlideFixture, ASlideMovesTheNumberFocusAndVisibility)
{
    arrange(3, 3, {"1", "2", "3", "4", "6", "", "7", "8", "5"});
    board.btnSlide_Click(4);
    EXPECT_EQ(host.tiles[5].caption, "6");
    EXPECT_TRUE(host.tiles[5].visible);
    EXPECT_TRUE(host.tiles[5].bold) << "6 on place 5 stands home";
    EXPECT_EQ(host.focusedTile, 5);
    EXPECT_EQ(host.tiles[4].caption, "");
    EXPECT_FALSE(host.tiles[4].visible);
    EXPECT_FALSE(host.tiles[4].bold) << "the new blank keeps its font";
    EXPECT_EQ(board.MoveCount, 1);
    EXPECT_EQ(prompts.beeps, 0);
}

TEST_F(SlideFixture, BoldIsRecomputedOnlyForTheReceivingTile)
{
    arrange(3, 3, {"1", "2", "3", "4", "5", "", "7", "8", "6"});
    ASSERT_TRUE(host.tiles[4].bold);
    board.btnSlide_Click(4); // 5 leaves home
    EXPECT_FALSE(host.tiles[5].bold);
    EXPECT_TRUE(host.tiles[4].bold) << "the hidden blank keeps the old flag";

    // 8 slides home and turns bold; back on the last place it is plain again
    arrange(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"});
    board.btnSlide_Click(8);
    EXPECT_TRUE(host.tiles[7].bold);
    board.btnSlide_Click(7);
    EXPECT_FALSE(host.tiles[8].bold);
    EXPECT_EQ(host.tiles[8].caption, "8");
}

TEST_F(SlideFixture, NonNumberCaptionsSlideAndAreNeverBold)
{
    arrange(2, 2, {"x", "1", "2", ""});
    board.btnSlide_Click(2);
    EXPECT_EQ(host.tiles[3].caption, "2");
    board.btnSlide_Click(0);
    EXPECT_EQ(host.tiles[2].caption, "x");
    EXPECT_TRUE(host.tiles[2].visible);
    EXPECT_FALSE(host.tiles[2].bold);
    EXPECT_EQ(board.MoveCount, 2);
}

TEST_F(SlideFixture, AClickThatMovesNothingOnlyBeeps)
{
    arrange(3, 3, {"1", "2", "3", "4", "5", "6", "7", "8", ""});
    board.MoveCount = 5;
    board.MovesLabelText();
    const std::string label = host.labelCaption;
    board.btnSlide_Click(0);
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(board.MoveCount, 5);
    EXPECT_EQ(host.labelCaption, label);
    EXPECT_TRUE(prompts.messages.empty()) << "no win test without a slide";
    EXPECT_EQ(host.captionReads.size(), 2u) << "only the right and lower neighbours are read";
}

TEST_F(SlideFixture, TheLabelCountsAndIsCentredAgainAsDigitsGrow)
{
    arrange(2, 2, {"3", "1", "2", ""});
    board.btnSlide_Click(2);
    EXPECT_EQ(host.labelCaption, "You have made 1 Moves.");
    EXPECT_FLOAT_EQ(host.labelLeftValue, 3030 / 2.0f - 22 * FakeHost::LabelCharWidth / 2.0f);
    for (int i = 0; i < 9; ++i)
        board.btnSlide_Click(i % 2 == 0 ? 3 : 2);
    EXPECT_EQ(host.labelCaption, "You have made 10 Moves.");
    EXPECT_FLOAT_EQ(host.labelLeftValue, 3030 / 2.0f - 23 * FakeHost::LabelCharWidth / 2.0f);
}

TEST_F(SlideFixture, TheCountHoldsAtItsLimitAndTheGameGoesOn)
{
    arrange(2, 2, {"3", "1", "2", ""});
    board.MoveCount = 32766;
    board.btnSlide_Click(2);
    EXPECT_EQ(board.MoveCount, 32767);
    board.btnSlide_Click(3);
    EXPECT_EQ(board.MoveCount, 32767);
    EXPECT_EQ(host.tiles[2].caption, "2") << "the tile still moves";
    EXPECT_EQ(host.labelCaption, "You have made 32767 Moves.");
}

TEST_F(SlideFixture, TheWinMessageCountsTheWinningMoveAndComesAgain)
{
    arrange(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"});
    board.MoveCount = 11;
    board.btnSlide_Click(8);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 12 moves");
    EXPECT_EQ(prompts.messages[0].style, 48);
    EXPECT_EQ(prompts.messages[0].title, "Vantirelle");

    board.btnSlide_Click(7); // out of place
    board.btnSlide_Click(8); // and back
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, "You have Won in 14 moves");
    EXPECT_EQ(board.MoveCount, 14);
    EXPECT_EQ(host.labelCaption, "You have made 14 Moves.");
}

TEST_F(SlideFixture, TheWinTestComparesEveryPlaceUpToTheLastButOne)
{
    arrange(3, 3, {"2", "1", "3", "4", "5", "6", "7", "8", ""});
    board.CheckForWin();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(host.captionReads, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    // numbers in reading order but the blank in the middle: not won
    arrange(3, 3, {"1", "2", "3", "4", "", "5", "6", "7", "8"});
    board.CheckForWin();
    EXPECT_TRUE(prompts.messages.empty());

    // the comparison is textual: "01" is not tile 1
    arrange(2, 2, {"01", "2", "3", ""});
    board.CheckForWin();
    EXPECT_TRUE(prompts.messages.empty());
}

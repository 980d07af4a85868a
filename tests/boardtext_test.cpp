// Boards as text, as players swap them.
#include "board/boardtext.h"

#include <gtest/gtest.h>

using namespace vantirelle;

TEST(BoardText, ReadsTheCommunitysFormatAndWritesItBack)
{
    const std::string text = "5 3 8 9/0 2 4 1/7 10 14 13/12 11 6 15";
    const ReadBoard read = readBoardText("  " + text + "\r\n");
    ASSERT_TRUE(read.board) << read.error;
    EXPECT_EQ(read.board->width(), 4);
    EXPECT_EQ(read.board->height(), 4);
    EXPECT_EQ(read.board->moves(), 0);
    EXPECT_EQ(read.board->caption(0), "5");
    EXPECT_EQ(read.board->caption(4), "") << "0 is the blank";
    EXPECT_EQ(boardText(*read.board), text);
    EXPECT_EQ(boardText(*readBoardText("0").board), "0") << "a single place, the blank";
    EXPECT_EQ(boardText(*readBoardText("1 2 3 0").board), "1 2 3 0") << "one row";

    // Only the numbers 1 to N-1 and one blank make a text.
    for (const std::vector<std::string>& captions : {std::vector<std::string>{"1", "x", "3", ""},
                                                     {"1", "2", "", ""}, {"01", "2", "3", ""}, {"1", "2", "3", "4"}})
        EXPECT_FALSE(boardText(Board(2, 2, captions)));
}

TEST(BoardText, AnyOtherTextIsRefusedWithWhatIsWrong)
{
    for (const auto& [text, error] : std::vector<std::pair<std::string, std::string>>{
             {"1 2 3/4 5 6/7 8", "Row 3 has 2 tiles, row 1 has 3."},
             {"1 2 3/4 5 6 7/8 0 9", "Row 2 has 4 tiles, row 1 has 3."},
             {"1 2 3/4 5 6/7 7 0", "Tile 7 appears twice."},
             {"1 2/0 0", "The blank, 0, appears twice."},
             {"1 2/3 4", "Tile 4 cannot be on a board of 4 places: its tiles are 1 to 3, and 0 for the blank."},
             {"1 2/3 x", "Row 2, tile 2 is \"x\", not a number."},
             {"1 -2/3 0", "Row 1, tile 2 is \"-2\", not a number."},
             {"1 02/3 0", "Row 1, tile 2 is \"02\": numbers are written without leading zeros."},
             {"1  2/3 0", "Row 1, tile 2 is missing: tiles are separated by single spaces."},
             {"1 2 /3 0", "Row 1, tile 3 is missing: tiles are separated by single spaces."},
             {"1 2//3 0", "Row 2 is empty."},
             {"1 2/3 0/", "Row 3 is empty."},
             {"/1 2/3 0", "Row 1 is empty."},
             {"1\t2/3 0", "Row 1, tile 1 is \"1?2\", not a number."},
             {"   \n", "There is no board in the text."},
             {"1 2/3 99999999999", "Row 2, tile 2 is \"99999999999\", larger than any board's tiles."},
         })
        EXPECT_EQ(readBoardText(text).error, error) << text;

    // Too large a board, and a text longer than any board's, which is not even read.
    std::string wide = "0";
    for (int tile = 1; tile < 683; ++tile)
        wide += " " + std::to_string(tile);
    EXPECT_EQ(readBoardText(wide).error,
              "A board of 683 \u00D7 1 tiles is too large. Boards hold at most 682 tiles across or down and 32767 tiles "
              "in all.");
    EXPECT_EQ(longestBoardText(), 185491u);
    const ReadBoard huge = readBoardText(std::string(longestBoardText() + 3, '1'));
    EXPECT_FALSE(huge.board);
    EXPECT_EQ(huge.error, "The text is 185494 characters long, longer than any board's: the largest board is 185491 "
                          "characters.");
}

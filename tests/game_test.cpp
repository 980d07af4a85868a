#include "board/game.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <random>

using namespace vantirelle;
using namespace vantirelle::testing;

TEST(History, UndoPutsBackBoardAndCountAndRedoReplays)
{
    Game game(Board(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"}, 5));
    EXPECT_FALSE(game.canUndo());
    EXPECT_FALSE(game.canRedo());
    const Board start = game.board();

    ASSERT_TRUE(game.click(8));
    ASSERT_TRUE(game.arrow(Direction::Right)); // the 8 on place 7 slides right, back to the corner
    EXPECT_EQ(game.board().moves(), 7);
    const Board afterTwo = game.board();

    EXPECT_EQ(game.undo(), (Slide{7, 8}));
    EXPECT_EQ(game.undo(), (Slide{8, 7}));
    EXPECT_EQ(game.board(), start);
    EXPECT_FALSE(game.undo());
    EXPECT_TRUE(game.canRedo());

    EXPECT_EQ(game.redo(), (Slide{8, 7}));
    EXPECT_TRUE(game.board().isSolved());
    EXPECT_TRUE(game.redo());
    EXPECT_EQ(game.board(), afterTwo);
    EXPECT_FALSE(game.redo());
}

TEST(History, AMoveAfterUndosDropsTheRedos)
{
    Game game(Board(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"}));
    game.click(8);
    game.click(7);
    game.undo();
    EXPECT_TRUE(game.canRedo());
    ASSERT_TRUE(game.click(5)); // another move
    EXPECT_FALSE(game.canRedo());
    EXPECT_EQ(game.historySize(), 2u);
}

TEST(History, RestartUndoesEverythingAndCanBeRedone)
{
    Game game(Board(2, 2, {"3", "1", "2", ""}, 40));
    const Board start = game.board();
    EXPECT_FALSE(game.restart()) << "nothing to restart";
    for (int i = 0; i < 10; ++i)
        game.click(i % 2 == 0 ? 2 : 3);
    EXPECT_TRUE(game.restart());
    EXPECT_EQ(game.board(), start);
    EXPECT_EQ(game.board().moves(), 40);
    EXPECT_FALSE(game.canUndo());
    int redone = 0;
    while (game.redo())
        ++redone;
    EXPECT_EQ(redone, 10);
    EXPECT_EQ(game.board().moves(), 50);
}

TEST(History, UndoAtTheCeilingRestoresTheHeldCount)
{
    Game game(Board(2, 2, {"3", "1", "2", ""}, 32766));
    game.click(2); // 32767
    game.click(3); // held at 32767
    game.click(2);
    EXPECT_EQ(game.board().moves(), 32767);
    game.undo();
    EXPECT_EQ(game.board().moves(), 32767);
    game.undo();
    EXPECT_EQ(game.board().moves(), 32767);
    game.undo();
    EXPECT_EQ(game.board().moves(), 32766);
}

namespace {

// A position as its tile numbers, 0 for the blank: two bytes a place.
std::vector<std::int16_t> packed(const Board& board)
{
    std::vector<std::int16_t> numbers;
    numbers.reserve(static_cast<std::size_t>(board.places()));
    for (const std::string& caption : board.captions())
        numbers.push_back(static_cast<std::int16_t>(caption.empty() ? 0 : std::stoi(caption)));
    return numbers;
}

// Plays a long random game, then undoes it to the start checking the board against a
// record of every position, then redoes it to the end.
void playUndoRedo(int width, int height, int moves)
{
    ScriptedRandom random(width * 1000 + height);
    Game game(Board::dealt(width, height, random));
    std::vector<std::vector<std::int16_t>> positions{packed(game.board())};
    std::vector<int> counts{game.board().moves()};
    positions.reserve(static_cast<std::size_t>(moves) + 1);
    std::mt19937 pick(static_cast<unsigned>(width * height));
    const Direction directions[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    while (static_cast<int>(positions.size()) <= moves) {
        if (game.arrow(directions[pick() % 4])) {
            positions.push_back(packed(game.board()));
            counts.push_back(game.board().moves());
        }
    }
    EXPECT_EQ(game.historySize(), static_cast<std::size_t>(moves));
    EXPECT_EQ(game.board().moves(), 32767) << "the count held at its ceiling on the way";

    for (int step = moves - 1; step >= 0; --step) {
        ASSERT_TRUE(game.undo());
        ASSERT_EQ(game.board().moves(), counts[static_cast<std::size_t>(step)]) << "step " << step;
        ASSERT_EQ(packed(game.board()), positions[static_cast<std::size_t>(step)]) << "step " << step;
    }
    EXPECT_FALSE(game.canUndo());
    for (int step = 1; step <= moves; ++step) {
        ASSERT_TRUE(game.redo());
        ASSERT_EQ(game.board().moves(), counts[static_cast<std::size_t>(step)]) << "step " << step;
    }
    EXPECT_EQ(packed(game.board()), positions.back());
}

} // namespace

TEST(History, AHundredThousandMovesUndoneAndRedoneOnEightByEight)
{
    playUndoRedo(8, 8, 100'000);
}

TEST(History, AHundredThousandMovesUndoneAndRedoneOnTheLargestSquare)
{
    // Whole positions of 32,761 places cannot all be kept; check every 1000th closely,
    // and every step's count and blank.
    ScriptedRandom random(181);
    Game game(Board::dealt(181, 181, random));
    constexpr int moves = 100'000;
    std::vector<int> counts{game.board().moves()};
    std::vector<int> blanks{game.board().blanks().front()};
    std::vector<std::vector<std::int16_t>> samples{packed(game.board())};
    std::mt19937 pick(181);
    const Direction directions[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    while (static_cast<int>(counts.size()) <= moves) {
        if (game.arrow(directions[pick() % 4])) {
            counts.push_back(game.board().moves());
            blanks.push_back(game.board().blanks().front());
            if ((counts.size() - 1) % 1000 == 0)
                samples.push_back(packed(game.board()));
        }
    }
    const auto end = packed(game.board());
    for (int step = moves - 1; step >= 0; --step) {
        ASSERT_TRUE(game.undo());
        ASSERT_EQ(game.board().moves(), counts[static_cast<std::size_t>(step)]) << step;
        ASSERT_EQ(game.board().blanks().front(), blanks[static_cast<std::size_t>(step)]) << step;
        if (step % 1000 == 0) {
            ASSERT_EQ(packed(game.board()), samples[static_cast<std::size_t>(step / 1000)]) << step;
        }
    }
    while (game.redo()) {
    }
    EXPECT_EQ(packed(game.board()), end);
    EXPECT_EQ(game.board().moves(), counts.back());
}

TEST(LineSlides, AShiftClickMovesEveryTileToTheNearestBlankOnItsLineAndUndoesAsOne)
{
    struct Case {
        std::vector<std::string> captions; // 4 x 4
        int moves;
        int place;
        std::optional<Slide> slide;
        std::vector<std::string> after;
    };
    const std::vector<std::string> start = {"1", "2", "3", "4", "5", "6", "7", "8",
                                            "9", "10", "11", "12", "13", "14", "15", ""};
    for (const Case& c : std::vector<Case>{
             // up the last column: 12, 8 and 4 each go down one place
             {start, 0, 3, Slide{3, 15}, {"1", "2", "3", "", "5", "6", "7", "4", "9", "10", "11", "8", "13", "14", "15", "12"}},
             // along the last row: 15, 14, 13 each go right
             {start, 0, 12, Slide{12, 15}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "", "13", "14", "15"}},
             // beside the blank: a plain slide
             {start, 0, 14, Slide{14, 15}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "", "15"}},
             // neither in the blank's row nor its column: nothing
             {start, 0, 5, std::nullopt, start},
             // two blanks on the row: the nearer one
             {{"", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", ""}, 0, 2, Slide{2, 0},
              {"1", "2", "", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", ""}},
             // the count holds at the ceiling, as every move's does
             {start, 32766, 12, Slide{12, 15}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "", "13", "14", "15"}},
         }) {
        Game game(Board(4, 4, c.captions, c.moves));
        EXPECT_EQ(game.lineClick(c.place), c.slide) << "place " << c.place;
        EXPECT_EQ(game.board().captions(), c.after) << "place " << c.place;
        const int tiles = c.slide ? game.board().tilesIn(*c.slide) : 0;
        EXPECT_EQ(game.board().moves(), std::min(32767, c.moves + tiles));
        if (!c.slide)
            continue;
        EXPECT_EQ(game.undo(), c.slide) << "one undo takes the whole line back";
        EXPECT_EQ(game.board(), Board(4, 4, c.captions, c.moves));
        EXPECT_FALSE(game.canUndo());
        game.redo();
        EXPECT_EQ(game.board().captions(), c.after);
    }
    // The win test sees the line's last tile home.
    Game game(Board(4, 4, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "", "13", "14", "15"}));
    game.lineClick(15);
    EXPECT_TRUE(game.board().isSolved());
}

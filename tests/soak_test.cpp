#include "board/board.h"
#include "board/game.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <random>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

// What must hold after every click: one blank, every number once, the kept win test
// agreeing with a comparison of every place, and the count equal to the slides made.
void expectSound(const Board& board, int slides, std::vector<int>& seen, int step)
{
    const int places = board.places();
    std::fill(seen.begin(), seen.end(), 0);
    bool inOrder = true;
    for (int place = 0; place < places; ++place) {
        const std::string& caption = board.caption(place);
        if (place < places - 1 && caption != std::to_string(place + 1))
            inOrder = false;
        if (caption.empty())
            continue;
        const int number = std::stoi(caption);
        ASSERT_GE(number, 1);
        ASSERT_LT(number, places);
        ASSERT_EQ(++seen[static_cast<std::size_t>(number)], 1) << "number " << number << " twice at step " << step;
        ASSERT_EQ(board.isBold(place), number == place + 1) << "place " << place << " at step " << step;
    }
    ASSERT_EQ(board.blanks().size(), 1u) << "step " << step;
    ASSERT_TRUE(board.isBlank(board.blanks().front()));
    ASSERT_EQ(board.isSolved(), inOrder) << "step " << step;
    ASSERT_EQ(board.moves(), std::min(slides, MaximumMoves)) << "step " << step;
}

} // namespace

TEST(Soak, AMillionRandomClicksKeepTheBoardSound)
{
    const std::pair<int, int> sizes[] = {{2, 2}, {3, 3}, {4, 4}, {5, 3}, {1, 6}, {8, 8}};
    constexpr int clicksPerSize = 1'000'000 / 6 + 1;
    std::mt19937 pick(20261208);
    long clicks = 0;
    for (const auto& [width, height] : sizes) {
        ScriptedRandom random(static_cast<unsigned>(width * 100 + height));
        Game game(Board::dealt(width, height, random));
        std::vector<int> seen(static_cast<std::size_t>(game.board().places()));
        std::uniform_int_distribution<int> place(0, game.board().places() - 1);
        int slides = 0;
        for (int step = 0; step < clicksPerSize; ++step, ++clicks) {
            // Every other click goes to a place beside the blank, so the tiles travel far.
            int target = place(pick);
            if (step % 2 == 0) {
                const int offsets[] = {-1, 1, -width, width};
                target = game.board().blanks().front() + offsets[pick() % 4];
                if (target < 0 || target >= game.board().places())
                    target = place(pick);
            }
            slides += game.click(target) ? 1 : 0;
            expectSound(game.board(), slides, seen, step);
            if (::testing::Test::HasFatalFailure())
                return;
        }
        EXPECT_GT(slides, clicksPerSize / 4) << width << "x" << height << ": the clicks do slide";
    }
    EXPECT_GE(clicks, 1'000'000);
}

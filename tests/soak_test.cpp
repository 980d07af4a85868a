#include "board/board.h"
#include "fake_host.h"

#include <gtest/gtest.h>

#include <random>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

// Checks what must hold after every click: one hidden blank, every number once on a
// visible tile, bold exactly on the tiles at home, and the count equal to the slides made.
void expectSound(const FakeHost& host, const Board& board, int slides, std::vector<int>& seen, int step)
{
    const int places = board.LastTile + 1;
    std::fill(seen.begin(), seen.end(), 0);
    int blanks = 0;
    for (int i = 0; i < places; ++i) {
        const FakeTile& t = host.tiles[i];
        if (t.caption.empty()) {
            ++blanks;
            ASSERT_FALSE(t.visible) << "step " << step;
            continue;
        }
        ASSERT_TRUE(t.visible) << "step " << step;
        const int number = std::stoi(t.caption);
        ASSERT_GE(number, 1);
        ASSERT_LT(number, places);
        ASSERT_EQ(++seen[number], 1) << "number " << number << " twice at step " << step;
        ASSERT_EQ(t.bold, number == i + 1) << "place " << i << " at step " << step;
    }
    ASSERT_EQ(blanks, 1) << "step " << step;
    ASSERT_EQ(board.MoveCount, std::min(slides, 32767)) << "step " << step;
}

} // namespace

TEST(Soak, AMillionRandomClicksKeepTheBoardSound)
{
    struct Size {
        Int16 width, height;
    };
    const Size sizes[] = {{2, 2}, {3, 3}, {4, 4}, {5, 3}, {1, 6}, {8, 8}};
    constexpr int clicksPerSize = 1'000'000 / 6 + 1;
    std::mt19937 pick(20261208);
    long clicks = 0;
    for (const Size size : sizes) {
        FakeGame game(size.width * 100u + size.height);
        game.build(size.width, size.height);
        const FakeHost& host = game.host;
        const FakePrompts& prompts = game.prompts;
        Board& board = game.board;
        std::vector<int> seen(static_cast<std::size_t>(board.LastTile) + 1);
        std::uniform_int_distribution<int> place(0, board.LastTile);
        int slides = 0;
        for (int step = 0; step < clicksPerSize; ++step, ++clicks) {
            const int beeps = prompts.beeps;
            // Every other click goes to a place beside the blank, so the tiles travel far.
            int target = place(pick);
            if (step % 2 == 0) {
                int blank = 0;
                while (!host.tiles[blank].caption.empty())
                    ++blank;
                const int offsets[] = {-1, 1, -size.width, size.width};
                target = blank + offsets[pick() % 4];
                if (target < 0 || target > board.LastTile)
                    target = place(pick);
            }
            board.btnSlide_Click(static_cast<Int16>(target));
            slides += prompts.beeps == beeps ? 1 : 0;
            expectSound(host, board, slides, seen, step);
            if (::testing::Test::HasFatalFailure())
                return;
        }
        EXPECT_GT(slides, clicksPerSize / 4) << size.width << "x" << size.height << ": the clicks do slide";
    }
    EXPECT_GE(clicks, 1'000'000);
}

TEST(Soak, AGamePastThirtyTwoThousandMovesKeepsWorking)
{
    FakeGame game;
    game.build(2, 2);
    const FakeHost& host = game.host;
    const FakePrompts& prompts = game.prompts;
    Board& board = game.board;
    std::vector<int> seen(4);
    // slide the tiles round the square: every click moves one
    const Int16 cycle[] = {2, 0, 1, 3};
    int slides = 0;
    for (int step = 0; step < 40'000; ++step) {
        const Int16 blank = static_cast<Int16>(std::find_if(host.tiles.begin(), host.tiles.end(),
                                                            [](const FakeTile& t) { return t.caption.empty(); })
                                               - host.tiles.begin());
        const auto at = std::find(std::begin(cycle), std::end(cycle), blank) - std::begin(cycle);
        board.btnSlide_Click(cycle[(at + 1) % 4]);
        ++slides;
        expectSound(host, board, slides, seen, step);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    EXPECT_EQ(prompts.beeps, 0);
    EXPECT_EQ(board.MoveCount, 32767);
    EXPECT_EQ(host.labelCaption, "You have made 32767 Moves.");
    // wins along the way are announced with the held count
    for (const auto& m : prompts.messages)
        EXPECT_TRUE(m.text.starts_with("You have Won in")) << m.text;
}

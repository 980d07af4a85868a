// Hint and Solve in the game window.
#include "gui_support.h"

#include <QElapsedTimer>
#include <QLabel>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct Help : GameWindowFixture {
    void SetUp() override
    {
        GameWindowFixture::SetUp();
        activate();
    }
    QString label() const { return child<QLabel>("movesLabel")->text(); }

    // Lets the search's answer arrive.
    template <typename Done>
    bool waitFor(Done done, int milliseconds = 60000)
    {
        for (int waited = 0; waited < milliseconds && !done(); waited += 10)
            QTest::qWait(10);
        return done();
    }
    bool hinted() const { return view().flashingPlace() >= 0; }

    void arrangeSquare(int side, const std::vector<int>& numbers, int moves = 0)
    {
        std::vector<std::string> captions;
        for (const int n : numbers)
            captions.push_back(n == 0 ? std::string() : std::to_string(n));
        window->playOpenedGame(Board(side, side, captions, moves));
    }
};

} // namespace

TEST_F(Help, AHintPointsAtTheTileToMoveAndPressingItAgainMovesIt)
{
    // Two moves from home: 8 then 6 must move.
    arrangeSquare(3, {1, 2, 3, 4, 5, 0, 7, 8, 6});
    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return hinted(); }));
    EXPECT_EQ(view().focusPlace(), 8) << "the 6 below the blank";
    EXPECT_EQ(board().moves(), 0) << "a hint moves nothing by itself";
    QTest::keyClick(window.get(), Qt::Key_H);
    EXPECT_EQ(board().caption(5), "6");
    EXPECT_EQ(board().moves(), 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 1 moves");
}

TEST_F(Help, ClickingTheHintedTileMovesItAndTheNextHintFollowsThePlan)
{
    arrangeSquare(3, {1, 2, 3, 4, 0, 5, 7, 8, 6});
    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return hinted(); }));
    EXPECT_EQ(view().focusPlace(), 5);
    clickTile(5);
    action("hint")->trigger(); // the plan is still good: no search this time
    EXPECT_TRUE(hinted());
    EXPECT_EQ(view().focusPlace(), 8);
    clickTile(8);
    EXPECT_TRUE(board().isSolved());
}

TEST_F(Help, BoardsWithNoSolutionOrNoNumbersAreToldSoAndNothingIsPointedAt)
{
    arrangeSquare(3, {2, 1, 3, 4, 5, 6, 7, 8, 0});
    action("hint")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "This board cannot be solved: two tiles are swapped.");
    EXPECT_FALSE(hinted());
    window->playOpenedGame(Board(2, 2, {"a", "1", "2", ""}));
    action("solve")->trigger();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, "Hints need tiles numbered 1 to N with one blank.");
    EXPECT_FALSE(window->isSolving());
}

TEST_F(Help, SolvePlaysTheShortestSolutionOutAndEachMoveCounts)
{
    // 1 2 3 / 4 _ 5 / 7 8 6: shortest is 2 moves.
    arrangeSquare(3, {1, 2, 3, 4, 0, 5, 7, 8, 6}, 10);
    action("solve")->trigger();
    ASSERT_TRUE(waitFor([this] { return board().isSolved(); }));
    EXPECT_EQ(board().moves(), 12);
    EXPECT_EQ(label(), "You have made 12 Moves.");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 12 moves");
    EXPECT_TRUE(waitFor([this] { return !window->isSolving(); }));
}

TEST_F(Help, AnyKeyOrClickStopsSolving)
{
    window->newGame(20, 20);
    action("solve")->trigger();
    ASSERT_TRUE(window->isSolving()) << "a large board's plan is made as it goes";
    ASSERT_TRUE(waitFor([this] { return board().moves() > 3; }));
    QTest::keyClick(window.get(), Qt::Key_Shift);
    EXPECT_FALSE(window->isSolving());
    const int moves = board().moves();
    QTest::qWait(100);
    EXPECT_EQ(board().moves(), moves);

    action("solve")->trigger();
    ASSERT_TRUE(window->isSolving());
    QTest::mouseClick(child("movesLabel"), Qt::LeftButton);
    EXPECT_FALSE(window->isSolving());
}

TEST_F(Help, WhileTheTablesAreBuiltTheGameGoesOnAndAMoveDropsTheHintAskedFor)
{
    // The 4 x 4 tables are built at the first hint, in another thread.
    arrangeSquare(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15});
    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return label().startsWith("Preparing hints"); }, 3000));
    clickTile(13); // still playable: the 14 slides right
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(label(), "You have made 1 Moves.");
    QTest::qWait(2500);
    EXPECT_FALSE(hinted()) << "the hint asked for before the move is not shown";
    EXPECT_EQ(label(), "You have made 1 Moves.");

    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return hinted(); }));
    EXPECT_EQ(view().focusPlace(), 14) << "the 14 goes back";
}

TEST_F(Help, HintsOnBoardsBeyondSixteenPlacesComeAtOnceAndLeadHome)
{
    for (const int side : {5, 7}) {
        window->newGame(side, side);
        int hints = 0;
        while (!board().isSolved() && hints < 20'000) {
            action("hint")->trigger();
            ASSERT_TRUE(hinted()) << "no wait for a hint at " << side << "x" << side;
            const int before = board().moves();
            action("hint")->trigger(); // and again, to move
            ASSERT_EQ(board().moves(), before + 1);
            ++hints;
        }
        EXPECT_TRUE(board().isSolved()) << side << "x" << side << " after " << hints << " hints";
    }
}

TEST_F(Help, ClosingTheGameStopsTheSearchAndTheTablesAtOnce)
{
    // The 8 x 2 tables take most of a second to build, and no other test asks for them;
    // closing does not wait for them.
    std::vector<std::string> captions;
    for (int tile = 1; tile < 16; ++tile)
        captions.push_back(std::to_string(tile));
    captions.insert(captions.begin() + 14, std::string()); // the blank one step from home
    window->playOpenedGame(Board(8, 2, captions));
    action("solve")->trigger();
    ASSERT_TRUE(waitFor([this] { return label().startsWith("Preparing hints"); }, 3000));
    QElapsedTimer closing;
    closing.start();
    window.reset();
    EXPECT_LT(closing.elapsed(), 300);
}

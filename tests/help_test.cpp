// Hint and Solve in the game window.
#include "gui_support.h"
#include "window/solutionsearch.h"

#include <QElapsedTimer>
#include <QLabel>

#include <functional>

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
    bool hinted() const { return window->hintedPlace() >= 0 && view().flashingPlace() == window->hintedPlace(); }

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
    for (const std::vector<std::string>& captions :
         {std::vector<std::string>{"a", "1", "2", ""}, {"", "1", "2", ""}}) {
        window->playOpenedGame(Board(2, 2, captions));
        action("solve")->trigger();
        ASSERT_FALSE(prompts.messages.empty());
        EXPECT_EQ(prompts.messages.back().text, "Hints need tiles numbered 1 to N with one blank.");
        EXPECT_FALSE(window->isSolving());
    }
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
    window->newGame(20, 20); // beyond a hundred places: a plan made as it goes
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

TEST_F(Help, WhileASearchRunsTheGameGoesOnAndAMoveDropsTheHintAskedFor)
{
    // A 6 x 6 board is searched for most of a second, in another thread; its progress shows
    // once the wait is long enough to notice.
    window->newGame(6, 6);
    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return label().startsWith("Preparing hints"); }, 3000));
    window->slideToward(Direction::Down); // still playable
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(label(), "You have made 1 Moves.");
    QTest::qWait(2000);
    EXPECT_FALSE(hinted()) << "the hint asked for before the move is not shown";
    EXPECT_EQ(label(), "You have made 1 Moves.");

    // Undo, a new game and Open each drop the search the same way.
    for (const auto& change : std::vector<std::function<void()>>{
             [this] { action("undo")->trigger(); }, [this] { window->newGame(6, 6); },
             [this] { arrangeSquare(3, {1, 2, 3, 4, 5, 6, 7, 0, 8}); }}) {
        window->newGame(7, 7);
        window->slideToward(Direction::Down); // a move to undo
        action("hint")->trigger();
        change();
        QTest::qWait(1800);
        EXPECT_FALSE(hinted());
        EXPECT_TRUE(label().startsWith("You have made"));
    }

    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return hinted(); }));
    EXPECT_EQ(view().focusPlace(), 8) << "the 8 goes left";
}

TEST_F(Help, FourByFourHintsComeAtOnceAndBoardsUpToAHundredPlacesAreLedHome)
{
    // The 4 x 4 tables come with the program: no second of building before the first hint.
    arrangeSquare(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 12, 13, 14, 11, 15});
    QElapsedTimer first;
    first.start();
    action("hint")->trigger();
    ASSERT_TRUE(waitFor([this] { return hinted(); }, 5000));
    // Tens of milliseconds natively; building the tables would take seconds. The bound
    // leaves room for Wine on a loaded machine (627 ms seen there).
    EXPECT_LT(first.elapsed(), 1000);

    for (const auto& [width, height] : {std::pair{5, 5}, std::pair{8, 8}, std::pair{2, 9}}) {
        window->newGame(width, height);
        action("hint")->trigger();
        ASSERT_TRUE(waitFor([this] { return hinted(); }, 10000)) << width << "x" << height;
        // The player leaves the path once; the next hint plans afresh from the board as it is.
        const int hintedPlace = view().focusPlace();
        for (const Direction d : {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
            if (const auto slide = board().slideToward(d); slide && slide->from != hintedPlace) {
                window->slideToward(d);
                break;
            }
        }
        int hints = 0;
        while (!board().isSolved() && hints < 2000) {
            action("hint")->trigger();
            ASSERT_TRUE(waitFor([this] { return hinted(); }, 10000)) << width << "x" << height;
            const int before = board().moves();
            action("hint")->trigger(); // and again, to move
            ASSERT_EQ(board().moves(), before + 1);
            ++hints;
        }
        EXPECT_TRUE(board().isSolved()) << width << "x" << height << " after " << hints << " hints";
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
    // The first report comes as the build begins; the moves label waits 300 ms to show it.
    auto* search = window->findChild<SolutionSearch*>();
    ASSERT_NE(search, nullptr);
    bool building = false;
    QObject::connect(search, &SolutionSearch::progress, [&building](int percent) { building |= percent < 100; });
    action("solve")->trigger();
    ASSERT_TRUE(waitFor([&building] { return building; }, 3000));
    QElapsedTimer closing;
    closing.start();
    window.reset();
    EXPECT_LT(closing.elapsed(), 300);
}

TEST_F(Help, BoardsOfUpToSixteenPlacesArePlannedAsTheyAreOpenedNotAsTheyAreMoved)
{
    // Solutions of the slowest published 4 x 4 board, about a second to find, 69 moves (not the
    // first board's, found as the window opened): H pressed at once waits for the search begun
    // as the board was opened; pressed once that is done, it points at once.
    int found = 0;
    QObject::connect(window->findChild<SolutionSearch*>(), &SolutionSearch::found,
                     [&found](std::uint64_t, const std::vector<std::int16_t>& moves) { found += moves.size() == 69; });
    const std::vector<int> slowest{15, 2, 11, 13, 0, 12, 8, 9, 14, 3, 5, 7, 6, 4, 10, 1};
    for (const bool waitFirst : {false, true}) {
        arrangeSquare(4, slowest);
        const int before = found;
        if (waitFirst) {
            ASSERT_TRUE(waitFor([&] { return found > before; }));
        }
        action("hint")->trigger();
        EXPECT_EQ(hinted(), waitFirst);
        ASSERT_TRUE(waitFor([this] { return hinted(); }));
        EXPECT_EQ(found, before + 1) << "one search served both";
    }
    // A move off the plan starts none until help is asked for.
    int searches = 0;
    QObject::connect(window->findChild<SolutionSearch*>(), &SolutionSearch::found, [&searches] { ++searches; });
    clickTile(view().focusPlace() == 0 ? 5 : 0); // beside the blank on place 4
    QTest::qWait(300);
    EXPECT_EQ(searches, 0);
}

// What players of other sliding puzzles expect: boards as text on the clipboard, and this
// session's statistics.
#include "gui_support.h"
#include "window/statisticswindow.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>
#include <fstream>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct Community : GameWindowFixture {
    const std::vector<std::string> example = {"5", "3", "8", "9", "", "2", "4", "1",
                                              "7", "10", "14", "13", "12", "11", "6", "15"};
    const QString exampleText = QStringLiteral("5 3 8 9/0 2 4 1/7 10 14 13/12 11 6 15");
};

} // namespace

TEST_F(Community, CopyBoardPutsTheBoardOnTheClipboardAndPasteBoardPlaysIt)
{
    arrange(example, 17);
    action("copyBoard")->trigger();
    EXPECT_EQ(clipboard.held, exampleText);

    window->newGame(3, 3);
    clipboard.held = exampleText + QStringLiteral("\n");
    action("pasteBoard")->trigger();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(captions(), example);
    EXPECT_EQ(board().moves(), 0) << "a pasted game starts at 0 moves";
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false, false, false, false, false})) << "4x4 ticked, as Open";

    // Captions other than 1 to N-1 and one blank make no text.
    arrange({"1", "2", "x", ""});
    EXPECT_FALSE(action("copyBoard")->isEnabled());
}

TEST_F(Community, PasteBoardRefusesAnythingButABoardAndLeavesTheGameAsItWas)
{
    arrange(example, 17);
    for (const auto& [held, said] : std::vector<std::pair<std::optional<QString>, QString>>{
             {std::nullopt, "The clipboard holds no text, so it holds no board to paste."},
             {QStringLiteral("1 2 3/4 5 6/7 8"), "Row 3 has 2 tiles, row 1 has 3."},
             {QStringLiteral("1 2 3/4 5 6/7 7 0"), "Tile 7 appears twice."},
             {QStringLiteral("hello"), "Row 1, tile 1 is \"hello\", not a number."},
             {QString(400'000, QLatin1Char('1')),
              "The text is 400000 characters long, longer than any board's: the largest board is 185491 characters."},
         }) {
        clipboard.held = held;
        prompts.messages.clear();
        QElapsedTimer refused;
        refused.start();
        action("pasteBoard")->trigger();
        EXPECT_LT(refused.elapsed(), 200);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_TRUE(prompts.messages[0].text.startsWith(said)) << prompts.messages[0].text.toStdString();
        EXPECT_EQ(captions(), example);
        EXPECT_EQ(board().moves(), 17);
    }

    // As Open does: the custom panel gives way to the board, and Solve stops.
    action("size6")->trigger(); // Custom...: the panel
    clipboard.held = QStringLiteral("1 2/3 0");
    action("pasteBoard")->trigger();
    EXPECT_TRUE(child("frame")->isVisible());
    EXPECT_EQ(board().width(), 2);
    window->newGame(20, 20);
    action("solve")->trigger();
    ASSERT_TRUE(window->isSolving());
    action("pasteBoard")->trigger();
    EXPECT_FALSE(window->isSolving());
    EXPECT_EQ(board().width(), 2);
}

TEST_F(Community, StatisticsTimeEachGameFromItsFirstMoveAndKeepTheSessionsWins)
{
    // Two moves from home: the 5 left, then the 6 up.
    arrange({"1", "2", "3", "4", "", "5", "7", "8", "6"});
    action("statistics")->trigger();
    StatisticsWindow* stats = window->statisticsWindow();
    ASSERT_TRUE(stats && stats->isVisible());
    EXPECT_EQ(stats->windowTitle(), "Statistics");
    auto text = [stats](const char* name) { return stats->findChild<QLabel*>(QLatin1String(name))->text(); };
    EXPECT_EQ(text("currentSize"), "3\u00D73, assisted") << "an opened board is assisted";

    // Played to the win: the clock runs from the first move, not from the board's coming.
    EXPECT_EQ(text("currentTime"), "not started: the clock starts at the first move");
    clockMs += 5000;
    clickTile(5);
    clockMs += 2500;
    clickTile(8);
    EXPECT_EQ(text("currentMoves"), "2");
    EXPECT_EQ(text("currentTime"), "2.50 s, won");
    auto* won = stats->findChild<QTableWidget*>(QStringLiteral("gamesWon"));
    ASSERT_EQ(won->rowCount(), 1);
    EXPECT_EQ(won->item(0, 0)->text(), "3\u00D73");
    EXPECT_EQ(won->item(0, 2)->text(), "2.50 s");
    EXPECT_EQ(won->item(0, 3)->text(), "0.80");
    EXPECT_EQ(won->item(0, 4)->text(), "yes");

    // Save Statistics writes the rows as CSV, with the care a game is saved with.
    const auto path = std::filesystem::temp_directory_path() / "vantirelle-statistics-test";
    std::filesystem::remove(path.string() + ".csv");
    dialogs.answers = {QString::fromStdString(path.string())};
    stats->findChild<QPushButton*>(QStringLiteral("saveStatistics"))->click();
    std::ifstream saved(path.string() + ".csv");
    const std::string csv((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_EQ(csv, "size,moves,seconds,tiles_per_second,assisted\n3x3,2,2.500,0.80,yes\n");
    const auto folder = std::filesystem::temp_directory_path() / "vantirelle-statistics-folder.csv";
    std::filesystem::create_directories(folder);
    dialogs.answers = {QString::fromStdString(folder.string())};
    stats->findChild<QPushButton*>(QStringLiteral("saveStatistics"))->click();
    std::filesystem::remove(folder);
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_TRUE(prompts.messages.back().text.contains("statistics are saved only to regular files"))
        << prompts.messages.back().text.toStdString();
}

TEST_F(Community, HintsAndUndoMarkADealtGameAssisted)
{
    for (const char* help : {"hint", "undo"}) {
        window->newGame(3, 3);
        window->slideToward(Direction::Down);
        EXPECT_FALSE(window->statistics().current(clockMs).assisted) << "a dealt game is the player's own";
        action(help)->trigger();
        // A hint is marked when it is shown, once the search in the worker thread has answered.
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->statistics().current(clockMs).assisted; }, 10'000)) << help;
    }
}

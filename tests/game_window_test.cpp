#include "game_window_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace vantirelle;
using namespace vantirelle::testing;

using GameWindow = GameWindowFixture;

TEST_F(GameWindow, StartsWithAShuffledThreeByThreeAndTheDesignTimeControls)
{
    EXPECT_EQ(window->windowTitle(), "Vantirelle!");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(board().BoardWidth, 3);
    EXPECT_EQ(board().BoardHeight, 3);
    EXPECT_EQ(view().upperBound(), 8);
    EXPECT_EQ(view().tile(8).caption, "");
    EXPECT_FALSE(view().tile(8).visible);
    EXPECT_EQ(window->lblMoves->text(), "You have made 0 Moves.");
    EXPECT_EQ(window->GameFrame->title(), QString::fromUtf8("Playing 3 \u00D7 3"));
    EXPECT_TRUE(window->GameFrame->isVisible());
    EXPECT_FALSE(window->CustomFrame->isVisible());
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 3");
    EXPECT_EQ(window->lblCustomGameHeight->text(), "Custom Height: 3");
    EXPECT_EQ(window->hsbSetWidth->value(), 3);
    EXPECT_EQ(window->hsbSetHeight->value(), 3);
    EXPECT_EQ(window->hsbSetWidth->minimum(), 3);
    EXPECT_EQ(window->CustomFrame->title(), "Custom Game");
    EXPECT_EQ(window->cmdNewCustomGame->text(), "New Custom Game");
}

TEST_F(GameWindow, MenuTreeCaptionsShortcutsAndCheckMarks)
{
    const auto top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "Game");
    EXPECT_EQ(top[1]->text(), "About");
    EXPECT_EQ(top[1]->menu(), nullptr) << "About is a command, not a menu";

    const auto game = window->mnuGame->actions();
    ASSERT_EQ(game.size(), 4);
    EXPECT_EQ(game[0]->text(), "New Game");
    EXPECT_EQ(game[1]->text(), "Open Game");
    EXPECT_EQ(game[2]->text(), "Save Game");
    EXPECT_EQ(game[3]->text(), "Quit");
    EXPECT_EQ(game[1]->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(game[2]->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(game[3]->shortcut(), QKeySequence("Ctrl+Q"));

    const QStringList sizes{QString::fromUtf8("3\u00D73"), QString::fromUtf8("4\u00D74"), QString::fromUtf8("5\u00D75"),
                            QString::fromUtf8("6\u00D76"), QString::fromUtf8("7\u00D77"), QString::fromUtf8("8\u00D78"),
                            "Custom..."};
    const auto items = window->smnuBoardWidth->actions();
    ASSERT_EQ(items.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(items[i]->text(), sizes[i]);
        EXPECT_EQ(items[i]->isChecked(), i == 0) << i;
        EXPECT_EQ(items[i]->shortcut(), i < 6 ? QKeySequence(QString("F%1").arg(i + 3)) : QKeySequence()) << i;
    }
}

TEST_F(GameWindow, ThreeByThreeGeometryInPixelsAtNinetySixDpi)
{
    // 15 twips per pixel: the frame is 2400 x 2520 twips at 315, 120; tiles are 48 pixels.
    EXPECT_EQ(window->GameFrame->geometry(), QRect(21, 8, 160, 168));
    EXPECT_EQ(view().tileRect(4), QRect(56, 64, 48, 48));
    EXPECT_EQ(view().tileRect(0), QRect(8, 16, 48, 48));
    EXPECT_EQ(window->lblMoves->y(), 184);
    // client width 3030 twips less the 8-pixel allowance
    EXPECT_EQ(window->canvas->width(), 194);
    EXPECT_EQ(window->canvas->height(), 184 + window->lblMoves->height() + 8);
    const int centre = (202 - window->lblMoves->width()) / 2;
    EXPECT_NEAR(window->lblMoves->x(), centre, 1);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the player cannot resize the window";
}

TEST_F(GameWindow, TwipsPerPixelFollowsTheScreenResolution)
{
    screen.dpi = 120; // 12 twips per pixel: the layout in twips scales, tiles stay 48 pixels
    start();
    EXPECT_EQ(view().tileRect(4).size(), QSize(48, 48));
    EXPECT_EQ(view().tileRect(4).topLeft(), QPoint(48 + 10, 48 + 20));
    // 3030 twips are 252.5 pixels: the window takes 253, and that is what reads back
    EXPECT_EQ(window->host().windowWidth(), 253 * 12.0f);
    EXPECT_EQ(window->canvas->width(), 253 - 8);
}

TEST_F(GameWindow, CustomSizeMaximaComeFromTheScreenInPixels)
{
    struct Case {
        QSize pixels;
        int width, height;
    };
    for (const Case c : {Case{{1024, 768}, 18, 13}, Case{{800, 600}, 14, 10}, Case{{1920, 1080}, 37, 20},
                         Case{{1366, 648}, 25, 10}}) {
        screen.pixels = c.pixels;
        start();
        EXPECT_EQ(window->hsbSetWidth->maximum(), c.width) << c.pixels.width();
        EXPECT_EQ(window->hsbSetHeight->maximum(), c.height) << c.pixels.height();
    }
}

TEST_F(GameWindow, AClickBesideTheBlankSlidesAndElsewhereBeeps)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(0);
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(board().MoveCount, 0);

    clickTile(6);
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "", "7", "8"}));
    EXPECT_EQ(board().MoveCount, 1);
    EXPECT_EQ(window->lblMoves->text(), "You have made 1 Moves.");
    EXPECT_EQ(view().focusTile(), 7) << "the focus follows the moved tile";
    EXPECT_FALSE(view().tile(6).visible);
    EXPECT_FALSE(view().tile(7).bold);
    EXPECT_EQ(view().tileAt(view().tileRect(6).center()), -1) << "the blank takes no click";

    // a press that leaves the tile before release is no click
    QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, view().tileRect(7).center());
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(board().MoveCount, 1);
}

TEST_F(GameWindow, SpaceClicksTheFocusedTile)
{
    activate();
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(6);
    ASSERT_EQ(view().focusTile(), 7);
    ASSERT_TRUE(view().hasFocus());
    QTest::keyClick(&view(), Qt::Key_Space);
    EXPECT_EQ(board().MoveCount, 2);
    EXPECT_EQ(view().tile(6).caption, "7");
    EXPECT_TRUE(view().tile(6).bold);
    EXPECT_EQ(view().focusTile(), 6);
}

TEST_F(GameWindow, TheWinMessageCountsTheWinningMove)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    board().MoveCount = 11;
    clickTile(8);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 12 moves");
    EXPECT_EQ(prompts.messages[0].style, 48);
    EXPECT_EQ(prompts.messages[0].title, "Vantirelle");
    EXPECT_EQ(window->lblMoves->text(), "You have made 12 Moves.");
}

TEST_F(GameWindow, TilesAreAccessiblePushButtonsNamedByTheirCaptions)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&view());
    ASSERT_NE(board, nullptr);
    ASSERT_EQ(board->childCount(), 8) << "the hidden blank is not offered";
    QAccessibleInterface* seventh = board->child(6);
    EXPECT_EQ(seventh->role(), QAccessible::Button);
    EXPECT_EQ(seventh->text(QAccessible::Name), "7");
    EXPECT_EQ(board->indexOfChild(seventh), 6);
    EXPECT_EQ(seventh->parent(), board);

    QAccessibleActionInterface* action = seventh->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(window->board().MoveCount, 1);
    EXPECT_EQ(board->childCount(), 8);
    EXPECT_EQ(board->child(6)->text(QAccessible::Name), "7") << "place 7 now shows the 7";
    EXPECT_EQ(seventh->text(QAccessible::Name), "") << "element 6 is the blank now";
}

TEST_F(GameWindow, TheLargestBoardsBuildThroughTheViewAndScrollInsideTheScreen)
{
    struct Size {
        Int16 width, height;
    };
    for (const Size size : {Size{181, 181}, Size{682, 48}}) {
        board().ClearBoard();
        board().BoardWidth = size.width;
        board().BoardHeight = size.height;
        board().NewBoard(board().BoardWidth, board().BoardHeight);
        EXPECT_EQ(view().upperBound(), size.width * size.height - 1);
        EXPECT_EQ(view().visibleTiles().size(), static_cast<std::size_t>(size.width * size.height - 1));
        // the layout keeps the full size; the window stays on the 1024 x 768 screen
        EXPECT_EQ(window->canvas->width(), size.width * 48 + 16);
        EXPECT_LE(window->width(), 1024);
        EXPECT_LE(window->height(), 768);
        EXPECT_TRUE(window->scroller->horizontalScrollBar()->maximum() > 0);
        const QRect last = view().tileRect(view().upperBound() - 1);
        EXPECT_EQ(last.topLeft(), QPoint(8 + (size.width - 2) * 48, 16 + (size.height - 1) * 48));
    }
}

TEST_F(GameWindow, ACustomSizeBeyondTheLayoutIsRefusedBeforeTheGameIsTouched)
{
    screen.pixels = QSize(40000, 768); // only a screen this wide offers a custom width of 700
    start();
    const auto before = captions();
    window->hsbSetWidth->setValue(700);
    window->CustomFrame->show();
    window->cmdNewCustomGame_Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("700"), std::string::npos);
    EXPECT_EQ(prompts.messages[0].title, "Vantirelle");
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(board().BoardWidth, 3);
    EXPECT_TRUE(window->isVisible());

    window->hsbSetWidth->setValue(682); // the widest admitted board still builds
    window->cmdNewCustomGame_Click();
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(view().upperBound(), 682 * 3 - 1);
}

TEST_F(GameWindow, AnErrorInsideACommandIsShownAndTheWindowStaysUp)
{
    // a click on an element that does not exist fails in the rules; the handler reports it
    window->btnSlide_Click(40);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].style, 16);
    EXPECT_EQ(prompts.messages[0].title, "Vantirelle");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(GameWindow, ArrowKeysMoveTheFocusOverTheBlank)
{
    activate();
    arrange({"1", "2", "3", "4", "", "6", "7", "5", "8"});
    view().setFocusTile(3);
    QTest::keyClick(&view(), Qt::Key_Right); // over the blank in the middle
    EXPECT_EQ(view().focusTile(), 5);
    QTest::keyClick(&view(), Qt::Key_Right); // nothing further right
    EXPECT_EQ(view().focusTile(), 5);
    QTest::keyClick(&view(), Qt::Key_Down);
    EXPECT_EQ(view().focusTile(), 8);
    QTest::keyClick(&view(), Qt::Key_Left);
    EXPECT_EQ(view().focusTile(), 7);
    QTest::keyClick(&view(), Qt::Key_Space); // and the focused tile slides up into the blank
    EXPECT_EQ(view().tile(4).caption, "5");
    EXPECT_EQ(board().MoveCount, 1);
}

#include "gui_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <new>

using namespace vantirelle;
using namespace vantirelle::testing;

using GameWindowTest = GameWindowFixture;

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Deals normally until told to fail, as memory running out would.
class FailingRandom : public ScriptedRandom {
public:
    bool fail = false;
    void reseed() override
    {
        if (fail)
            throw std::bad_alloc();
        ScriptedRandom::reseed();
    }
};

} // namespace

TEST_F(GameWindowTest, StartsWithAShuffledThreeByThreeAndThePanelHidden)
{
    EXPECT_EQ(window->windowTitle(), "Vantirelle!");
    EXPECT_EQ(board().width(), 3);
    EXPECT_EQ(board().height(), 3);
    EXPECT_EQ(board().blanks(), std::vector<int>{8});
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 0 Moves.");
    EXPECT_EQ(child<QGroupBox>("frame")->title(), QString::fromUtf8("Playing 3 \u00D7 3"));
    EXPECT_TRUE(child("frame")->isVisible());
    EXPECT_FALSE(child("customPanel")->isVisible());
    EXPECT_EQ(child<QGroupBox>("customPanel")->title(), "Custom Game");
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 3");
    EXPECT_EQ(child<QLabel>("customHeightLabel")->text(), "Custom Height: 3");
    EXPECT_EQ(child<QScrollBar>("customWidth")->value(), 3);
    EXPECT_EQ(child<QScrollBar>("customHeight")->value(), 3);
    EXPECT_EQ(child<QScrollBar>("customWidth")->minimum(), 3);
    EXPECT_EQ(child<QPushButton>("newCustomGame")->text(), "New Custom Game");
}

TEST_F(GameWindowTest, MenuTreeCaptionsShortcutsAndCheckMarks)
{
    const auto top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(plain(top[0]->text()), "Game");
    EXPECT_EQ(plain(top[1]->text()), "About");
    EXPECT_EQ(top[1]->menu(), nullptr) << "About is a command, not a menu";

    QStringList game;
    for (QAction* item : child<QMenu>("gameMenu")->actions()) {
        if (!item->isSeparator())
            game << plain(item->text());
    }
    EXPECT_EQ(game.mid(0, 2), (QStringList{"New Game", "Open Game"}));
    EXPECT_TRUE(game.contains("Save Game"));
    EXPECT_EQ(game.last(), "Quit");
    EXPECT_EQ(action("openGame")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(action("saveGame")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(action("quit")->shortcut(), QKeySequence("Ctrl+Q"));

    const QStringList sizes{QString::fromUtf8("3\u00D73"), QString::fromUtf8("4\u00D74"), QString::fromUtf8("5\u00D75"),
                            QString::fromUtf8("6\u00D76"), QString::fromUtf8("7\u00D77"), QString::fromUtf8("8\u00D78"),
                            "Custom..."};
    const auto items = child<QMenu>("newGameMenu")->actions();
    ASSERT_EQ(items.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(plain(items[i]->text()), sizes[i]);
        EXPECT_EQ(items[i]->isChecked(), i == 0) << i;
        EXPECT_EQ(items[i]->shortcut(), i < 6 ? QKeySequence(QString("F%1").arg(i + 3)) : QKeySequence()) << i;
    }
}

TEST_F(GameWindowTest, ThreeByThreeGeometryInPixelsAtNinetySixDpi)
{
    // 15 twips per pixel: the frame is 2400 x 2520 twips at 315, 120; tiles are 48 pixels.
    EXPECT_EQ(child("frame")->geometry(), QRect(21, 8, 160, 168));
    EXPECT_EQ(view().tileRect(4), QRect(56, 64, 48, 48));
    EXPECT_EQ(view().tileRect(0), QRect(8, 16, 48, 48));
    QLabel* label = child<QLabel>("movesLabel");
    EXPECT_EQ(label->y(), 184);
    // the client area: 3030 twips less the 8-pixel allowance across
    EXPECT_EQ(window->centralWidget()->size(), QSize(194, 184 + label->height() + 8));
    const int centre = (202 - label->width()) / 2;
    EXPECT_NEAR(label->x(), centre, 1);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the player cannot resize the window";
}

TEST_F(GameWindowTest, TwipsPerPixelFollowsTheScreenResolution)
{
    screen.dpi = 120; // 12 twips per pixel: the layout in twips scales, tiles stay 48 pixels
    start();
    EXPECT_EQ(view().tileRect(4), QRect(48 + 10, 48 + 20, 48, 48));
    // 3030 twips are 252.5 pixels: the window takes 253
    EXPECT_EQ(window->centralWidget()->width(), 253 - 8);
}

TEST_F(GameWindowTest, CustomSizeMaximaComeFromTheScreenInPixels)
{
    struct Case {
        QSize pixels;
        int width, height;
    };
    for (const Case c : {Case{{1024, 768}, 18, 13}, Case{{800, 600}, 14, 10}, Case{{1920, 1080}, 37, 20},
                         Case{{1366, 648}, 25, 10}}) {
        screen.pixels = c.pixels;
        start();
        EXPECT_EQ(child<QScrollBar>("customWidth")->maximum(), c.width) << c.pixels.width();
        EXPECT_EQ(child<QScrollBar>("customHeight")->maximum(), c.height) << c.pixels.height();
    }
}

TEST_F(GameWindowTest, AClickBesideTheBlankSlidesAndElsewhereBeeps)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(0);
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(board().moves(), 0);

    clickTile(6);
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "", "7", "8"}));
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 1 Moves.");
    EXPECT_EQ(view().focusPlace(), 7) << "the focus follows the moved tile";
    EXPECT_EQ(view().tileAt(view().tileRect(6).center()), -1) << "the blank takes no click";
    clickTile(6);
    EXPECT_EQ(prompts.beeps, 1) << "a click on the blank is no click on a tile";

    // a press that leaves the tile before release is no click
    QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, view().tileRect(7).center());
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(board().moves(), 1);
}

TEST_F(GameWindowTest, TheWinMessageCountsTheWinningMove)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"}, 11);
    clickTile(8);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 12 moves");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning) << "the exclamation icon";
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 12 Moves.");

    clickTile(7); // out of place and back: announced again
    clickTile(8);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, "You have Won in 14 moves");
}

TEST_F(GameWindowTest, TheLargestBoardsScrollInsideTheScreenWithTheLabelInSight)
{
    for (const auto& [width, height] : {std::pair{181, 181}, std::pair{682, 48}}) {
        window->newGame(width, height);
        EXPECT_EQ(board().places(), width * height);
        // the layout keeps its full size; the window stays on the 1024 x 768 screen
        EXPECT_EQ(child("canvas")->width(), width * 48 + 16);
        EXPECT_LE(window->frameGeometry().width(), 1024);
        EXPECT_LE(window->frameGeometry().height(), 768);
        QScrollArea* scroller = child<QScrollArea>("scroller");
        EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);
        const QRect last = view().tileRect(board().places() - 2);
        EXPECT_EQ(last.topLeft(), QPoint(8 + (width - 2) * 48, 16 + (height - 1) * 48));
        // the moves label sits below the scrolled board, inside the window
        QLabel* label = child<QLabel>("movesLabel");
        EXPECT_GE(label->y(), scroller->geometry().bottom());
        EXPECT_LE(label->geometry().bottom(), window->centralWidget()->height());
    }
}

TEST_F(GameWindowTest, ACustomSizeBeyondTheLayoutIsRefusedBeforeTheGameIsTouched)
{
    screen.pixels = QSize(40000, 768); // only a screen this wide offers a custom width of 700
    start();
    const auto before = captions();
    child<QScrollBar>("customWidth")->setValue(700);
    child("customPanel")->show();
    window->startCustomGame();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("700")) << prompts.messages[0].text.toStdString();
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(board().width(), 3);

    child<QScrollBar>("customWidth")->setValue(682); // the widest admitted board still builds
    window->startCustomGame();
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(board().places(), 682 * 3);
}

TEST_F(GameWindowTest, ACommandThatFailsIsReportedAndTheGameGoesOnAsItWas)
{
    FailingRandom failing;
    GameServices services;
    services.prompts = &prompts;
    services.screen = &screen;
    services.random = &failing;
    services.dialogs = &dialogs;
    window = std::make_unique<GameWindow>(services);
    window->show();
    const auto before = captions();
    failing.fail = true;
    prompts.answers = {QMessageBox::Yes};
    window->chooseBoardSize(3);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].icon, QMessageBox::Critical);
    EXPECT_TRUE(prompts.messages[1].text.contains("not enough memory"));
    EXPECT_EQ(captions(), before) << "the new board is made before the old one goes";
    EXPECT_EQ(board().width(), 3);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(GameWindowTest, CtrlArrowsMoveTheFocusOverTheBlankAndSpaceSlides)
{
    activate();
    arrange({"1", "2", "3", "4", "", "6", "7", "5", "8"});
    view().setFocusPlace(3);
    QTest::keyClick(&view(), Qt::Key_Right, Qt::ControlModifier); // over the blank in the middle
    EXPECT_EQ(view().focusPlace(), 5);
    QTest::keyClick(&view(), Qt::Key_Right, Qt::ControlModifier); // nothing further right
    EXPECT_EQ(view().focusPlace(), 5);
    QTest::keyClick(&view(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view().focusPlace(), 8);
    QTest::keyClick(&view(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(view().focusPlace(), 7);
    EXPECT_EQ(board().moves(), 0) << "moving the focus moves no tile";
    QTest::keyClick(&view(), Qt::Key_Space); // and the focused tile slides up into the blank
    EXPECT_EQ(board().caption(4), "5");
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(view().focusPlace(), 4);
}

TEST_F(GameWindowTest, EnterAndReturnSlideTheFocusedTileToo)
{
    activate();
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    view().setFocusPlace(8);
    QTest::keyClick(&view(), Qt::Key_Return);
    EXPECT_EQ(board().caption(7), "8");
    QTest::keyClick(&view(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(board().caption(8), "8");
    EXPECT_EQ(board().moves(), 2);
}

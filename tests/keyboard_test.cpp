// Playing from the keyboard alone, and boards larger than the screen.
#include "gui_support.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct Keyboard : GameWindowFixture {
    void SetUp() override
    {
        GameWindowFixture::SetUp();
        activate();
    }

    // The focused tile lies wholly inside the part of the board the scroll area shows.
    bool focusInSight() const
    {
        auto* scroller = child<QScrollArea>("scroller");
        const QRect tile = view().tileRect(view().focusPlace());
        const QRect shown(view().mapFrom(scroller->viewport(), QPoint(0, 0)), scroller->viewport()->size());
        return shown.contains(tile);
    }
};

} // namespace

TEST_F(Keyboard, ATileHasTheFocusWheneverABoardAppears)
{
    EXPECT_TRUE(view().hasFocus()) << "at start";
    EXPECT_EQ(view().focusPlace(), 0);
    prompts.answers = {QMessageBox::Yes};
    window->chooseBoardSize(2);
    EXPECT_TRUE(view().hasFocus()) << "after a new game";
    arrange({"", "2", "3", "4", "5", "6", "7", "8", "1"});
    EXPECT_TRUE(view().hasFocus()) << "after an open";
    EXPECT_EQ(view().focusPlace(), 1) << "the first tile, passing over a blank";
}

TEST_F(Keyboard, TheFocusFrameIsDrawnWheneverTheBoardHasTheFocus)
{
    // Without a Tab pressed first: the frame shows as soon as the board has the focus.
    ASSERT_TRUE(view().hasFocus());
    view().finishGlide();
    const QImage focused = view().grab(view().tileRect(0)).toImage();
    child<QPushButton>("newCustomGame")->parentWidget()->show();
    child<QPushButton>("newCustomGame")->setFocus();
    ASSERT_FALSE(view().hasFocus());
    const QImage unfocused = view().grab(view().tileRect(0)).toImage();
    EXPECT_NE(focused, unfocused);
}

TEST_F(Keyboard, TabStopsOnlyOnWhatCanBeSeen)
{
    for (int press = 0; press < 6; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus->isVisible()) << press << ": " << focus->objectName().toStdString();
        EXPECT_EQ(focus, &view()) << "the board is all there is to stop at";
    }
    prompts.answers = {QMessageBox::Yes};
    window->chooseBoardSize(GameWindow::CustomSizeItem);
    QStringList stops;
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << QApplication::focusWidget()->objectName();
        EXPECT_TRUE(QApplication::focusWidget()->isVisible());
    }
    stops.sort();
    EXPECT_EQ(stops, (QStringList{"customHeight", "customWidth", "newCustomGame"}));
}

TEST_F(Keyboard, TheMenusOpenFromTheKeyboard)
{
    auto* game = child<QMenu>("gameMenu");
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(game->isVisible()) << "Alt+G";
    game->close();
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_TRUE(game->isVisible()) << "F10";
    game->close();
    for (QAction* item : window->menuBar()->actions())
        EXPECT_TRUE(item->text().contains('&')) << item->text().toStdString();
    for (QAction* item : game->actions())
        EXPECT_TRUE(item->isSeparator() || item->text().contains('&')) << item->text().toStdString();
    for (QAction* item : child<QMenu>("newGameMenu")->actions())
        EXPECT_TRUE(item->text().contains('&')) << item->text().toStdString();
}

TEST_F(Keyboard, TheCustomSizeScrollBarsMoveWithTheirKeys)
{
    prompts.answers = {QMessageBox::Yes};
    window->chooseBoardSize(GameWindow::CustomSizeItem);
    auto* width = child<QScrollBar>("customWidth");
    EXPECT_TRUE(width->hasFocus()) << "the panel opens with the width in hand";
    QTest::keyClick(width, Qt::Key_Right);
    EXPECT_EQ(width->value(), 4);
    QTest::keyClick(width, Qt::Key_PageUp);
    EXPECT_EQ(width->value(), 5);
    QTest::keyClick(width, Qt::Key_PageDown);
    EXPECT_EQ(width->value(), 4);
    QTest::keyClick(width, Qt::Key_End);
    EXPECT_EQ(width->value(), width->maximum());
    QTest::keyClick(width, Qt::Key_Home);
    EXPECT_EQ(width->value(), 3);
    QTest::keyClick(width, Qt::Key_Left);
    EXPECT_EQ(width->value(), 3);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 3");
    auto* height = child<QScrollBar>("customHeight");
    height->setFocus();
    QTest::keyClick(height, Qt::Key_Right);
    EXPECT_EQ(height->value(), 4);
    EXPECT_EQ(child<QLabel>("customHeightLabel")->text(), "Custom Height: 4");
    EXPECT_EQ(board().moves(), 0) << "the arrows moved the scroll bars, not tiles";
}

TEST_F(Keyboard, ALargeBoardStartsAtItsTopLeftAndKeepsTheFocusInSight)
{
    window->newGame(181, 181);
    auto* scroller = child<QScrollArea>("scroller");
    EXPECT_EQ(scroller->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(scroller->verticalScrollBar()->value(), 0);
    EXPECT_EQ(view().focusPlace(), 0);
    for (int step = 0; step < 60; ++step)
        QTest::keyClick(&view(), Qt::Key_Right, Qt::ControlModifier);
    for (int step = 0; step < 40; ++step)
        QTest::keyClick(&view(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view().focusPlace(), 40 * 181 + 60);
    EXPECT_TRUE(focusInSight());
    EXPECT_GT(scroller->horizontalScrollBar()->value(), 0);

    // a new board starts at the top left again, with the focus there
    window->newGame(181, 181);
    EXPECT_EQ(scroller->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(scroller->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(focusInSight());

    // tabbing away and back does not jump to the middle of the board
    child("customPanel")->show();
    child<QPushButton>("newCustomGame")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_TRUE(view().hasFocus());
    EXPECT_EQ(scroller->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(scroller->verticalScrollBar()->value(), 0);

    // the moves label is in sight whatever the scroll position
    scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
    QLabel* label = child<QLabel>("movesLabel");
    EXPECT_TRUE(window->centralWidget()->rect().contains(label->geometry()));
    EXPECT_TRUE(label->isVisible());
}

TEST_F(Keyboard, AnOpenedGameTicksTheNewGameSizeItHas)
{
    auto open = [this](int width, int height) {
        std::vector<std::string> captions(static_cast<std::size_t>(width * height));
        for (std::size_t i = 0; i + 1 < captions.size(); ++i)
            captions[i] = std::to_string(i + 1);
        window->playOpenedGame(Board(width, height, captions));
    };
    open(5, 5);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));
    open(4, 3);
    EXPECT_EQ(checks(), std::vector<bool>(7, false));
    open(9, 9);
    EXPECT_EQ(checks(), std::vector<bool>(7, false));
    open(8, 8);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, false, false, false, true, false}));
}

// Arrow keys, undo, redo, restart, and tiles that glide.
#include "gui_support.h"
#include "savegame/gamefile.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct Play : GameWindowFixture {
    void SetUp() override
    {
        GameWindowFixture::SetUp();
        activate();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), key, modifiers);
    }
    QString label() const { return child<QLabel>("movesLabel")->text(); }
    bool enabled(const char* name) const { return action(name)->isEnabled(); }
};

// A style that turns animations off, as desktops do when asked.
class StillStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_Widget_Animation_Duration)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

TEST_F(Play, ArrowKeysSlideTheTileThatCanMoveThatWay)
{
    // 1 2 3 / 4 _ 5 / 6 7 8
    arrange({"1", "2", "3", "4", "", "5", "6", "7", "8"});
    key(Qt::Key_Left); // the 5 on the right moves left into the blank
    EXPECT_EQ(board().caption(4), "5");
    EXPECT_TRUE(board().isBold(4));
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(label(), "You have made 1 Moves.");
    EXPECT_EQ(view().focusPlace(), 4) << "the focus frame follows the moved tile";
    key(Qt::Key_Left); // nothing right of the blank now
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(board().moves(), 1);
    key(Qt::Key_Up); // the 8 below moves up
    EXPECT_EQ(board().caption(5), "8");
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(board().caption(5), "5");
    EXPECT_EQ(board().moves(), 4);
}

TEST_F(Play, AnArrowThatCompletesTheBoardIsAnnouncedAsAClickIs)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"}, 11);
    key(Qt::Key_Left);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 12 moves");
}

TEST_F(Play, ArrowsWorkWhereverTheFocusIsButInTheScrollBars)
{
    arrange({"1", "2", "3", "4", "", "5", "6", "7", "8"});
    window->menuBar()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Right);
    EXPECT_EQ(board().caption(4), "4");
    view().clearFocus();
    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_EQ(board().caption(3), "4");
    EXPECT_EQ(board().moves(), 2);
}

TEST_F(Play, WithTwoBlanksAnArrowFillsTheFirstThatHasATileThatWay)
{
    arrange({"", "1", "", "2", "3", "4", "5", "6", "7"});
    key(Qt::Key_Right); // the first blank has nothing on its left; the second takes the 1
    EXPECT_EQ(board().caption(2), "1");
    EXPECT_TRUE(board().isBlank(1));
}

TEST_F(Play, UndoRedoAndRestartFromTheMenuAndTheirKeys)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"}, 30);
    const Board start = board();
    EXPECT_FALSE(enabled("undo"));
    EXPECT_FALSE(enabled("redo"));
    EXPECT_FALSE(enabled("restart"));
    QStringList menu;
    for (QAction* item : child<QMenu>("gameMenu")->actions())
        menu << item->text().remove('&');
    EXPECT_TRUE(menu.contains("Undo Move") && menu.contains("Redo Move") && menu.contains("Restart Game"));
    EXPECT_EQ(action("undo")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_TRUE(action("redo")->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
    EXPECT_TRUE(action("redo")->shortcuts().contains(QKeySequence("Ctrl+Y")));

    clickTile(6); // 1 2 3 / 4 5 6 / _ 7 8
    clickTile(3);
    EXPECT_TRUE(enabled("undo"));
    EXPECT_TRUE(enabled("restart"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(board().moves(), 31);
    EXPECT_EQ(label(), "You have made 31 Moves.");
    EXPECT_TRUE(enabled("redo"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(board(), start);
    EXPECT_FALSE(enabled("undo"));
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(board().moves(), 32);
    EXPECT_FALSE(enabled("redo"));

    action("restart")->trigger();
    EXPECT_EQ(board(), start);
    EXPECT_EQ(label(), "You have made 30 Moves.");
    EXPECT_FALSE(enabled("restart"));
    EXPECT_TRUE(enabled("redo")) << "a restart can be redone";
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(Play, ARedoThatCompletesTheBoardIsAnnouncedAgain)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"}, 5);
    clickTile(8);
    ASSERT_EQ(prompts.messages.size(), 1u);
    action("undo")->trigger();
    EXPECT_EQ(prompts.messages.size(), 1u) << "undoing into a position announces nothing";
    action("redo")->trigger();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, "You have Won in 6 moves");
}

TEST_F(Play, ANewOrOpenedGameStartsAFreshHistoryAndSavesNone)
{
    clickTile(7);
    clickTile(8);
    ASSERT_TRUE(enabled("undo"));
    window->newGame(4, 4);
    EXPECT_FALSE(enabled("undo"));
    EXPECT_FALSE(enabled("redo"));

    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(8);
    action("undo")->trigger();
    // The file holds the board as it stands, with no trace of the move that can be redone.
    EXPECT_EQ(encodeGame(board()), encodeGame(Board(3, 3, {"1", "2", "3", "4", "5", "6", "7", "", "8"})));
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    EXPECT_FALSE(enabled("redo"));
}

TEST_F(Play, TilesGlideAndANewMoveFinishesTheGlideAtOnce)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(8);
    EXPECT_TRUE(view().isGliding());
    clickTile(7); // the next move does not wait for the glide
    EXPECT_EQ(board().caption(8), "8");
    EXPECT_EQ(board().moves(), 2);
    for (int wait = 0; wait < 40 && view().isGliding(); ++wait)
        QTest::qWait(10);
    EXPECT_FALSE(view().isGliding()) << "a glide takes about a tenth of a second";
}

TEST_F(Play, NoGlideWhenTheDesktopTurnsAnimationsOff)
{
    StillStyle still;
    view().setStyle(&still);
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(8);
    EXPECT_FALSE(view().isGliding());
    view().setStyle(nullptr);
}

TEST_F(Play, ShiftSlidesTheLineToTheBlankAsMovesThatOneUndoTakesBack)
{
    const std::vector<std::string> start = {"1", "2", "3", "4", "5", "6", "7", "8",
                                            "9", "10", "11", "12", "13", "14", "15", ""};
    arrange(start);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, view().tileRect(3).center());
    EXPECT_EQ(board().moves(), 3) << "each tile of the line is a move";
    EXPECT_EQ(label(), "You have made 3 Moves.");
    EXPECT_EQ(board().caption(15), "12");
    EXPECT_EQ(view().focusPlace(), 7) << "the focus frame follows the tile pressed";
    action("undo")->trigger();
    EXPECT_EQ(board().captions(), start);
    EXPECT_EQ(board().moves(), 0);

    // Shift with Space on the focused tile; with Shift off the line, only the beep.
    view().setFocusPlace(12);
    QTest::keyClick(&view(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(board().caption(12), "");
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, view().tileRect(5).center());
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(board().moves(), 3);

    // A line that completes the board wins once.
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, view().tileRect(15).center());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 6 moves");
}

TEST_F(Play, ASixHundredTileLineIsOneRepaintAndOneUndoAtTheMoveCeiling)
{
    // 682 x 48 with the blank at the end of the top row.
    std::vector<std::string> captions;
    for (int place = 0; place < 682 * 48; ++place)
        captions.push_back(place == 681 ? std::string() : std::to_string(place + 1));
    window->playOpenedGame(Board(682, 48, captions, 32766));
    QCoreApplication::processEvents();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    view().installEventFilter(&counter);
    window->slideLine(81); // 600 tiles from place 81 to the blank on 681
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    view().removeEventFilter(&counter);
    EXPECT_EQ(board().moves(), 32767);
    EXPECT_EQ(board().caption(681), "681");
    EXPECT_EQ(board().caption(81), "");
    action("undo")->trigger();
    EXPECT_EQ(board().captions(), captions);
    EXPECT_EQ(board().moves(), 32766);
}

#include "game_window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct NewGame : GameWindowFixture {
    std::vector<bool> checks()
    {
        std::vector<bool> out;
        for (QAction* item : window->mnuBoardWidth)
            out.push_back(item->isChecked());
        return out;
    }

    void choose(int index, int answer)
    {
        prompts.answers.push_back(answer);
        window->mnuBoardWidth_Click(index);
    }
};

const std::vector<bool> onlyCustom{false, false, false, false, false, false, true};

} // namespace

TEST_F(NewGame, TheQuestionComesFirstAndNoKeepsEverything)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(6);
    const auto board = captions();
    choose(2, MsgBox::AnswerNo);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Begin New Game?");
    EXPECT_EQ(prompts.messages[0].style, 68);
    EXPECT_EQ(prompts.messages[0].title, "Vantirelle");
    EXPECT_EQ(captions(), board);
    EXPECT_EQ(this->board().MoveCount, 1);
    EXPECT_EQ(window->lblMoves->text(), "You have made 1 Moves.");
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_TRUE(window->GameFrame->isVisible());

    choose(6, MsgBox::AnswerNo); // also from the custom item
    EXPECT_FALSE(window->CustomFrame->isVisible());
    EXPECT_EQ(captions(), board);
}

TEST_F(NewGame, YesBuildsTheChosenSquareAndMovesTheCheckMark)
{
    choose(2, MsgBox::AnswerYes);
    EXPECT_EQ(board().BoardWidth, 5);
    EXPECT_EQ(view().upperBound(), 24);
    EXPECT_EQ(window->GameFrame->title(), QString::fromUtf8("Playing 5 \u00D7 5"));
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));
    // 5 x 5 at 15 twips per pixel: frame 3840 wide, window 3960, frame at the left edge
    EXPECT_EQ(window->GameFrame->geometry(), QRect(0, 8, 256, 5 * 48 + 24));
    EXPECT_EQ(window->canvas->width(), 256);

    clickTile(23);
    ASSERT_EQ(board().MoveCount, 1);
    choose(2, MsgBox::AnswerYes); // the checked item again: a fresh game of the same size
    EXPECT_EQ(board().MoveCount, 0);
    EXPECT_EQ(view().upperBound(), 24);
    EXPECT_EQ(window->lblMoves->text(), "You have made 0 Moves.");
}

TEST_F(NewGame, CustomShowsThePanelOverAHiddenThreeByThree)
{
    choose(5, MsgBox::AnswerYes);
    choose(6, MsgBox::AnswerYes);
    EXPECT_TRUE(window->CustomFrame->isVisible());
    EXPECT_FALSE(window->GameFrame->isVisible());
    EXPECT_FALSE(view().isVisible()) << "the tiles cannot be clicked while the panel shows";
    EXPECT_EQ(view().upperBound(), 8);
    EXPECT_EQ(board().MoveCount, 0);
    EXPECT_EQ(checks(), onlyCustom);

    // asked again while the panel shows: another hidden 3 x 3, the scroll bars untouched
    window->hsbSetWidth->setValue(7);
    const auto first = captions();
    random = ScriptedRandom(99);
    choose(6, MsgBox::AnswerYes);
    EXPECT_EQ(prompts.messages.size(), 3u);
    EXPECT_TRUE(window->CustomFrame->isVisible());
    EXPECT_EQ(window->hsbSetWidth->value(), 7);
    EXPECT_EQ(view().upperBound(), 8);
    EXPECT_NE(captions(), first) << "a new shuffle";
}

TEST_F(NewGame, TheCustomPanelBuildsItsSizeKeepsTheCheckAndRemembersItsValues)
{
    choose(6, MsgBox::AnswerYes);
    window->hsbSetWidth->setValue(9);
    window->hsbSetHeight->setValue(4);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 9");
    EXPECT_EQ(window->lblCustomGameHeight->text(), "Custom Height: 4");

    QTest::mouseClick(window->cmdNewCustomGame, Qt::LeftButton);
    EXPECT_EQ(board().BoardWidth, 9);
    EXPECT_EQ(board().BoardHeight, 4);
    EXPECT_EQ(view().upperBound(), 35);
    EXPECT_FALSE(window->CustomFrame->isVisible());
    EXPECT_TRUE(window->GameFrame->isVisible());
    EXPECT_EQ(window->GameFrame->title(), QString::fromUtf8("Playing 9 \u00D7 4"));
    EXPECT_EQ(checks(), onlyCustom);
    EXPECT_EQ(prompts.messages.size(), 1u) << "no question from the panel's button";

    choose(6, MsgBox::AnswerYes);
    EXPECT_EQ(window->hsbSetWidth->value(), 9);
    EXPECT_EQ(window->hsbSetHeight->value(), 4);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 9");
}

TEST_F(NewGame, ScrollBarsStepByOneAndRelabelOnlyWhenTheValueChanges)
{
    choose(6, MsgBox::AnswerYes);
    QScrollBar* width = window->hsbSetWidth;
    EXPECT_EQ(width->singleStep(), 1);
    EXPECT_EQ(width->pageStep(), 1);
    EXPECT_FALSE(width->hasTracking()) << "no relabelling while the thumb is dragged";
    width->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 4");
    width->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 5");
    width->setSliderDown(true);
    width->setSliderPosition(12);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 5");
    width->setSliderDown(false);
    EXPECT_EQ(window->lblCustomGameWidth->text(), "Custom Width: 12");
    window->hsbSetHeight->setValue(13);
    EXPECT_EQ(window->lblCustomGameHeight->text(), "Custom Height: 13");
}

TEST_F(NewGame, AFixedSizeWhileThePanelShowsHidesItAndShowsTheBoard)
{
    choose(6, MsgBox::AnswerYes);
    choose(1, MsgBox::AnswerYes);
    EXPECT_FALSE(window->CustomFrame->isVisible());
    EXPECT_TRUE(window->GameFrame->isVisible());
    EXPECT_EQ(view().upperBound(), 15);
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false, false, false, false, false}));
}

TEST_F(NewGame, FunctionKeysTakeTheMenuPathQuestionIncluded)
{
    activate();
    prompts.answers = {MsgBox::AnswerYes, MsgBox::AnswerNo};
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(view().upperBound(), 24);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));

    QTest::keyClick(window.get(), Qt::Key_F3); // answered No
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(view().upperBound(), 24);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));

    prompts.answers = {MsgBox::AnswerYes};
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(view().upperBound(), 63);
}

TEST_F(NewGame, QuitEndsTheEventLoopAtOnceWithoutAQuestion)
{
    bool stillRunning = false;
    QTimer::singleShot(0, window.get(), [this] { window->mnuQuit->trigger(); });
    QTimer::singleShot(2000, [&stillRunning] {
        stillRunning = true;
        QCoreApplication::exit(1);
    });
    const int status = QApplication::exec();
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(stillRunning);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(NewGame, TheAboutCommandIsHandedOn)
{
    window->mnuAbout->trigger();
    EXPECT_EQ(aboutShown, 1);
}

TEST_F(NewGame, ANewBoardLeavesTheWindowWhereItWasUnlessItWouldLeaveTheScreen)
{
    window->move(300, 200);
    choose(1, MsgBox::AnswerYes);
    EXPECT_EQ(window->pos(), QPoint(300, 200));

    // 8 x 8 from near the bottom-right corner of the 1024 x 728 available area: pulled back onto it
    window->move(900, 650);
    choose(5, MsgBox::AnswerYes);
    const QRect frame = window->frameGeometry();
    EXPECT_LE(frame.right(), 1023);
    EXPECT_LE(frame.bottom(), 727);
    EXPECT_EQ(frame.right(), 1023) << "moved no further than needed";
}

#include "gui_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

struct NewGame : GameWindowFixture {
    void choose(int item, QMessageBox::StandardButton answer)
    {
        prompts.answers.push_back(answer);
        window->chooseBoardSize(item);
    }
};

const std::vector<bool> onlyCustom{false, false, false, false, false, false, true};

} // namespace

TEST_F(NewGame, TheQuestionComesFirstAndNoKeepsEverything)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    clickTile(6);
    const auto before = captions();
    choose(2, QMessageBox::No);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Begin New Game?");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(board().moves(), 1);
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 1 Moves.");
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_TRUE(child("frame")->isVisible());

    choose(6, QMessageBox::No); // also from the custom item
    EXPECT_FALSE(child("customPanel")->isVisible());
    EXPECT_EQ(captions(), before);
}

TEST_F(NewGame, YesBuildsTheChosenSquareAndMovesTheCheckMark)
{
    choose(2, QMessageBox::Yes);
    EXPECT_EQ(board().width(), 5);
    EXPECT_EQ(board().places(), 25);
    EXPECT_EQ(child<QGroupBox>("frame")->title(), QString::fromUtf8("Playing 5 \u00D7 5"));
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));
    // 5 x 5 at 15 twips per pixel: frame 3840 twips wide, window 3960, frame at the left edge
    EXPECT_EQ(child("frame")->geometry(), QRect(0, 8, 256, 5 * 48 + 24));
    EXPECT_EQ(window->centralWidget()->width(), 256);

    clickTile(23);
    ASSERT_EQ(board().moves(), 1);
    choose(2, QMessageBox::Yes); // the checked item again: a fresh game of the same size
    EXPECT_EQ(board().moves(), 0);
    EXPECT_EQ(board().places(), 25);
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 0 Moves.");
}

TEST_F(NewGame, CustomShowsThePanelOverAHiddenThreeByThree)
{
    choose(5, QMessageBox::Yes);
    choose(6, QMessageBox::Yes);
    EXPECT_TRUE(child("customPanel")->isVisible());
    EXPECT_FALSE(child("frame")->isVisible());
    EXPECT_FALSE(view().isVisible()) << "the tiles cannot be clicked while the panel shows";
    EXPECT_EQ(board().places(), 9);
    EXPECT_EQ(board().moves(), 0);
    EXPECT_EQ(checks(), onlyCustom);

    // asked again while the panel shows: another hidden 3 x 3, the scroll bars untouched
    child<QScrollBar>("customWidth")->setValue(7);
    const auto first = captions();
    random = ScriptedRandom(99);
    choose(6, QMessageBox::Yes);
    EXPECT_EQ(prompts.messages.size(), 3u);
    EXPECT_TRUE(child("customPanel")->isVisible());
    EXPECT_EQ(child<QScrollBar>("customWidth")->value(), 7);
    EXPECT_EQ(board().places(), 9);
    EXPECT_NE(captions(), first) << "a new shuffle";
}

TEST_F(NewGame, TheCustomPanelBuildsItsSizeKeepsTheCheckAndRemembersItsValues)
{
    choose(6, QMessageBox::Yes);
    child<QScrollBar>("customWidth")->setValue(9);
    child<QScrollBar>("customHeight")->setValue(4);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 9");
    EXPECT_EQ(child<QLabel>("customHeightLabel")->text(), "Custom Height: 4");

    QTest::mouseClick(child<QPushButton>("newCustomGame"), Qt::LeftButton);
    EXPECT_EQ(board().width(), 9);
    EXPECT_EQ(board().height(), 4);
    EXPECT_FALSE(child("customPanel")->isVisible());
    EXPECT_TRUE(child("frame")->isVisible());
    EXPECT_EQ(child<QGroupBox>("frame")->title(), QString::fromUtf8("Playing 9 \u00D7 4"));
    EXPECT_EQ(checks(), onlyCustom);
    EXPECT_EQ(prompts.messages.size(), 1u) << "no question from the panel's button";

    choose(6, QMessageBox::Yes);
    EXPECT_EQ(child<QScrollBar>("customWidth")->value(), 9);
    EXPECT_EQ(child<QScrollBar>("customHeight")->value(), 4);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 9");
}

TEST_F(NewGame, ScrollBarsStepByOneAndRelabelOnlyWhenTheValueChanges)
{
    choose(6, QMessageBox::Yes);
    auto* width = child<QScrollBar>("customWidth");
    EXPECT_EQ(width->singleStep(), 1);
    EXPECT_EQ(width->pageStep(), 1);
    EXPECT_FALSE(width->hasTracking()) << "no relabelling while the thumb is dragged";
    width->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 4");
    width->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 5");
    width->setSliderDown(true);
    width->setSliderPosition(12);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 5");
    width->setSliderDown(false);
    EXPECT_EQ(child<QLabel>("customWidthLabel")->text(), "Custom Width: 12");
    child<QScrollBar>("customHeight")->setValue(13);
    EXPECT_EQ(child<QLabel>("customHeightLabel")->text(), "Custom Height: 13");
}

TEST_F(NewGame, AFixedSizeWhileThePanelShowsHidesItAndShowsTheBoard)
{
    choose(6, QMessageBox::Yes);
    choose(1, QMessageBox::Yes);
    EXPECT_FALSE(child("customPanel")->isVisible());
    EXPECT_TRUE(child("frame")->isVisible());
    EXPECT_EQ(board().places(), 16);
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false, false, false, false, false}));
}

TEST_F(NewGame, FunctionKeysTakeTheMenuPathQuestionIncluded)
{
    activate();
    prompts.answers = {QMessageBox::Yes, QMessageBox::No};
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(board().places(), 25);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));

    QTest::keyClick(window.get(), Qt::Key_F3); // answered No
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(board().places(), 25);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, false, false, false, false}));

    prompts.answers = {QMessageBox::Yes};
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(board().places(), 64);
}

TEST_F(NewGame, QuitEndsTheEventLoopAtOnceWithoutAQuestion)
{
    bool stillRunning = false;
    QTimer::singleShot(0, window.get(), [this] { action("quit")->trigger(); });
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
    action("about")->trigger();
    EXPECT_EQ(aboutShown, 1);
}

TEST_F(NewGame, AFreshBoardLeavesTheWindowWhereItWasUnlessItWouldLeaveTheScreen)
{
    window->move(300, 200);
    choose(1, QMessageBox::Yes);
    EXPECT_EQ(window->pos(), QPoint(300, 200));

    // 8 x 8 from near the bottom-right corner of the 1024 x 728 available area: pulled back onto it
    window->move(900, 650);
    choose(5, QMessageBox::Yes);
    const QRect frame = window->frameGeometry();
    EXPECT_LE(frame.right(), 1023);
    EXPECT_LE(frame.bottom(), 727);
    EXPECT_EQ(frame.right(), 1023) << "moved no further than needed";
}

TEST_F(NewGame, WhereWindowsCannotPlaceThemselvesAWindowGrownPastItsShownSizeIsShownAfresh)
{
    // As on Wayland: the window system placed the window whole at the size it was shown.
    screen.windowsPlaceThemselves = false;
    int shown = 0;
    struct CountShows : QObject {
        int* shown;
        explicit CountShows(int* count) : shown(count) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            *shown += event->type() == QEvent::Show;
            return false;
        }
    } counter(&shown);
    window->installEventFilter(&counter);
    window->move(300, 200);
    for (const auto& [item, again] : {std::pair{5, 1}, std::pair{1, 0}, std::pair{4, 0}, std::pair{5, 0}}) {
        shown = 0;
        choose(item, QMessageBox::Yes);
        EXPECT_EQ(shown, again) << "size item " << item;
        EXPECT_TRUE(window->isVisible());
    }
    shown = 0;
    window->newGame(12, 12);
    EXPECT_EQ(shown, 1) << "past the 8 x 8 it was shown at";
    EXPECT_EQ(window->pos(), QPoint(300, 200)) << "never moved by the game";
}

// The game as assistive technology sees it: the board as a table of places, the spoken
// moves label, one focus, and announcements held to a rate a screen reader keeps up with.
#include "gui_support.h"
#include "window/announcer.h"
#include "window/boardaccessible.h"

#include <QAccessible>
#include <QScrollBar>

#include <string>
#include <vector>

using namespace vantirelle;
using namespace vantirelle::testing;

TEST(Announcements, WhatWaitsMergesAndGoesFocusFirstThenTextThenCells)
{
    using Kind = Announcements::Kind;
    Announcements announcements;
    std::vector<std::string> heard;
    int source = 0;
    auto say = [&heard](std::string what) { return [&heard, what] { heard.push_back(what); }; };
    announcements.post(&source, 4, Kind::Cell, 1, say("cell 4"));
    announcements.post(&source, 0, Kind::Text, 3, say("1 move"));
    announcements.post(&source, -1, Kind::Focus, 3, say("focus"));
    announcements.post(&source, 0, Kind::Text, 3, say("2 moves")); // replaces "1 move"
    EXPECT_EQ(announcements.waiting(&source, Kind::Text), 1);
    EXPECT_EQ(announcements.flush(0), -1);
    EXPECT_EQ(heard, (std::vector<std::string>{"focus", "2 moves", "cell 4"}));

    // Over the second's allowance the first in line waits, and nothing goes ahead of it.
    heard.clear();
    for (int cell = 0; cell < Announcements::SignalsPerSecond; ++cell)
        announcements.post(&source, cell, Kind::Cell, 1, say("cell"));
    announcements.post(&source, 0, Kind::Text, 3, say("3 moves"));
    const int wait = announcements.flush(10);
    EXPECT_EQ(heard.front(), "3 moves");
    EXPECT_EQ(static_cast<int>(heard.size()), 1 + Announcements::SignalsPerSecond - 3 - 7);
    EXPECT_EQ(wait, 991) << "until the first signal of the second before has gone";
    announcements.forget(&source, Kind::Cell);
    EXPECT_TRUE(announcements.empty());
}

TEST(Announcements, NeverMoreThanTheAllowanceInAnySecondOfAFastSolve)
{
    // Four moves every 100 ms for five seconds, each naming two cells, the focus and the
    // label: what goes stays within the allowance, and the last of each is heard.
    using Kind = Announcements::Kind;
    Announcements announcements;
    std::vector<std::int64_t> sent;
    std::string label;
    int source = 0;
    std::int64_t now = 0;
    int nextDue = 0;
    for (int move = 0; move < 200; ++move) {
        now = move * 25;
        const std::string text = "You have made " + std::to_string(move + 1) + " Moves.";
        for (const int cell : {move % 64, (move + 1) % 64})
            announcements.post(&source, cell, Kind::Cell, 1, [&sent, &now] { sent.push_back(now); });
        announcements.post(&source, -1, Kind::Focus, 3, [&sent, &now] { sent.insert(sent.end(), 3, now); });
        announcements.post(&source, 0, Kind::Text, 3, [&sent, &now, &label, text] {
            sent.insert(sent.end(), 3, now);
            label = text;
        });
        if (now >= nextDue)
            nextDue = static_cast<int>(now) + std::max(0, announcements.flush(now));
    }
    while (!announcements.empty()) {
        now = std::max<std::int64_t>(now + 1, nextDue);
        nextDue = static_cast<int>(now) + std::max(0, announcements.flush(now));
    }
    for (std::size_t first = 0; first < sent.size(); ++first) {
        const auto inSecond = std::count_if(sent.begin() + static_cast<std::ptrdiff_t>(first), sent.end(),
                                            [&](std::int64_t at) { return at < sent[first] + 1000; });
        ASSERT_LE(inSecond, Announcements::SignalsPerSecond) << "from " << sent[first] << " ms";
    }
    EXPECT_EQ(label, "You have made 200 Moves.");
    EXPECT_GE(sent.size(), 4u * Announcements::SignalsPerSecond) << "the allowance is used";
}

struct Accessibility : GameWindowFixture {};

TEST_F(Accessibility, TheBoardIsATableOfPlacesWithTheBlankAmongThem)
{
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view());
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->tableInterface()->rowCount(), 3);
    EXPECT_EQ(table->tableInterface()->columnCount(), 3);
    ASSERT_EQ(table->childCount(), 9) << "every place, the blank too";
    for (int place = 0; place < 9; ++place) {
        QAccessibleInterface* cell = table->child(place);
        ASSERT_NE(cell->tableCellInterface(), nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), place == 7 ? blankCellName() : QString::number(place < 7 ? place + 1 : 8));
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), place / 3);
        EXPECT_EQ(cell->tableCellInterface()->columnIndex(), place % 3);
        EXPECT_EQ(table->tableInterface()->cellAt(place / 3, place % 3), cell);
        EXPECT_EQ(table->indexOfChild(cell), place);
        EXPECT_EQ(cell->parent(), table);
        EXPECT_EQ(cell->actionInterface()->actionNames().isEmpty(), place == 7) << "the blank cannot be pressed";
    }

    // A press slides the tile as a click does, once the client has its answer; the cell
    // stays with its place and takes the new name.
    QAccessibleInterface* seventh = table->child(6);
    seventh->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(board().moves(), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return board().moves() == 1; }, 1000));
    EXPECT_EQ(table->child(6), seventh);
    EXPECT_EQ(seventh->text(QAccessible::Name), blankCellName());
    EXPECT_EQ(table->child(7)->text(QAccessible::Name), "7");

    // A smaller board: a cell held from the larger one still answers, as not showing.
    window->newGame(4, 4);
    QAccessibleInterface* last = table->child(15);
    window->newGame(3, 3);
    EXPECT_TRUE(last->isValid());
    EXPECT_TRUE(last->state().invisible);
    EXPECT_EQ(last->text(QAccessible::Name), "");
    EXPECT_EQ(table->indexOfChild(last), -1);
    EXPECT_EQ(table->childCount(), 9);
}

// What reaches the accessibility bus, and how often, is checked on a real desktop with
// the client library a screen reader uses (tests/desktop); offscreen, nothing is sent.
TEST_F(Accessibility, OnlyTheFramedTileHasTheFocusAndTheLabelReadsAsText)
{
    activate();
    arrange({"1", "2", "3", "4", "5", "6", "7", "", "8"});
    view().setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(view().hasFocus());
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view());
    EXPECT_FALSE(table->state().focused);
    EXPECT_TRUE(table->state().focusable);
    for (const int place : {0, 6}) {
        view().setFocusPlace(place);
        ASSERT_NE(table->focusChild(), nullptr);
        EXPECT_EQ(table->focusChild(), table->child(place));
        for (int other = 0; other < 9; ++other)
            EXPECT_EQ(table->child(other)->state().focused, other == place) << other;
    }

    clickTile(6);
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(child("movesLabel"));
    ASSERT_NE(label->textInterface(), nullptr);
    EXPECT_EQ(label->text(QAccessible::Name), "You have made 1 Moves.");
    EXPECT_EQ(label->textInterface()->text(0, -1), "You have made 1 Moves.");
    EXPECT_EQ(label->textInterface()->text(14, 15), "1");
    EXPECT_EQ(label->textInterface()->characterCount(), 22);
    EXPECT_TRUE(label->textInterface()->characterRect(0).isValid());
    EXPECT_FALSE(label->textInterface()->characterRect(22).isValid());
}

TEST_F(Accessibility, TheCustomSizeScrollBarsAreNamedForWhatTheySet)
{
    for (const char* name : {"customWidth", "customHeight"}) {
        auto* bar = child<QScrollBar>(name);
        bar->setValue(7);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
        EXPECT_EQ(accessible->text(QAccessible::Name), name == std::string("customWidth") ? "Custom Width" : "Custom Height");
        ASSERT_NE(accessible->valueInterface(), nullptr);
        EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), 7);
    }
}

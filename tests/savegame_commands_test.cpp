#include "savegame_fixture.h"

using namespace vantirelle;
using namespace vantirelle::testing;

TEST_F(SaveAndOpen, TheWorkedExampleOpensAndSavesBackByteForByte)
{
    put(path("example.vts"), workedExample);
    open(path("example.vts"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", "4", "", "6", "7", "5", "8"}));
    EXPECT_EQ(board().moves(), 12);
    EXPECT_EQ(child<QLabel>("movesLabel")->text(), "You have made 12 Moves.");
    EXPECT_TRUE(board().isBold(0));
    EXPECT_FALSE(board().isBold(7));

    save(path("copy.vts"));
    EXPECT_EQ(contents(path("copy.vts")), workedExample);

    // the next move counts on from the stored number
    clickTile(7);
    EXPECT_EQ(board().moves(), 13);
}

TEST_F(SaveAndOpen, ARoundTripKeepsSizeMovesCaptionsAndTheBlank)
{
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(3); // 6 x 6
    for (int place : {34, 33, 27})
        clickTile(place);
    const auto before = snapshot();
    save(path("six"));
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(0);
    ASSERT_EQ(board().places(), 9);

    open(path("six.vts"));
    const auto after = snapshot();
    EXPECT_EQ(after.captions, before.captions);
    EXPECT_EQ(after.moves, before.moves);
    EXPECT_EQ(after.label, before.label);
    EXPECT_EQ(after.frame, before.frame);
    EXPECT_EQ(after.client, before.client);
    EXPECT_EQ(QFileInfo(path("six.vts")).size(), 6 + 2 * 36 + 9 + 26 * 2);
}

TEST_F(SaveAndOpen, ASolvedGameOpensWithoutAWinMessage)
{
    put(path("solved.vts"), QByteArray::fromHex("020002000500" "010031" "010032" "010033" "0000"));
    open(path("solved.vts"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", ""}));
    clickTile(2);
    clickTile(3);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(lastMessage(), "You have Won in 7 moves");
}

TEST_F(SaveAndOpen, AGameOfAnotherSizeResizesTheWindow)
{
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(5);
    const int wide = window->centralWidget()->width();
    put(path("small.vts"), workedExample);
    open(path("small.vts"));
    EXPECT_LT(window->centralWidget()->width(), wide);
    EXPECT_EQ(window->centralWidget()->width(), 194);
}

TEST_F(SaveAndOpen, AGameOpenedBehindTheCustomPanelIsBroughtIntoView)
{
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(6);
    put(path("example.vts"), workedExample);
    open(path("example.vts"));
    EXPECT_FALSE(child("customPanel")->isVisible());
    EXPECT_TRUE(child("frame")->isVisible());
}

TEST_F(SaveAndOpen, DialogsCarryTheirTitlesThePatternAndTheLastName)
{
    save(path("first"));
    open(""); // cancel
    save("");
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Game");
    EXPECT_TRUE(dialogs.shown[0].filter.contains("*.vts"));
    EXPECT_EQ(dialogs.shown[1].title, "Open Saved Game");
    EXPECT_TRUE(dialogs.shown[1].filter.contains("*.vts"));
    EXPECT_TRUE(dialogs.shown[1].filter.contains("(*)")) << "any file can be opened";
    EXPECT_EQ(dialogs.shown[1].start, path("first")) << "the name chosen last, as chosen";
    EXPECT_EQ(dialogs.shown[2].start, path("first"));
}

TEST_F(SaveAndOpen, TheExtensionIsAddedUnlessTheNameEndsInExactlyDotVts)
{
    for (const char* name : {"game", "game.vts", "GAME.VTS", "game.txt", "ab"})
        save(path(name));
    const QStringList written = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"GAME.VTS.vts", "ab.vts", "game.txt.vts", "game.vts"}));
}

TEST_F(SaveAndOpen, ANameWhoseExtensionLeadsToAnExistingFileAsksFirst)
{
    put(path("game.vts"), "old");
    prompts.answers.push_back(QMessageBox::No);
    save(path("game"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(lastMessage().contains("game.vts\" already exists"));
    EXPECT_EQ(contents(path("game.vts")), "old");

    prompts.answers.push_back(QMessageBox::Yes);
    save(path("game"));
    EXPECT_EQ(contents(path("game.vts")).size(), 32);
}

TEST_F(SaveAndOpen, SavingOverALongerFileLeavesExactlyTheNewGame)
{
    put(path("big.vts"), QByteArray(59, 'x'));
    save(path("big.vts"));
    const QByteArray written = contents(path("big.vts"));
    EXPECT_EQ(written.size(), 32) << "no stale bytes from the old file";
    EXPECT_EQ(written.left(6), QByteArray::fromHex("030003000000"));
}

TEST_F(SaveAndOpen, CancelChangesNothing)
{
    const auto before = snapshot();
    open("");
    save("");
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveAndOpen, FilesThatFailAreRefusedByNameWithTheGameUntouched)
{
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(6); // the panel shows and the check is on Custom...
    const auto before = snapshot();

    struct Bad {
        QByteArray bytes;
        const char* says;
    };
    const Bad bad[] = {
        {QByteArray(), "0 bytes"},
        {workedExample.left(5), "too short"},
        {workedExample.left(31), "tile 9 of 9"},
        {QByteArray::fromHex("000003000000"), "width is 0"},
        {QByteArray::fromHex("ffff03000000"), "width is -1"},
        {QByteArray::fromHex("ab0201000000"), "width is 683"},
        {QByteArray::fromHex("b600b5000000"), "32942 tiles"},
        {QByteArray::fromHex("03000300ffff"), "move count is -1"},
    };
    std::size_t expected = 1;
    for (const Bad& b : bad) {
        put(path("bad.vts"), b.bytes);
        open(path("bad.vts"));
        ASSERT_EQ(prompts.messages.size(), ++expected) << b.says;
        EXPECT_EQ(prompts.messages.back().icon, QMessageBox::Warning);
        EXPECT_TRUE(lastMessage().contains(path("bad.vts"))) << lastMessage().toStdString();
        EXPECT_TRUE(lastMessage().contains(b.says)) << lastMessage().toStdString();
        EXPECT_EQ(snapshot(), before) << b.says;
    }

    open(path("no such file.vts"));
    EXPECT_EQ(prompts.messages.size(), ++expected);
    open(dir.path());
    EXPECT_TRUE(lastMessage().contains("It is a folder")) << lastMessage().toStdString();
    EXPECT_EQ(snapshot(), before);
}


#include "game_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

const QByteArray workedExample = QByteArray::fromHex("030003000c00"
                                                     "010031010032010033"
                                                     "010034000001003601"
                                                     "0037010035010038");

struct SaveAndOpen : GameWindowFixture {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    static QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void save(const QString& chosen)
    {
        dialogs.answers.push_back(chosen);
        window->mnuSave_Click();
    }

    void open(const QString& chosen)
    {
        dialogs.answers.push_back(chosen);
        window->mnuLoad_Click();
    }

    // Everything a failed open must leave alone.
    struct Snapshot {
        std::vector<std::string> captions;
        std::vector<bool> visible;
        int moves, width, height;
        QString label, frame;
        bool panel;
        std::vector<bool> checks;
        QSize client;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot()
    {
        Snapshot s{captions(), {}, board().MoveCount, board().BoardWidth, board().BoardHeight,
                   window->lblMoves->text(), window->GameFrame->title(), window->CustomFrame->isVisible(), {},
                   window->canvas->size()};
        for (int i = 0; i <= view().upperBound(); ++i)
            s.visible.push_back(view().tile(i).visible);
        for (QAction* item : window->mnuBoardWidth)
            s.checks.push_back(item->isChecked());
        return s;
    }
};

} // namespace

TEST_F(SaveAndOpen, TheWorkedExampleOpensAndSavesBackByteForByte)
{
    put(path("example.vts"), workedExample);
    open(path("example.vts"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", "4", "", "6", "7", "5", "8"}));
    EXPECT_FALSE(view().tile(4).visible);
    EXPECT_EQ(board().MoveCount, 12);
    EXPECT_EQ(window->lblMoves->text(), "You have made 12 Moves.");
    EXPECT_TRUE(view().tile(0).bold);
    EXPECT_FALSE(view().tile(7).bold);

    save(path("copy.vts"));
    EXPECT_EQ(contents(path("copy.vts")), workedExample);

    // the next move counts on from the stored number
    clickTile(7);
    EXPECT_EQ(board().MoveCount, 13);
}

TEST_F(SaveAndOpen, ARoundTripKeepsSizeMovesCaptionsAndTheBlank)
{
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(3); // 6 x 6
    for (int i : {34, 33, 27})
        clickTile(i);
    const auto before = snapshot();
    save(path("six"));
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(0);
    ASSERT_EQ(view().upperBound(), 8);

    open(path("six.vts"));
    const auto after = snapshot();
    EXPECT_EQ(after.captions, before.captions);
    EXPECT_EQ(after.visible, before.visible);
    EXPECT_EQ(after.moves, before.moves);
    EXPECT_EQ(after.label, before.label);
    EXPECT_EQ(after.frame, before.frame);
    EXPECT_EQ(after.client, before.client);
    EXPECT_NE(after.checks, before.checks) << "opening a game leaves the check marks as they were";
    EXPECT_EQ(QFileInfo(path("six.vts")).size(), 6 + 2 * 36 + 9 + 26 * 2);
}

TEST_F(SaveAndOpen, ASolvedGameOpensWithoutAWinMessage)
{
    QByteArray solved = QByteArray::fromHex("020002000500" "010031" "010032" "010033" "0000");
    put(path("solved.vts"), solved);
    open(path("solved.vts"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{"1", "2", "3", ""}));
    clickTile(2);
    clickTile(3);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "You have Won in 7 moves");
}

TEST_F(SaveAndOpen, AGameOfAnotherSizeResizesTheWindowAndLeavesTheCheckMarks)
{
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(5);
    const int wide = window->canvas->width();
    put(path("small.vts"), workedExample);
    open(path("small.vts"));
    EXPECT_LT(window->canvas->width(), wide);
    EXPECT_EQ(window->canvas->width(), 194);
    EXPECT_TRUE(window->mnuBoardWidth[5]->isChecked());
    EXPECT_FALSE(window->mnuBoardWidth[0]->isChecked());
}

TEST_F(SaveAndOpen, AGameOpenedBehindTheCustomPanelIsBroughtIntoView)
{
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(6);
    put(path("example.vts"), workedExample);
    open(path("example.vts"));
    EXPECT_FALSE(window->CustomFrame->isVisible());
    EXPECT_TRUE(window->GameFrame->isVisible());
    EXPECT_TRUE(window->mnuBoardWidth[6]->isChecked());
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
    prompts.answers.push_back(MsgBox::AnswerNo);
    save(path("game"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("game.vts\" already exists"), std::string::npos);
    EXPECT_EQ(contents(path("game.vts")), "old");

    prompts.answers.push_back(MsgBox::AnswerYes);
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

TEST_F(SaveAndOpen, FilesThatFailAreRefusedWithTheGameUntouched)
{
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(6); // the panel shows and the check is on Custom...
    clickTile(0);
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
    int expected = 1;
    for (const Bad& b : bad) {
        put(path("bad.vts"), b.bytes);
        open(path("bad.vts"));
        ASSERT_EQ(prompts.messages.size(), static_cast<std::size_t>(++expected)) << b.says;
        const auto& message = prompts.messages.back();
        EXPECT_EQ(message.title, "Vantirelle");
        EXPECT_NE(message.text.find(path("bad.vts").toStdString()), std::string::npos) << message.text;
        EXPECT_NE(message.text.find(b.says), std::string::npos) << message.text;
        EXPECT_EQ(snapshot(), before) << b.says;
    }

    open(path("no such file.vts"));
    EXPECT_EQ(prompts.messages.size(), static_cast<std::size_t>(++expected));
    open(dir.path()); // a folder
    EXPECT_EQ(prompts.messages.size(), static_cast<std::size_t>(++expected));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveAndOpen, FailedSavesKeepTheEarlierFileAndTellThePlayer)
{
    put(path("kept.vts"), "earlier");

    save(path("missing folder/game.vts"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("was not saved"), std::string::npos);

    // /proc takes no new files, even from root
    save("/proc/vantirelle-test.vts");
    ASSERT_EQ(prompts.messages.size(), 2u);

    // a full device is written in place, not replaced, and the failure is reported
    ASSERT_TRUE(QFile::link("/dev/full", path("full.vts")));
    save(path("full.vts"));
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_NE(prompts.messages[2].text.find("was not saved"), std::string::npos);
    EXPECT_FALSE(QFileInfo(path("full.vts")).isFile()) << "the link still leads to the device";
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());

    // a disk that fills up halfway through: the earlier file stays whole
    prompts.answers.push_back(MsgBox::AnswerYes);
    window->mnuBoardWidth_Click(5);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    save(path("kept.vts"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(prompts.messages.size(), 5u);
    EXPECT_NE(prompts.messages[4].text.find("was not saved"), std::string::npos);
    EXPECT_EQ(contents(path("kept.vts")), "earlier");
}

TEST_F(SaveAndOpen, CtrlSAndCtrlOReachTheCommandsFromAnywhereInTheWindow)
{
    activate();
    view().setFocus();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, "Save Game");
    EXPECT_EQ(dialogs.shown[1].title, "Open Saved Game");
}

#include "gui_support.h"
#include "savegame/writefile.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

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
        window->saveGame();
    }

    void open(const QString& chosen)
    {
        dialogs.answers.push_back(chosen);
        window->openGame();
    }

    QString lastMessage() const { return prompts.messages.empty() ? QString() : prompts.messages.back().text; }

    // Everything a failed open must leave alone.
    struct Snapshot {
        std::vector<std::string> captions;
        int moves, width, height;
        QString label, frame;
        bool panel;
        std::vector<bool> checks;
        QSize client;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const
    {
        return {captions(),
                board().moves(),
                board().width(),
                board().height(),
                child<QLabel>("movesLabel")->text(),
                child<QGroupBox>("frame")->title(),
                child("customPanel")->isVisible(),
                checks(),
                window->centralWidget()->size()};
    }
};

} // namespace

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
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vts")).constData(), 0600), 0);
    open(path("pipe.vts"));
    EXPECT_TRUE(lastMessage().contains("It is a named pipe")) << lastMessage().toStdString();
    open("/dev/zero");
    EXPECT_TRUE(lastMessage().contains("It is a character device")) << lastMessage().toStdString();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveAndOpen, SavesThatFailKeepTheEarlierFileAndSayWhy)
{
    put(path("kept.vts"), "earlier");

    save(path("missing folder/game.vts"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(lastMessage().contains("was not saved"));
    EXPECT_TRUE(lastMessage().contains("No such file or directory")) << lastMessage().toStdString();

    // /proc takes no new files, even from root
    save("/proc/vantirelle-test.vts");
    ASSERT_EQ(prompts.messages.size(), 2u);

    // a disk that fills up halfway through: the earlier file stays whole
    prompts.answers.push_back(QMessageBox::Yes);
    window->chooseBoardSize(5);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    save(path("kept.vts"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(prompts.messages.size(), 4u);
    EXPECT_TRUE(lastMessage().contains("File too large")) << lastMessage().toStdString();
    EXPECT_EQ(contents(path("kept.vts")), "earlier");
}

TEST_F(SaveAndOpen, PipesDevicesAndDanglingLinksAreRefusedAndLeftUntouched)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vts")).constData(), 0600), 0);
    // A device of the test's own (the one /dev/full is), so a fault cannot touch the system's.
    const bool device = ::mknod(QFile::encodeName(path("full")).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    ASSERT_TRUE(QFile::link(device ? path("full") : QStringLiteral("/dev/full"), path("device.vts")));
    ASSERT_TRUE(QFile::link(path("nowhere/game.vts"), path("dangling.vts")));
    ASSERT_TRUE(QFile::link(path("absent.vts"), path("absent-link.vts")));

    const Board game = board();
    struct Case {
        const char* name;
        const char* says;
    };
    for (const Case& c : {Case{"pipe.vts", "It is a named pipe"}, Case{"device.vts", "It is a character device"},
                          Case{"dangling.vts", "which does not exist"}, Case{"absent-link.vts", "which does not exist"}}) {
        if (!device && QLatin1String(c.name) == QLatin1String("device.vts") && ::geteuid() == 0)
            continue; // root without mknod: never aim a save at the system's own device
        auto writing = std::async(std::launch::async, [&] { return writeGameFile(path(c.name), game); });
        const bool answered = writing.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
        if (!answered) {
            // Let the stuck writer go: a reader comes and goes.
            const int reader = ::open(QFile::encodeName(path(c.name)).constData(), O_RDONLY | O_NONBLOCK);
            if (reader >= 0)
                ::close(reader);
        }
        const QString failure = writing.get();
        EXPECT_TRUE(answered) << c.name << " kept the save waiting";
        EXPECT_TRUE(failure.contains(c.says)) << c.name << ": " << failure.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path("absent.vts"))) << "nothing is created through a dangling link";
    EXPECT_TRUE(QFileInfo(path("absent-link.vts")).isSymLink());
    EXPECT_FALSE(QFileInfo(path("device.vts")).isFile()) << "the device is still a device";

    // through the command, with the name in the message
    save(path("pipe.vts"));
    EXPECT_TRUE(lastMessage().contains("was not saved to \"" + path("pipe.vts")));
}

TEST_F(SaveAndOpen, ALinkToAFileIsFollowedAndKept)
{
    put(path("real.vts"), QByteArray(100, 'x'));
    ASSERT_TRUE(QFile::link(path("real.vts"), path("link.vts")));
    save(path("link.vts"));
    EXPECT_TRUE(prompts.messages.empty()) << lastMessage().toStdString();
    EXPECT_TRUE(QFileInfo(path("link.vts")).isSymLink()) << "the link stays a link";
    EXPECT_EQ(contents(path("real.vts")).size(), 32);
}

TEST_F(SaveAndOpen, AFolderThatTakesNoNewFilesStillLetsItsFileBeWritten)
{
    // As a user who may write game.vts but not create files beside it. Root may create
    // anything, so the save runs in a child that gives up root.
    const QString folder = path("closed");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString file = folder + "/game.vts";
    put(file, QByteArray(80, 'x'));
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const Board game = board();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const QString failure = writeGameFile(file, game);
        _exit(failure.isEmpty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save failed";
    EXPECT_EQ(contents(file).size(), 32) << "written in place and cut to the new game's length";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"game.vts"});
}

TEST_F(SaveAndOpen, ADiskThatFillsUpPartWayIsReportedByItsCause)
{
    // A tiny file system of its own, in a mount namespace of the child's own.
    const QString folder = path("tiny");
    ASSERT_TRUE(QDir().mkdir(folder));
    window->newGame(181, 181);
    const Board game = board();
    int pipes[2];
    ASSERT_EQ(::pipe(pipes), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipes[0]);
        if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            _exit(3);
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=16k") != 0)
            _exit(3);
        const QByteArray failure = writeGameFile(folder + "/big.vts", game).toUtf8();
        const ssize_t written = ::write(pipes[1], failure.constData(), static_cast<std::size_t>(failure.size()));
        _exit(written == failure.size() ? 0 : 1);
    }
    ::close(pipes[1]);
    QByteArray failure;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipes[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, n);
    ::close(pipes[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "this machine lets no test mount a file system";
    EXPECT_TRUE(failure.contains("No space left on device")) << failure.toStdString();
    EXPECT_TRUE(QDir(folder).isEmpty()) << "nothing is left behind";
}

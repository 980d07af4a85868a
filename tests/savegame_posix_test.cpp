// Save and Open against what only POSIX systems have: named pipes, devices, symbolic
// links, permissions that bind, file size limits and mount namespaces.
#include "savegame/writefile.h"
#include "savegame_fixture.h"

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

TEST_F(SaveAndOpen, PipesAndDevicesAreRefusedByNameWithTheGameUntouched)
{
    const auto before = snapshot();
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vts")).constData(), 0600), 0);
    open(path("pipe.vts"));
    EXPECT_TRUE(lastMessage().contains("It is a named pipe")) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(path("pipe.vts")));
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

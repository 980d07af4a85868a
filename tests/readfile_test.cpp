// The reading of saved games from disk: what Open refuses at once, and what it reads whole.
#include "savegame/gamefile.h"
#include "savegame/readfile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace vantirelle;
namespace fs = std::filesystem;

namespace {

struct ReadFile : ::testing::Test {
    fs::path dir;

    void SetUp() override
    {
        char pattern[] = "/tmp/vantirelle-read-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path put(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
};

// A figure of this process from /proc/self/status, in kilobytes.
long residentKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(field.size()));
    }
    return -1;
}

// The largest board with every caption as long as a file may make it.
Board largestGame(char fill)
{
    std::vector<std::string> captions(682 * 48, std::string(MaximumCaptionBytes, fill));
    captions.back().clear();
    return Board(682, 48, std::move(captions), 32767);
}

} // namespace

TEST_F(ReadFile, ARegularFileIsReadWholeAndBytesPastTheLargestGameAreNotRead)
{
    const Board game(2, 2, {"3", "1", "", "2"}, 9);
    std::vector<std::uint8_t> bytes = encodeGame(game);
    const OpenedGame opened = readGameFile(put("game.vts", bytes));
    ASSERT_TRUE(opened.board) << opened.error;
    EXPECT_EQ(*opened.board, game);

    bytes.resize(LargestGameBytes + 1000, 0xEE);
    const FileBytes read = readRegularFile(put("long.vts", bytes), LargestGameBytes);
    EXPECT_EQ(read.bytes.size(), LargestGameBytes);
    EXPECT_TRUE(readGameFile(dir / "long.vts").board) << "trailing bytes are ignored";
}

TEST_F(ReadFile, ANamedPipeIsRefusedAtOnceWithoutWaitingForAWriter)
{
    const fs::path fifo = dir / "pipe.vts";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return readGameFile(fifo); });
    const bool answered = reading.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    if (!answered) {
        // Release the stuck reader so the test can end: a writer comes and goes.
        const int writer = ::open(fifo.c_str(), O_WRONLY);
        if (writer >= 0)
            ::close(writer);
    }
    const OpenedGame opened = reading.get();
    EXPECT_TRUE(answered) << "opening a named pipe waited for a writer";
    EXPECT_FALSE(opened.board);
    EXPECT_NE(opened.error.find("It is a named pipe"), std::string::npos) << opened.error;
}

TEST_F(ReadFile, DevicesAndFoldersAreRefusedByKind)
{
    struct Case {
        fs::path path;
        const char* kind;
    };
    for (const Case& c : {Case{"/dev/zero", "a character device"}, Case{"/dev/urandom", "a character device"},
                          Case{"/dev/null", "a character device"}, Case{dir, "a folder"}}) {
        const auto started = std::chrono::steady_clock::now();
        const OpenedGame opened = readGameFile(c.path);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100)) << c.path;
        EXPECT_FALSE(opened.board);
        EXPECT_NE(opened.error.find(c.kind), std::string::npos) << opened.error;
    }
    EXPECT_NE(readGameFile(dir / "missing.vts").error.find("No such file"), std::string::npos);
}

TEST_F(ReadFile, ALinkToAGameOpensTheGame)
{
    const Board game(1, 2, {"", "1"});
    const fs::path file = put("real.vts", encodeGame(game));
    fs::create_symlink(file, dir / "link.vts");
    const OpenedGame opened = readGameFile(dir / "link.vts");
    ASSERT_TRUE(opened.board) << opened.error;
    EXPECT_EQ(*opened.board, game);
}

TEST_F(ReadFile, AFileRewrittenWhileItIsReadIsReadWholeOrRefusedNeverHalf)
{
    // Two games of the same size take turns in one file, rewritten in place; a reader that
    // mixed their halves, or touched a page past a shrinking end, would show it.
    const std::vector<std::uint8_t> first = encodeGame(largestGame('a'));
    const std::vector<std::uint8_t> second = encodeGame(largestGame('b'));
    const fs::path path = put("busy.vts", first);
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        for (int turn = 0; !stop; ++turn) {
            const auto& bytes = turn % 2 == 0 ? second : first;
            const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
            std::size_t done = 0;
            while (fd >= 0 && done < bytes.size()) {
                const ssize_t n = ::write(fd, bytes.data() + done, std::min<std::size_t>(bytes.size() - done, 1 << 20));
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            if (fd >= 0)
                ::close(fd);
        }
    });
    int whole = 0;
    int refused = 0;
    for (int read = 0; read < 60; ++read) {
        const OpenedGame opened = readGameFile(path);
        if (!opened.board) {
            ++refused;
            continue;
        }
        const std::vector<std::uint8_t> again = encodeGame(*opened.board);
        ASSERT_TRUE(again == first || again == second) << "read " << read << " mixed two versions of the file";
        ++whole;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(whole + refused, 60);
}

TEST_F(ReadFile, ACraftedGiantFileIsRefusedQuickly)
{
    // 682 x 48 records of 65,535 bytes each: 2.1 GB apparent, almost nothing on disk.
    const fs::path path = dir / "giant.vts";
    {
        std::vector<std::uint8_t> start = {0xAA, 0x02, 0x30, 0x00, 0x00, 0x00, 0xFF, 0xFF};
        put("giant.vts", start);
        fs::resize_file(path, 6 + 32736ull * (2 + 65535));
    }
    const auto started = std::chrono::steady_clock::now();
    const OpenedGame opened = readGameFile(path);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_FALSE(opened.board);
    EXPECT_NE(opened.error.find("at most 255 bytes"), std::string::npos) << opened.error;
}

TEST_F(ReadFile, TheLargestGameAFileCanHoldOpensInASecondAndUnderSixtyFourMegabytes)
{
    const fs::path path = put("largest.vts", encodeGame(largestGame('z')));
    ASSERT_EQ(fs::file_size(path), 6 + 32736 * (2 + MaximumCaptionBytes) - MaximumCaptionBytes);
    std::fflush(nullptr);
    // Measured in a child of its own, so the peak belongs to this read alone.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Hand memory this process freed back to the system and restart the peak, so
        // that what the read needs shows as growth.
        malloc_trim(0);
        const long before = residentKb("VmRSS:");
        std::ofstream("/proc/self/clear_refs") << "5";
        const auto started = std::chrono::steady_clock::now();
        const OpenedGame opened = readGameFile(path);
        const auto took = std::chrono::steady_clock::now() - started;
        const long grewKb = residentKb("VmHWM:") - before;
        const bool ok = opened.board && opened.board->places() == 32736 && took < std::chrono::seconds(1)
                        && grewKb < 64 * 1024;
        std::fprintf(stderr, "largest game: %s, %lld ms, peak +%ld KB\n", opened.board ? "opened" : "refused",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                     grewKb);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

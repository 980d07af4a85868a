// vantirelle-solve, run as players and scripts run it.
#include "board/boardtext.h"
#include "savegame/gamefile.h"
#include "solver/puzzle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace vantirelle;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
};

// Runs vantirelle-solve with arguments already quoted for the shell; `err` keeps its standard error.
Outcome solveWith(const std::string& arguments, std::string* err = nullptr)
{
    const fs::path errors = fs::temp_directory_path() / "vantirelle-solve-errors.txt";
    const std::string command = std::string(VANTIRELLE_SOLVE) + " " + arguments + " 2>'" + errors.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    Outcome run{-1, {}};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (err) {
        std::ifstream in(errors);
        err->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return run;
}

Outcome solveFile(const fs::path& file)
{
    return solveWith("'" + file.string() + "'");
}

fs::path write(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const fs::path path = fs::temp_directory_path() / ("vantirelle-solve-" + name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

fs::path game(const std::string& name, int width, int height, const std::vector<std::string>& captions, int moves = 0)
{
    return write(name, encodeGame(Board(width, height, captions, moves)));
}

} // namespace

TEST(SolveCommand, PrintsTheShortestSolutionAsTheCaptionsToClick)
{
    // 1 2 3 / 4 _ 6 / 7 5 8: the 5 up, then the 8 left.
    const Outcome run = solveFile(game("example.vts", 3, 3, {"1", "2", "3", "4", "", "6", "7", "5", "8"}, 12));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "optimal 2\n5 8\n");
}

TEST(SolveCommand, ABoardInOrderNeedsNoMoves)
{
    const Outcome run = solveFile(game("solved.vts", 2, 2, {"1", "2", "3", ""}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "optimal 0\n\n");
}

TEST(SolveCommand, LargeBoardsGetASolutionThatReachesHome)
{
    std::vector<std::string> captions;
    for (int i = 1; i < 36; ++i)
        captions.push_back(std::to_string(i));
    captions.push_back("");
    std::swap(captions[34], captions[35]); // the blank one step from home
    std::swap(captions[0], captions[1]);
    std::swap(captions[2], captions[3]); // two exchanges keep it solvable
    const Outcome run = solveFile(game("large.vts", 6, 6, captions));
    ASSERT_EQ(run.status, 0);
    std::istringstream lines(run.out);
    std::string word;
    std::size_t count = 0;
    lines >> word >> count;
    EXPECT_EQ(word, "moves");
    Puzzle puzzle{6, 6, {}};
    for (const std::string& caption : captions)
        puzzle.tiles.push_back(static_cast<std::int16_t>(caption.empty() ? 0 : std::stoi(caption)));
    std::size_t moves = 0;
    for (int tile; lines >> tile; ++moves)
        puzzle.move(tile);
    EXPECT_EQ(moves, count);
    EXPECT_TRUE(puzzle.isGoal());
}

TEST(SolveCommand, UnsolvableDamagedAndNonStandardBoardsAreToldApart)
{
    Outcome run = solveFile(game("swapped.vts", 3, 3, {"2", "1", "3", "4", "5", "6", "7", "8", ""}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "unsolvable\n");

    run = solveFile(write("damaged.vts", {0x03, 0x00, 0x03}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");

    run = solveFile(game("letters.vts", 2, 2, {"a", "b", "c", ""}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");

    run = solveFile(fs::temp_directory_path() / "vantirelle-solve-no-such-file.vts");
    EXPECT_EQ(run.status, 2);
}

TEST(SolveCommand, BoardsAsTextAndSolutionsAsLetters)
{
    struct Case {
        std::string arguments;
        int status;
        std::string out;
    };
    for (const Case& c : std::vector<Case>{
             {"--board '1 2 3/4 0 5/7 8 6'", 0, "optimal 2\n5 6\n"},
             {"--letters --board '1 2 3/4 0 5/7 8 6'", 0, "optimal 2\nLU\n"}, // the 5 left, the 6 up
             {"--board '1 2 3/4 5 6/0 7 8' --letters", 0, "optimal 2\nL2\n"}, // two lefts in a row
             {"--board '2 1 3/4 5 6/7 8 0'", 1, "unsolvable\n"},
             {"--board '1 2 3/4 5 6/7 8 0'", 0, "optimal 0\n\n"},
         }) {
        const Outcome run = solveWith(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
    }
    // A text that is no board: status 2 and what Paste Board says of it.
    std::string err;
    const Outcome run = solveWith("--board '1 2 3/4 5'", &err);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(err, "Row 2 has 2 tiles, row 1 has 3.\n\n" + std::string(BoardTextFormat) + "\n");
    EXPECT_EQ(solveWith("--board").status, 2) << "no text";
    EXPECT_EQ(solveWith("--board '1 0' file.vts").status, 2) << "a text and a file";
}

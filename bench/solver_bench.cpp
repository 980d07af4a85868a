// Figures for the solver: the 4 x 4 tables, optimal 4 x 4 and 3 x 3 solutions, and the
// constructive solver on the largest boards. Times are wall-clock on one core; compare
// ratios rather than absolute times on a shared machine.
#include "solver/constructive.h"
#include "solver/optimal.h"
#include "solver/solver.h"

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <random>
#include <string>

using namespace vantirelle;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The peak resident size of this process in kilobytes, where the system tells it.
long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// Random solvable boards: uniformly shuffled places, the unsolvable half thrown back.
Puzzle randomPuzzle(int width, int height, std::mt19937& random)
{
    Puzzle puzzle{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        puzzle.tiles.push_back(static_cast<std::int16_t>(i));
    do {
        std::shuffle(puzzle.tiles.begin(), puzzle.tiles.end(), random);
    } while (!isSolvable(puzzle));
    return puzzle;
}

void fourByFour()
{
    const long before = residentKb();
    auto start = Clock::now();
    const PatternDatabases& tables = patternDatabases(4, 4);
    const double build = millisecondsSince(start);
    std::printf("4x4 pattern databases (5-5-5): built in %.0f ms, %.1f MB of tables, peak resident +%.1f MB\n", build,
                static_cast<double>(tables.bytes()) / 1e6, static_cast<double>(residentKb() - before) / 1e3);

    std::mt19937 random(std::getenv("SEED") ? std::stoul(std::getenv("SEED")) : 20261208);
    std::vector<double> times;
    std::vector<std::size_t> lengths;
    for (int board = 0; board < 100; ++board) {
        const Puzzle puzzle = randomPuzzle(4, 4, random);
        start = Clock::now();
        const auto moves = solveOptimally(puzzle);
        times.push_back(millisecondsSince(start));
        lengths.push_back(moves ? moves->size() : 0);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("4x4, 100 random solvable boards: median %.1f ms, mean %.1f ms, slowest %.0f ms; solutions %zu to %zu "
                "moves, mean %.1f\n",
                (sorted[49] + sorted[50]) / 2, std::accumulate(times.begin(), times.end(), 0.0) / 100, sorted.back(),
                *std::min_element(lengths.begin(), lengths.end()), *std::max_element(lengths.begin(), lengths.end()),
                static_cast<double>(std::accumulate(lengths.begin(), lengths.end(), std::size_t{0})) / 100);
}

void threeByThree()
{
    // Every solvable arrangement of 3 x 3.
    Puzzle puzzle{3, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8}};
    const auto start = Clock::now();
    std::size_t boards = 0;
    std::size_t moves = 0;
    do {
        if (!isSolvable(puzzle))
            continue;
        moves += solveOptimally(puzzle)->size();
        ++boards;
    } while (std::next_permutation(puzzle.tiles.begin(), puzzle.tiles.end()));
    std::printf("3x3, all %zu solvable boards solved optimally in %.2f s (mean %.2f moves)\n", boards,
                millisecondsSince(start) / 1000, static_cast<double>(moves) / static_cast<double>(boards));
}

void largeBoards()
{
    std::mt19937 random(181);
    for (const auto& [width, height] : {std::pair{181, 181}, std::pair{682, 48}}) {
        const Puzzle puzzle = randomPuzzle(width, height, random);
        const auto start = Clock::now();
        ConstructiveSolver solver(puzzle);
        const auto first = solver.next();
        std::printf("%dx%d: the next move of a whole plan in %.2f ms (tile %d)\n", width, height,
                    millisecondsSince(start), first ? *first : -1);
    }
    for (const int side : {10, 30, 100}) {
        const Puzzle puzzle = randomPuzzle(side, side, random);
        const auto start = Clock::now();
        const Solution solution = solve(puzzle);
        const double n = side * side;
        std::printf("%dx%d: a whole solution of %zu moves in %.0f ms (moves / n^1.5 = %.2f)\n", side, side,
                    solution.moves.size(), millisecondsSince(start),
                    static_cast<double>(solution.moves.size()) / (n * std::sqrt(n)));
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "4x4")
        fourByFour();
    if (only.empty() || only == "3x3")
        threeByThree();
    if (only.empty() || only == "large")
        largeBoards();
    return 0;
}

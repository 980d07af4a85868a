// Figures for the solver: how short its solutions are against published boards and their
// best known lengths, and how long it takes, on one core. Times are wall-clock; compare
// ratios rather than absolute times on a shared machine.
//
//   vantirelle_solver_bench [--every N] [4x4|3x3|search|random|optimum|command|large]
//
// --every N measures every Nth board of each published set (all of them by default).
#include "board/board.h"
#include "savegame/gamefile.h"
#include "solver/constructive.h"
#include "solver/optimal.h"
#include "solver/solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <sstream>
#include <string>

using namespace vantirelle;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The peak resident size of this process in megabytes, where the system tells it.
double peakResidentMb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

struct Times {
    std::vector<double> ms;
    void add(double t) { ms.push_back(t); }
    double median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
    // The time that `share` (0 to 1) of the runs took at most.
    double percentile(double share) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const auto at = static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size()))) - 1;
        return sorted[std::min(at, sorted.size() - 1)];
    }
    std::size_t over(double limit) const
    {
        return static_cast<std::size_t>(std::count_if(ms.begin(), ms.end(), [limit](double t) { return t > limit; }));
    }
    double mean() const { return ms.empty() ? 0 : std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size()); }
};

struct Published {
    int optimal;   // -1 where not known
    int deepCubeA; // the length DeepCubeA found
    Puzzle puzzle;
};

std::vector<Published> readSet(const std::string& name)
{
    std::ifstream in(std::string(VANTIRELLE_BENCH_DATA) + "/" + name);
    if (!in) {
        std::fprintf(stderr, "cannot read %s/%s\n", VANTIRELLE_BENCH_DATA, name.c_str());
        std::exit(1);
    }
    std::vector<Published> set;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int index = 0;
        int manhattan = 0;
        Published board{};
        fields >> index >> board.optimal >> board.deepCubeA >> manhattan;
        for (int tile; fields >> tile;)
            board.puzzle.tiles.push_back(static_cast<std::int16_t>(tile));
        const int side = static_cast<int>(std::lround(std::sqrt(board.puzzle.tiles.size())));
        board.puzzle.width = board.puzzle.height = side;
        set.push_back(std::move(board));
    }
    return set;
}

int manhattan(const Puzzle& p)
{
    int sum = 0;
    for (int place = 0; place < p.places(); ++place) {
        const int tile = p.tiles[static_cast<std::size_t>(place)];
        if (tile != 0)
            sum += std::abs((tile - 1) / p.width - place / p.width) + std::abs((tile - 1) % p.width - place % p.width);
    }
    return sum;
}

bool reachesGoal(Puzzle p, const std::vector<std::int16_t>& moves)
{
    for (const std::int16_t tile : moves)
        p.move(tile);
    return p.isGoal();
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

void fourByFour(std::size_t every)
{
    auto start = Clock::now();
    const PatternDatabases& carried = patternDatabases(4, 4);
    const double unpack = millisecondsSince(start);
    start = Clock::now();
    const PatternDatabases built(4, 4);
    const double build = millisecondsSince(start);
    std::printf("4x4 pattern databases (5-5-5, %.1f MB): carried ones unpacked in %.1f ms; built afresh in %.0f ms; "
                "%s\n",
                static_cast<double>(carried.bytes()) / 1e6, unpack, build,
                carried.packed() == built.packed() ? "the same tables" : "DIFFERENT TABLES");

    const std::vector<Published> set = readSet("deepcubea-15.txt");
    Times times;
    int differ = 0;
    int solved = 0;
    for (std::size_t i = 0; i < set.size(); i += every) {
        start = Clock::now();
        const Solution solution = solve(set[i].puzzle);
        times.add(millisecondsSince(start));
        if (!solution.optimal || static_cast<int>(solution.moves.size()) != set[i].optimal
            || !reachesGoal(set[i].puzzle, solution.moves))
            ++differ;
        ++solved;
    }
    std::printf("4x4, %d published boards: %d of them not at their published optimal length; median %.1f ms, mean %.1f ms, "
                "90%% within %.0f ms, 99%% within %.0f ms, slowest %.0f ms; %zu over 150 ms\n",
                solved, differ, times.median(), times.mean(), times.percentile(0.9), times.percentile(0.99),
                times.worst(), times.over(150));
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

struct Measured {
    double length = 0;    // mean solution length
    double reference = 0; // mean reference length
    int boards = 0;
    int wrong = 0;
    Times times;
};

// As vantirelle-solve searches: its budget and its deadline.
std::vector<std::int16_t> solveAsTheCommandDoes(const Puzzle& puzzle)
{
    SearchBudget budget;
    budget.deadline = Clock::now() + CommandLineDeadline;
    return solve(puzzle, budget).moves;
}

Measured measure(const std::vector<Puzzle>& boards, const std::vector<double>& references,
                 const std::function<std::vector<std::int16_t>(const Puzzle&)>& solveOne = solveAsTheCommandDoes)
{
    Measured m;
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const auto start = Clock::now();
        const std::vector<std::int16_t> moves = solveOne(boards[i]);
        m.times.add(millisecondsSince(start));
        if (!reachesGoal(boards[i], moves))
            ++m.wrong;
        m.length += static_cast<double>(moves.size());
        m.reference += references[i];
        ++m.boards;
    }
    m.length /= m.boards;
    m.reference /= m.boards;
    return m;
}

void printHeader()
{
    std::printf("| Boards | Count | Reference, mean | Mean length | Against it | Median time | Slowest |\n");
    std::printf("|---|---:|---|---:|---:|---:|---:|\n");
}

void printRow(const char* what, const char* reference, const Measured& m)
{
    std::printf("| %s | %d | %s %.2f | %.2f | %.3fx | %.2f s | %.2f s |%s\n", what, m.boards, reference, m.reference,
                m.length, m.length / m.reference, m.times.median() / 1000, m.times.worst() / 1000,
                m.wrong ? " SOME SOLUTIONS WRONG" : "");
}

void searched(std::size_t every)
{
    printHeader();
    for (const auto& [file, side] : {std::pair{"deepcubea-24.txt", 5}, std::pair{"deepcubea-35.txt", 6},
                                     std::pair{"deepcubea-48.txt", 7}}) {
        const std::vector<Published> set = readSet(file);
        std::vector<Puzzle> boards;
        std::vector<double> optimal;
        std::vector<double> deepCubeA;
        for (std::size_t i = 0; i < set.size(); i += every) {
            boards.push_back(set[i].puzzle);
            optimal.push_back(set[i].optimal);
            deepCubeA.push_back(set[i].deepCubeA);
        }
        const Measured m = measure(boards, side == 5 ? optimal : deepCubeA);
        const std::string what = std::to_string(side) + "x" + std::to_string(side) + ", " + file;
        printRow(what.c_str(), side == 5 ? "optimal" : "DeepCubeA", m);
    }
    std::printf("peak resident size so far: %.0f MB\n", peakResidentMb());
}

// Every Nth of `count` uniformly random solvable boards, with their Manhattan distances.
struct RandomSet {
    std::vector<Puzzle> boards;
    std::vector<double> distances;
};

RandomSet randomSet(int width, int height, int count, std::size_t every, std::mt19937& random)
{
    RandomSet set;
    for (int i = 0; i < count; ++i) {
        Puzzle p = randomPuzzle(width, height, random);
        if (static_cast<std::size_t>(i) % every != 0)
            continue;
        set.distances.push_back(manhattan(p));
        set.boards.push_back(std::move(p));
    }
    return set;
}

void random(std::size_t every)
{
    printHeader();
    std::mt19937 random(20261209);
    for (const auto& [width, height, count] :
         {std::tuple{8, 8, 50}, std::tuple{5, 4, 50}, std::tuple{6, 5, 50}, std::tuple{7, 6, 30}, std::tuple{9, 9, 20},
          std::tuple{10, 10, 20}, std::tuple{2, 9, 30}, std::tuple{10, 2, 30}, std::tuple{3, 11, 30},
          std::tuple{12, 8, 20}, std::tuple{14, 7, 20}, std::tuple{3, 6, 20}, std::tuple{3, 8, 20}}) {
        const RandomSet set = randomSet(width, height, count, every, random);
        const std::string what = std::to_string(width) + "x" + std::to_string(height) + ", uniformly random";
        printRow(what.c_str(), "Manhattan distance", measure(set.boards, set.distances));
    }
    std::printf("peak resident size so far: %.0f MB\n", peakResidentMb());
}

// Random boards small enough to solve by the shortest way: how far the shortest solutions
// themselves lie above the Manhattan distance, the lower bound the larger random boards are
// measured against (narrow boards lie far above it, since their tiles can hardly pass each
// other; boards three wide less far the longer they are, boards two wide about as far), and
// how close the near-shortest search, which the game uses from 17 places, comes to them.
void optimum(std::size_t every)
{
    printHeader();
    std::mt19937 random(20261211);
    for (const auto& [width, height, count] : {std::tuple{2, 8, 40}, std::tuple{3, 5, 100}, std::tuple{4, 4, 100},
                                               std::tuple{3, 3, 100}, std::tuple{3, 4, 100}, std::tuple{2, 6, 100}}) {
        const RandomSet set = randomSet(width, height, count, every, random);
        const std::string what = std::to_string(width) + "x" + std::to_string(height) + ", uniformly random";
        std::vector<double> shortest;
        printRow((what + ", shortest").c_str(), "Manhattan distance",
                 measure(set.boards, set.distances, [&shortest](const Puzzle& p) {
                     std::vector<std::int16_t> moves = solveOptimally(p).value_or(std::vector<std::int16_t>{});
                     shortest.push_back(static_cast<double>(moves.size()));
                     return moves;
                 }));
        printRow((what + ", near-shortest search").c_str(), "shortest",
                 measure(set.boards, shortest, [](const Puzzle& p) {
                     SearchBudget budget;
                     budget.deadline = Clock::now() + CommandLineDeadline;
                     return solveNearShortest(p, budget).value_or(std::vector<std::int16_t>{});
                 }));
    }
}

// vantirelle-solve as a player runs it: process start-up, reading the file and all.
void command(std::size_t every)
{
    const auto folder = std::filesystem::temp_directory_path() / "vantirelle-solver-bench";
    std::filesystem::create_directories(folder);
    for (const auto& [file, side] : {std::pair{"deepcubea-15.txt", 4}, std::pair{"deepcubea-24.txt", 5},
                                     std::pair{"deepcubea-35.txt", 6}, std::pair{"deepcubea-48.txt", 7}}) {
        const std::vector<Published> set = readSet(file);
        Times times;
        for (std::size_t i = 0; i < set.size() && i < 40 * every; i += every) {
            std::vector<std::string> captions;
            for (const std::int16_t tile : set[i].puzzle.tiles)
                captions.push_back(tile == 0 ? std::string() : std::to_string(tile));
            const std::vector<std::uint8_t> bytes = encodeGame(Board(side, side, captions));
            const auto path = folder / "board.vts";
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            const std::string run = std::string(VANTIRELLE_SOLVE) + " '" + path.string() + "' > /dev/null";
            const auto start = Clock::now();
            if (std::system(run.c_str()) != 0)
                std::printf("vantirelle-solve failed on %s board %zu\n", file, i);
            times.add(millisecondsSince(start));
        }
        std::printf("vantirelle-solve on %zu %dx%d boards: median %.0f ms, slowest %.0f ms\n", times.ms.size(), side,
                    side, times.median(), times.worst());
    }
    // Uniformly random boards, the narrow and the long ones included, given as text.
    std::mt19937 random(20261210);
    for (const auto& [width, height] : {std::pair{8, 8}, std::pair{10, 10}, std::pair{2, 9}, std::pair{10, 2},
                                        std::pair{16, 4}, std::pair{3, 16}, std::pair{16, 5}, std::pair{14, 7},
                                        std::pair{6, 15}}) {
        Times times;
        for (std::size_t i = 0; i < 20; i += every) {
            const Puzzle puzzle = randomPuzzle(width, height, random);
            std::string text;
            for (int place = 0; place < puzzle.places(); ++place) {
                text += place == 0 ? "" : place % width == 0 ? "/" : " ";
                text += std::to_string(puzzle.tiles[static_cast<std::size_t>(place)]);
            }
            const std::string run = std::string(VANTIRELLE_SOLVE) + " --board '" + text + "' > /dev/null";
            const auto start = Clock::now();
            if (std::system(run.c_str()) != 0)
                std::printf("vantirelle-solve failed on a %dx%d board\n", width, height);
            times.add(millisecondsSince(start));
        }
        std::printf("vantirelle-solve on %zu random %dx%d boards: median %.0f ms, slowest %.0f ms\n", times.ms.size(),
                    width, height, times.median(), times.worst());
    }
    std::filesystem::remove_all(folder);
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
    for (const int side : {11, 30, 100}) {
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
    std::size_t every = 1;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--every" && i + 1 < argc)
            every = std::max(1, std::atoi(argv[++i]));
        else
            only = arg;
    }
    if (only.empty() || only == "4x4")
        fourByFour(every);
    if (only.empty() || only == "3x3")
        threeByThree();
    if (only.empty() || only == "search")
        searched(every);
    if (only.empty() || only == "random")
        random(every);
    if (only.empty() || only == "optimum")
        optimum(every);
    if (only.empty() || only == "command")
        command(every);
    if (only.empty() || only == "large")
        largeBoards();
    return 0;
}

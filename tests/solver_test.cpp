#include "board/board.h"
#include "solver/constructive.h"
#include "solver/optimal.h"
#include "solver/beam.h"
#include "solver/between.h"
#include "solver/estimate.h"
#include "solver/knots.h"
#include "solver/lowest.h"
#include "solver/shortcuts.h"
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <thread>
#include <unordered_map>

using namespace vantirelle;

namespace {

Puzzle puzzle(int width, int height, std::vector<std::int16_t> tiles)
{
    return Puzzle{width, height, std::move(tiles)};
}

Puzzle randomSolvable(int width, int height, std::mt19937& random)
{
    Puzzle p = Puzzle::goal(width, height);
    do {
        std::shuffle(p.tiles.begin(), p.tiles.end(), random);
    } while (!isSolvable(p));
    return p;
}

// A position some random slides away from the goal, never straight back.
Puzzle walkedFromGoal(int width, int height, int steps, std::mt19937& random)
{
    Puzzle p = Puzzle::goal(width, height);
    int previous = -1;
    for (int step = 0; step < steps;) {
        const int blank = p.blank();
        const int next[4] = {blank % width > 0 ? blank - 1 : -1, blank % width < width - 1 ? blank + 1 : -1,
                             blank >= width ? blank - width : -1, blank + width < p.places() ? blank + width : -1};
        const int cell = next[random() % 4];
        if (cell < 0 || cell == previous)
            continue;
        previous = blank;
        p.move(p.tiles[static_cast<std::size_t>(cell)]);
        ++step;
    }
    return p;
}

bool reachesGoal(Puzzle p, const std::vector<std::int16_t>& moves)
{
    for (const std::int16_t tile : moves)
        p.move(tile);
    return p.isGoal();
}

std::uint64_t key(const Puzzle& p)
{
    std::uint64_t k = 0;
    for (const std::int16_t tile : p.tiles)
        k = k * 16 + static_cast<std::uint64_t>(tile);
    return k;
}

// Breadth-first distances from the goal over every position of a small board.
std::unordered_map<std::uint64_t, int> distancesFromGoal(int width, int height)
{
    std::unordered_map<std::uint64_t, int> distance;
    std::vector<Puzzle> queue{Puzzle::goal(width, height)};
    distance[key(queue.front())] = 0;
    for (std::size_t at = 0; at < queue.size(); ++at) {
        const Puzzle p = queue[at];
        const int d = distance[key(p)];
        const int blank = p.blank();
        for (const int cell : {blank % width > 0 ? blank - 1 : -1, blank % width < width - 1 ? blank + 1 : -1,
                               blank >= width ? blank - width : -1, blank + width < p.places() ? blank + width : -1}) {
            if (cell < 0)
                continue;
            Puzzle next = p;
            next.move(next.tiles[static_cast<std::size_t>(cell)]);
            if (distance.emplace(key(next), d + 1).second)
                queue.push_back(next);
        }
    }
    return distance;
}

} // namespace

TEST(StandardBoard, ExactlyTheNumbersOneToNMinusOneAndOneBlank)
{
    EXPECT_TRUE(standardPuzzle(Board(2, 2, {"3", "1", "", "2"})));
    EXPECT_EQ(standardPuzzle(Board(2, 2, {"3", "1", "", "2"}))->tiles, (std::vector<std::int16_t>{3, 1, 0, 2}));
    for (const std::vector<std::string>& captions :
         {std::vector<std::string>{"3", "1", "", ""}, {"3", "1", "2", "2"}, {"3", "01", "", "2"}, {" 3", "1", "", "2"},
          {"4", "1", "", "2"}, {"0", "1", "", "2"}, {"x", "1", "", "2"}, {"3", "1", "-2", ""}, {"3", "1", "2", "1"}}) {
        EXPECT_FALSE(standardPuzzle(Board(2, 2, captions))) << captions[0] << "," << captions[1] << "," << captions[2]
                                                            << "," << captions[3];
    }
    EXPECT_EQ(judge(Board(2, 2, {"1", "2", "3", ""})), Solvability::Solvable);
    EXPECT_EQ(judge(Board(2, 2, {"2", "1", "3", ""})), Solvability::Unsolvable);
    EXPECT_EQ(judge(Board(2, 2, {"2", "", "3", ""})), Solvability::NotStandard);
}

TEST(Solvability, ParityAgreesWithTheSearchOnEverySmallBoard)
{
    for (const auto& [width, height] : {std::pair{2, 2}, std::pair{2, 3}, std::pair{3, 2}, std::pair{3, 3}, std::pair{2, 4}}) {
        const auto reachable = distancesFromGoal(width, height);
        Puzzle p = Puzzle::goal(width, height);
        std::sort(p.tiles.begin(), p.tiles.end());
        int solvable = 0;
        int all = 0;
        do {
            ++all;
            const bool found = reachable.count(key(p)) > 0;
            ASSERT_EQ(isSolvable(p), found) << width << "x" << height;
            solvable += found ? 1 : 0;
        } while (std::next_permutation(p.tiles.begin(), p.tiles.end()));
        EXPECT_EQ(solvable * 2, all) << "half of all arrangements, " << width << "x" << height;
    }
    // one place wide or high: only the tiles in order, the blank anywhere
    EXPECT_TRUE(isSolvable(puzzle(1, 4, {1, 0, 2, 3})));
    EXPECT_FALSE(isSolvable(puzzle(4, 1, {2, 0, 1, 3})));
}

TEST(OptimalSolver, EveryThreeByThreeBoardShortestAsABreadthFirstSearchFindsIt)
{
    const auto distance = distancesFromGoal(3, 3);
    ASSERT_EQ(distance.size(), 181440u);
    Puzzle p = Puzzle::goal(3, 3);
    std::sort(p.tiles.begin(), p.tiles.end());
    std::size_t solved = 0;
    do {
        const auto found = distance.find(key(p));
        if (found == distance.end())
            continue;
        const auto moves = solveOptimally(p);
        ASSERT_TRUE(moves);
        ASSERT_EQ(static_cast<int>(moves->size()), found->second);
        ASSERT_TRUE(reachesGoal(p, *moves));
        ++solved;
    } while (std::next_permutation(p.tiles.begin(), p.tiles.end()));
    EXPECT_EQ(solved, 181440u);
}

TEST(OptimalSolver, TheTablesAndTheManhattanDistanceAgreeOnTheShortestLength)
{
    std::mt19937 random(42);
    struct Case {
        int width, height, boards, steps;
    };
    // Random boards where the Manhattan search is quick, and walks from the goal on 4 x 4.
    for (const Case c : {Case{3, 3, 30, 0}, Case{3, 4, 10, 0}, Case{4, 3, 10, 0}, Case{2, 5, 10, 0}, Case{4, 4, 12, 34},
                         Case{3, 5, 6, 30}}) {
        for (int board = 0; board < c.boards; ++board) {
            const Puzzle p = c.steps ? walkedFromGoal(c.width, c.height, c.steps, random)
                                     : randomSolvable(c.width, c.height, random);
            const auto tables = solveOptimally(p);
            const auto manhattan = solveWithManhattanDistance(p);
            ASSERT_TRUE(tables && manhattan);
            EXPECT_EQ(tables->size(), manhattan->size()) << c.width << "x" << c.height << " board " << board;
            EXPECT_TRUE(reachesGoal(p, *tables));
        }
    }
}

TEST(OptimalSolver, FourByFourBoardsAreSolvedShortestAndTheSearchCanBeStopped)
{
    std::mt19937 random(16);
    for (int board = 0; board < 5; ++board) {
        const Puzzle p = randomSolvable(4, 4, random);
        const auto moves = solveOptimally(p);
        ASSERT_TRUE(moves);
        EXPECT_TRUE(reachesGoal(p, *moves));
        const int blank = p.blank();
        const std::size_t toCorner = static_cast<std::size_t>((3 - blank % 4) + (3 - blank / 4));
        EXPECT_EQ(moves->size() % 2, toCorner % 2) << "each move takes the blank one step";
    }
    EXPECT_TRUE(solveOptimally(Puzzle::goal(4, 4))->empty());
    EXPECT_LE(patternDatabases(4, 4).bytes(), 4u * 1024 * 1024);

    std::atomic<bool> cancel = true;
    EXPECT_THROW(solveOptimally(randomSolvable(4, 4, random), &cancel), SearchCancelled);
}

TEST(OptimalSolver, AStoppedTableBuildOrWaitLeavesTheNextCallToBuildThem)
{
    const std::atomic<bool> stopped = true;
    EXPECT_THROW(patternDatabases(7, 2, {}, &stopped), SearchCancelled);
    EXPECT_FALSE(patternDatabasesReady(7, 2));
    // A caller waiting for another thread's build gives up when told; the build goes on.
    std::atomic<bool> begun = false;
    std::atomic<bool> waited = false;
    std::thread builder([&] {
        patternDatabases(7, 2, [&](int) {
            begun = true;
            while (!waited)
                std::this_thread::yield();
        });
    });
    while (!begun)
        std::this_thread::yield();
    EXPECT_THROW(patternDatabases(7, 2, {}, &stopped), SearchCancelled);
    waited = true;
    builder.join();
    EXPECT_TRUE(patternDatabasesReady(7, 2));
}

TEST(ConstructiveSolver, EverySolutionReachesTheGoalOnBoardsOfEveryShape)
{
    std::mt19937 random(7);
    std::vector<std::pair<int, int>> shapes;
    for (int width = 2; width <= 9; ++width)
        for (int height = 2; height <= 9; ++height)
            shapes.emplace_back(width, height);
    for (const auto& shape : {std::pair{2, 30}, std::pair{30, 2}, std::pair{3, 25}, std::pair{25, 3}, std::pair{40, 12},
                              std::pair{12, 40}})
        shapes.push_back(shape);
    for (const auto& [width, height] : shapes) {
        for (int board = 0; board < 4; ++board) {
            const Puzzle p = randomSolvable(width, height, random);
            ConstructiveSolver solver(p);
            std::vector<std::int16_t> moves;
            while (const auto tile = solver.next())
                moves.push_back(*tile);
            ASSERT_TRUE(reachesGoal(p, moves)) << width << "x" << height;
            EXPECT_TRUE(solver.position().isGoal());
        }
    }
    // one place wide: the tiles already in order, the blank walks to the end
    ConstructiveSolver line(puzzle(1, 4, {1, 0, 2, 3}));
    std::vector<std::int16_t> moves;
    while (const auto tile = line.next())
        moves.push_back(*tile);
    EXPECT_EQ(moves, (std::vector<std::int16_t>{2, 3}));
}

TEST(ConstructiveSolver, MovesGrowAsTheBoardsSideCubed)
{
    // n^1.5 for n tiles on square boards: the ratio stays put as boards grow.
    std::mt19937 random(11);
    std::vector<double> ratios;
    for (const int side : {10, 20, 40, 60}) {
        const Puzzle p = randomSolvable(side, side, random);
        ConstructiveSolver solver(p);
        std::vector<std::int16_t> moves;
        while (const auto tile = solver.next())
            moves.push_back(*tile);
        EXPECT_TRUE(reachesGoal(p, moves));
        const double n = side * side;
        ratios.push_back(static_cast<double>(moves.size()) / (n * std::sqrt(n)));
    }
    for (const double ratio : ratios)
        EXPECT_LT(ratio, 5.0);
    EXPECT_LT(ratios.back(), ratios.front() * 1.5) << "no faster than n^1.5";
}

TEST(Solver, SmallBoardsAreSolvedShortestAndLargeOnesByConstruction)
{
    std::mt19937 random(3);
    const Solution small = solve(randomSolvable(3, 3, random));
    EXPECT_TRUE(small.optimal);
    const Solution large = solve(randomSolvable(5, 5, random));
    EXPECT_FALSE(large.optimal);
    std::atomic<bool> cancel = true;
    SearchBudget stopped;
    stopped.cancel = &cancel;
    EXPECT_THROW(solve(randomSolvable(60, 60, random), stopped), SearchCancelled);
}

TEST(NearShortestSearch, EveryShapeOfSeventeenToAHundredPlacesIsSolvedAndBeatsConstruction)
{
    std::mt19937 random(19);
    // Square menu sizes, narrow boards, 9 x 9 (whose spread counts tiles out of place less),
    // a hundred places and a board 15 long (whose budget is cut for its length); a small
    // budget keeps the test quick, but the last two get the game's own.
    for (const auto& [width, height] :
         {std::pair{5, 5}, std::pair{8, 8}, std::pair{5, 4}, std::pair{2, 9}, std::pair{10, 2}, std::pair{3, 11},
          std::pair{9, 9}, std::pair{10, 10}, std::pair{6, 15}}) {
        const Puzzle p = randomSolvable(width, height, random);
        SearchBudget budget;
        const bool ownBudget = width * height == 100 || std::max(width, height) > 12;
        budget.positions = ownBudget ? 0 : 3'000'000; // 0: the game's own budget
        std::vector<int> shown;
        budget.progress = [&shown](int percent) { shown.push_back(percent); };
        const Solution solution = solve(p, budget);
        ASSERT_TRUE(reachesGoal(p, solution.moves)) << width << "x" << height;
        // The progress only goes up, and is full at most once, at the end: a search that
        // comes after the first, or a beam tried again, goes on from where it stood.
        ASSERT_FALSE(shown.empty()) << width << "x" << height;
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << width << "x" << height;
        EXPECT_LE(std::count(shown.begin(), shown.end(), 100), 1) << width << "x" << height;
        EXPECT_LE(shown.back(), 100);
        EXPECT_FALSE(solution.optimal);
        ConstructiveSolver constructive(p);
        std::size_t constructed = 0;
        while (constructive.next())
            ++constructed;
        EXPECT_LT(solution.moves.size(), constructed) << width << "x" << height;
    }
    EXPECT_EQ(methodFor(Puzzle::goal(4, 4)), Method::Shortest);
    EXPECT_EQ(methodFor(Puzzle::goal(17, 1)), Method::Construction) << "one place high";
    EXPECT_EQ(methodFor(Puzzle::goal(10, 10)), Method::NearShortest);
    EXPECT_EQ(methodFor(Puzzle::goal(11, 10)), Method::Construction);
}

// What a beam ranks by, kept up move by move, must be what counting afresh gives. In tenths,
// a tile counts (across + down)^2 in the spread, across^2 + across * down + down^2, or
// 1.3 (across^2 + down^2) - 0.3, and what is given for each tile out of place besides: for a
// tile beside its place, and for the blank walked up, left, down and right, which leaves one
// tile a place off each way and two beside their places.
TEST(Estimate, MoveByMoveItAgreesWithCountingAfresh)
{
    std::mt19937 random(23);
    struct Shape {
        Spread spread;
        int away; // tenths for each tile out of place
        int knot; // tenths for each knot
        int beside;
        int askew;
        int order = 0; // tenths for each pair out of order
    };
    for (const auto& [width, height] : {std::pair{3, 3}, std::pair{2, 9}, std::pair{8, 8}, std::pair{16, 2}}) {
        const Puzzle home = Puzzle::goal(width, height);
        const std::vector<std::uint8_t> goalCells(home.tiles.begin(), home.tiles.end());
        for (const Shape& shape : {Shape{Spread::Squares, 0, 0, 10, 40 + 10 + 10},
                                   Shape{Spread::SquaresAndProduct, 0, 0, 10, 30 + 10 + 10},
                                   Shape{Spread::AxisSquares, 0, 0, 10, 23 + 10 + 10},
                                   Shape{Spread::AxisSquares, -15, 0, 10 - 15, 23 + 10 + 10 - 3 * 15},
                                   Shape{Spread::Squares, 0, 86, 10, 40 + 10 + 10},
                                   Shape{Spread::AxisSquares, 0, 86, 10, 23 + 10 + 10, 20}}) {
            const ManhattanConflicts estimate(width, height, goalCells, shape.spread, shape.away, shape.knot, shape.order);
            Puzzle p = home;
            p.move(home.tiles[static_cast<std::size_t>(home.places() - 2)]); // one place from home
            std::vector<std::uint8_t> cells(p.tiles.begin(), p.tiles.end());
            // Read by columns, it has come after the rest of the last column.
            EXPECT_EQ(estimate.of(cells.data()).spread, shape.beside + shape.order * (height - 1));
            // Three tiles turned round the blank's corner: no knot, the blank is in their block.
            p = home;
            for (const int step : {-width, -1, width, 1})
                p.move(p.tiles[static_cast<std::size_t>(p.blank() + step)]);
            cells.assign(p.tiles.begin(), p.tiles.end());
            // Read by rows, the tile moved up now stands before the rest of the last row and the
            // one moved down after it (2 x width - 2 pairs); read by columns, likewise.
            EXPECT_EQ(estimate.of(cells.data()).spread, shape.askew + shape.order * (2 * width + 2 * height - 4))
                << width << "x" << height;
            // Four tiles turned round the top left block are a knot; swapping one of them for
            // its neighbour outside unties it.
            const ManhattanConflicts plain(width, height, goalCells, shape.spread, shape.away, 0, shape.order);
            const auto knots = [&](const std::vector<std::uint8_t>& c) {
                return estimate.of(c.data()).spread - plain.of(c.data()).spread;
            };
            const auto w = static_cast<std::size_t>(width);
            const auto knotted = [&] {
                std::vector<std::uint8_t> c = goalCells;
                std::tie(c[0], c[1], c[w + 1], c[w]) = std::tuple(c[w], c[0], c[1], c[w + 1]);
                return c;
            };
            cells = knotted();
            EXPECT_EQ(knots(cells), shape.knot) << width << "x" << height;
            std::swap(cells[height > 2 ? w : 1], cells[height > 2 ? 2 * w : 2]);
            EXPECT_EQ(knots(cells), 0) << width << "x" << height;
            // Walks move by move: from a random board over the whole board, and from a knot with
            // the blank kept to the three by three places at the top left, where knots are tied
            // and untied.
            p = randomSolvable(width, height, random);
            // The same, aimed at another position, as a beam from the goal back to a board is.
            const Puzzle elsewhere = randomSolvable(width, height, random);
            const std::vector<std::uint8_t> there(elsewhere.tiles.begin(), elsewhere.tiles.end());
            const ManhattanConflicts aimed(width, height, there, shape.spread, shape.away, shape.knot, shape.order);
            const ManhattanConflicts::Value atIt = aimed.of(there.data());
            EXPECT_TRUE(atIt.distance == 0 && atIt.conflicts == 0 && atIt.spread == 0) << width << "x" << height;
            int knotsTied = 0;
            for (const bool nearKnot : {false, true}) {
                if (nearKnot) {
                    cells = knotted(); // the blank brought beside the block
                    std::swap(cells[height > 2 ? 2 * w + 1 : w + 2], cells.back());
                    std::copy(cells.begin(), cells.end(), p.tiles.begin());
                }
                const int rows = nearKnot ? std::min(3, height) : height;
                const int columns = nearKnot ? std::min(3, width) : width;
                cells.assign(p.tiles.begin(), p.tiles.end());
                ManhattanConflicts::Value value = estimate.of(cells.data());
                ManhattanConflicts::Value aimedValue = aimed.of(cells.data());
                for (int step = 0, before = knots(cells); step < 2000; ++step) {
                    const int blank = p.blank();
                    const auto way = static_cast<int>(random() % 4);
                    const int row = blank / width + (way == 0) - (way == 1);
                    const int column = blank % width + (way == 2) - (way == 3);
                    if (row < 0 || row >= rows || column < 0 || column >= columns)
                        continue;
                    const int from = row * width + column;
                    value = shape.knot ? estimate.after<true>(cells.data(), value, from, blank)
                                       : estimate.after(cells.data(), value, from, blank);
                    aimedValue = shape.knot ? aimed.after<true>(cells.data(), aimedValue, from, blank)
                                            : aimed.after(cells.data(), aimedValue, from, blank);
                    p.move(p.tiles[static_cast<std::size_t>(from)]);
                    cells.assign(p.tiles.begin(), p.tiles.end());
                    for (const auto& [kept, counted] : {std::pair{value, estimate.of(cells.data())},
                                                        std::pair{aimedValue, aimed.of(cells.data())}})
                        ASSERT_TRUE(kept.distance == counted.distance && kept.conflicts == counted.conflicts
                                    && kept.spread == counted.spread)
                            << width << "x" << height << " step " << step;
                    const ManhattanConflicts::Value afresh = estimate.of(cells.data());
                    const int now = afresh.spread - plain.of(cells.data()).spread;
                    knotsTied += now > before ? 1 : 0;
                    before = now;
                }
            }
            EXPECT_TRUE(shape.knot == 0 || knotsTied > 0) << width << "x" << height;
        }
    }
}

TEST(NearShortestSearch, TheBeamKeepsToItsBoundAndStopsWhenTold)
{
    std::mt19937 random(21);
    const Puzzle p = walkedFromGoal(6, 6, 60, random);
    BeamOptions options;
    options.width = 500;
    const auto first = beamSearch(p, options);
    ASSERT_TRUE(first && reachesGoal(p, *first));
    options.shorterThan = first->size();
    options.width = 5000;
    const auto wider = beamSearch(p, options);
    EXPECT_TRUE(!wider || wider->size() < first->size());
    options.shorterThan = 10; // fewer moves than the Manhattan distance allows
    EXPECT_FALSE(beamSearch(p, options));

    // Out of positions, it says where it got, as when it circles a knot: the closest
    // position, then the best of the last two depths, each on the way to the goal.
    options.shorterThan = 0;
    options.positionLimit = 3 * 5000;
    BeamStats stats;
    EXPECT_FALSE(beamSearch(p, options, &stats));
    ASSERT_TRUE(stats.stalled);
    ASSERT_GT(stats.nearest.size(), 1u);
    const Puzzle home = Puzzle::goal(6, 6);
    const ManhattanConflicts estimate(6, 6, std::vector<std::uint8_t>(home.tiles.begin(), home.tiles.end()));
    const auto distance = [&](const Puzzle& q) {
        const std::vector<std::uint8_t> cells(q.tiles.begin(), q.tiles.end());
        return estimate.of(cells.data()).distance;
    };
    for (const std::vector<std::int16_t>& near : stats.nearest) {
        Puzzle there = p;
        for (const std::int16_t tile : near)
            there.move(tile); // throws where a tile is not beside the blank
        EXPECT_LT(distance(there), distance(p));
    }

    // Given the board as its target, a beam from the goal finds the board's solution backwards.
    options.positionLimit = 0;
    options.target.assign(p.tiles.begin(), p.tiles.end());
    const auto back = beamSearch(home, options);
    ASSERT_TRUE(back);
    Puzzle there = home;
    for (const std::int16_t tile : *back)
        there.move(tile);
    EXPECT_EQ(there, p);
    EXPECT_TRUE(reachesGoal(p, std::vector<std::int16_t>(back->rbegin(), back->rend())));
    options.target.pop_back();
    EXPECT_THROW(beamSearch(home, options), std::invalid_argument);
    options.target.clear();
    // A tile a place off would count below one at home: 120 + 7 * (10 - 30) < 0.
    options.awayTenths = -30;
    EXPECT_THROW(beamSearch(home, options), std::invalid_argument);
    options.awayTenths = 40'000; // past what the spread's table holds
    EXPECT_THROW(beamSearch(home, options), std::invalid_argument);
    options.awayTenths = 0;
    for (const int order : {-1, ManhattanConflicts::MostOrderTenths + 1}) {
        options.orderTenths = order;
        EXPECT_THROW(beamSearch(home, options), std::invalid_argument);
    }
    options.orderTenths = 0;

    std::atomic<bool> cancel = true;
    options.cancel = &cancel;
    options.shorterThan = 0;
    EXPECT_THROW(beamSearch(p, options), SearchCancelled);
}

TEST(NearShortestSearch, TheBeamKeepsExactlyItsWidthOfTheLowestInTheirOrder)
{
    using Item = std::pair<int, std::uint32_t>; // score, key
    struct Case {
        std::vector<Item> items;
        std::size_t width;
        std::vector<Item> kept;
    };
    const Case cases[] = {
        {{{3, 1}, {0, 2}}, 2, {{3, 1}, {0, 2}}},                                  // no more than the width
        {{{5, 0}, {1, 0}, {4, 0}, {2, 0}, {3, 0}}, 3, {{1, 0}, {2, 0}, {3, 0}}}, // order kept
        {{{2, 9}, {1, 0}, {2, 3}, {2, 7}, {1, 0}}, 3, {{1, 0}, {2, 3}, {1, 0}}}, // the cut's lowest key
        {{{1, 5}, {1, 5}, {1, 5}, {1, 2}}, 2, {{1, 5}, {1, 2}}},                 // one position twice
        {{{0, 4}, {1, 1}, {0, 6}}, 2, {{0, 4}, {0, 6}}},                         // none of the cut wanted
        // scores far from 0, as on long boards, the lowest neither first nor last
        {{{900'007, 1}, {900'002, 5}, {900'009, 0}, {900'002, 3}, {900'005, 2}}, 2, {{900'002, 5}, {900'002, 3}}},
    };
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> tied;
    for (const Case& c : cases) {
        std::vector<Item> items = c.items;
        keepLowest(
            items, c.width, [](const Item& item) { return item.first; }, [](const Item& item) { return item.second; },
            counts, tied);
        EXPECT_EQ(items, c.kept) << "width " << c.width;
    }
}

TEST(NearShortestSearch, BeamsAlongTheStretchesAndBackFromTheGoalTakeOutDetoursWithinTheirLimits)
{
    std::mt19937 random(23);
    const Puzzle p = randomSolvable(6, 6, random);
    BeamOptions options;
    options.width = 300;
    const auto found = beamSearch(p, options);
    ASSERT_TRUE(found && found->size() > 100);
    // A detour two thirds of the way: the blank taken three times round a square of four,
    // which leaves every tile where it was.
    const auto detourAt = found->begin() + static_cast<std::ptrdiff_t>(2 * found->size() / 3);
    std::vector<std::int16_t> padded(found->begin(), detourAt);
    Puzzle there = p;
    for (const std::int16_t tile : padded)
        there.move(tile);
    const int blank = there.blank();
    const int right = blank % 6 < 5 ? 1 : -1;
    const int down = blank / 6 < 5 ? 6 : -6;
    for (int turn = 0; turn < 12; ++turn) {
        const int offsets[4] = {right, right + down, down, 0};
        const std::int16_t tile = there.tiles[static_cast<std::size_t>(blank + offsets[turn % 4])];
        there.move(tile);
        padded.push_back(tile);
    }
    padded.insert(padded.end(), detourAt, found->end());
    ASSERT_TRUE(reachesGoal(p, padded));

    std::vector<std::size_t> heard;
    options.progress = [&heard](std::size_t positions) { heard.push_back(positions); };
    std::size_t spent = 0;
    const std::vector<std::int16_t> shorter = withBeamShortcuts(p, padded, options, {0}, &spent);
    EXPECT_TRUE(reachesGoal(p, shorter));
    EXPECT_LE(shorter.size(), padded.size() - 12);
    EXPECT_GT(spent, 0u);
    EXPECT_TRUE(!heard.empty() && std::is_sorted(heard.begin(), heard.end()) && heard.back() <= spent);

    // The moves before the first stretch, or before the way from the goal, stay as they were;
    // no positions, a past deadline or a start past the end leave the solution as it was.
    const auto half = static_cast<std::ptrdiff_t>(padded.size() / 2);
    for (const std::vector<std::int16_t>& later : {withBeamShortcuts(p, padded, options, {padded.size() / 2}),
                                                    withTailFromGoal(p, padded, options, padded.size() / 2)}) {
        EXPECT_TRUE(reachesGoal(p, later));
        EXPECT_LT(later.size(), padded.size());
        EXPECT_TRUE(std::equal(padded.begin(), padded.begin() + half, later.begin()));
    }
    struct Limit {
        std::size_t positions;
        std::chrono::steady_clock::time_point deadline;
        std::size_t firstMove;
    };
    const auto never = std::chrono::steady_clock::time_point::max();
    for (const Limit limit : {Limit{1, never, 0}, Limit{0, std::chrono::steady_clock::now(), 0},
                              Limit{0, never, padded.size()}}) {
        options.positionLimit = limit.positions;
        options.deadline = limit.deadline;
        EXPECT_EQ(withBeamShortcuts(p, padded, options, {limit.firstMove}, &spent), padded) << limit.positions;
        EXPECT_LE(spent, 4u) << "a depth of four children at the most, then it stops";
        EXPECT_EQ(withTailFromGoal(p, padded, options, limit.firstMove, &spent), padded) << limit.positions;
        EXPECT_LE(spent, 4u);
    }
    std::atomic<bool> cancel = true;
    options = BeamOptions{};
    options.cancel = &cancel;
    EXPECT_THROW(withBeamShortcuts(p, padded, options, {0}), SearchCancelled);
    EXPECT_THROW(withTailFromGoal(p, padded, options, 0), SearchCancelled);
}

TEST(NearShortestSearch, NoSearchGoesOnPastItsDeadline)
{
    // A deadline already past: every search that serves a beam gives up at once, and a
    // whole near-shortest solve still answers, soon, with a valid solution.
    std::mt19937 random(22);
    const Puzzle p = walkedFromGoal(10, 2, 400, random);
    const auto past = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> from(p.tiles.begin(), p.tiles.end());
    std::vector<std::uint8_t> goal(from.size());
    for (std::size_t i = 0; i + 1 < goal.size(); ++i)
        goal[i] = static_cast<std::uint8_t>(i + 1);
    EXPECT_FALSE(shortestWayBetween(10, 2, from, goal, 50'000'000, 0, nullptr, nullptr, past));
    BeamOptions options;
    options.width = 64;
    const auto moves = beamSearch(p, options);
    ASSERT_TRUE(moves);
    EXPECT_EQ(withShortcuts(p, *moves, 50'000'000, nullptr, past), *moves);

    const auto start = std::chrono::steady_clock::now();
    SearchBudget budget;
    budget.deadline = start + std::chrono::milliseconds(300);
    const Solution solution = solve(p, budget);
    EXPECT_TRUE(reachesGoal(p, solution.moves));
    // Well under a second natively; the bound leaves room for the sanitizers. Before the
    // deadline reached every search, such a board could take ten seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));
}

TEST(Knots, TilesTurnedRoundSmallBlocksFarFromTheBlankAreUndone)
{
    using Cycle = std::vector<std::pair<int, int>>; // places whose tiles turn round, in order
    struct Knots {
        int width, height;
        std::vector<Cycle> cycles;
        bool blankAskew;  // the blank and the tile up and left of its corner swapped, as beams leave them
        std::size_t most; // moves; 0 for a board that cannot be solved
    };
    // Three tiles turned (an even turn) are undone with the blank coming back where it went
    // in. Two swapped, or four turned, need a partner: another such knot, or the blank askew
    // in its corner; alone they cannot be undone at all.
    const Cycle four{{2, 0}, {2, 1}, {3, 1}, {3, 0}};
    for (const Knots& knots : {
             Knots{8, 8, {{{0, 0}, {0, 1}, {1, 1}}}, false, 60},
             Knots{10, 10, {{{4, 2}, {5, 2}, {5, 3}}}, false, 60},
             Knots{6, 2, {{{0, 1}, {1, 1}, {1, 2}}}, false, 60},
             Knots{8, 8, {four}, false, 0},
             Knots{8, 8, {four}, true, 200},
             Knots{8, 8, {four, {{6, 5}, {6, 6}, {7, 6}, {7, 5}}}, false, 200},
             Knots{10, 10, {{{0, 3}, {0, 4}, {1, 4}, {1, 3}}, {{1, 0}, {2, 0}, {2, 1}}}, true, 300},
             Knots{9, 9, {{{0, 0}, {0, 1}}, {{8, 0}, {8, 1}}, {{4, 6}, {4, 7}, {5, 7}}}, false, 300},
             Knots{7, 7, {{{3, 3}, {3, 4}}}, true, 200},
         }) {
        Puzzle p = Puzzle::goal(knots.width, knots.height);
        if (knots.blankAskew)
            std::swap(p.tiles.back(), p.tiles[p.tiles.size() - static_cast<std::size_t>(knots.width) - 2]);
        for (const Cycle& cycle : knots.cycles) {
            std::vector<std::int16_t> turned;
            for (const auto& [row, column] : cycle)
                turned.push_back(p.tiles[static_cast<std::size_t>(row * knots.width + column)]);
            std::rotate(turned.begin(), turned.begin() + 1, turned.end());
            for (std::size_t i = 0; i < cycle.size(); ++i)
                p.tiles[static_cast<std::size_t>(cycle[i].first * knots.width + cycle[i].second)] = turned[i];
        }
        const auto moves = undoKnots(p);
        ASSERT_EQ(isSolvable(p), knots.most > 0) << knots.width << "x" << knots.height;
        ASSERT_EQ(moves.has_value(), knots.most > 0) << knots.width << "x" << knots.height;
        if (moves) {
            EXPECT_TRUE(reachesGoal(p, *moves));
            EXPECT_LT(moves->size(), knots.most);
        }
    }
}

TEST(OptimalSolver, TheFourByFourTablesTheProgramCarriesAreTheOnesItWouldBuild)
{
    const PatternDatabases built(4, 4);
    const std::vector<std::uint8_t> packed = built.packed();
    ASSERT_EQ(packed.size(), 3u * 16 * 15 * 14 * 13 * 12);
    const PatternDatabases& carried = patternDatabases(4, 4);
    EXPECT_EQ(carried.packed(), packed);
    EXPECT_THROW(PatternDatabases(4, 4, packed.data(), packed.size() - 1), std::invalid_argument);
}

#pragma once

#include "solver/estimate.h"
#include "solver/puzzle.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vantirelle {

// Beam search: breadth-first, keeping at each depth only the `width` positions the
// estimate ranks best, so its memory and time grow with the width and the solution's
// length, not with the board's state space. Wider beams find shorter solutions.
//
// Positions are ranked by a weighted sum of the Manhattan distance, the linear conflicts
// and the squares of the distances (see ManhattanConflicts). The weights were chosen by
// measuring solution lengths on the published 5 x 5 to 7 x 7 boards (bench/data): the
// squares, and conflicts weighed above their two moves, both shorten the solutions found.
struct BeamOptions {
    std::size_t width = 10'000;
    // Only solutions shorter than this are looked for (0: any); positions that cannot
    // lead to one are dropped.
    std::size_t shorterThan = 0;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    const std::atomic<bool>* cancel = nullptr;
    // The search gives up once it has ranked this many positions (0: no limit), and hears
    // how many it has ranked so far after every depth.
    std::size_t positionLimit = 0;
    std::function<void(std::size_t)> progress;
    // The search gives up when its best position has not improved for this many depths
    // (0: never): the beam is circling a knot it cannot undo.
    std::size_t stallDepths = 0;
    // The most the search may keep of the positions it went through (to write the path out).
    std::size_t memoryBytes = std::size_t{192} << 20;
    // The spread is counted in tenths, so its weight is ten times finer than the others'.
    int distanceWeight = 120;
    int conflictWeight = 400;
    int spreadWeight = 7;
    // How the spread counts each tile. Not hurrying tiles off in both directions ties fewer
    // knots on larger boards, and how much less to count them depends on the board's shape
    // (see solveNearShortest).
    Spread spread = Spread::Squares;
    // Tenths of the spread for each tile out of place besides (see ManhattanConflicts). A
    // tile a place off must still count for more than one at home, so distanceWeight +
    // spreadWeight * (10 + awayTenths) must be above 0.
    int awayTenths = 0;
    // Tenths of the spread for each knot (see ManhattanConflicts): 0 to 1000.
    int knotTenths = 0;
    // Tenths of the spread for each pair of tiles out of order (see ManhattanConflicts): 0 to 100.
    int orderTenths = 0;
    // Ties are broken by the positions' hashes; another seed breaks them another way.
    std::uint64_t seed = 0x5eed;
    // The position to reach, each number once and 0 for the blank, reachable from the start;
    // empty for the goal. A search from the goal to a board finds the board's solution
    // backwards, with its knots tied in other places.
    std::vector<std::uint8_t> target;
};

struct BeamStats {
    std::size_t depth = 0;
    std::size_t positions = 0; // positions ranked
    // It gave up before the goal, circling a knot or out of positions.
    bool stalled = false;
    // When stalled: the moves to the best position it found, then to the best few of the
    // last two depths.
    std::vector<std::vector<std::int16_t>> nearest;
};

// A solution (the moves to the target), or nothing when none was found before the
// deadline, within the bound and the memory. Raises SearchCancelled once `cancel` turns
// true. For boards of 2 to 16 places each way and at most 256 places; the puzzle must be
// solvable.
std::optional<std::vector<std::int16_t>> beamSearch(const Puzzle& puzzle, const BeamOptions& options,
                                                    BeamStats* stats = nullptr);

} // namespace vantirelle

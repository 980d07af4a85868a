#pragma once

#include "solver/puzzle.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vantirelle {

// How much a search for a near-shortest solution may do. Work is counted in positions
// ranked, so the same board gets the same solution on every run and every machine; the
// deadline stops it early on a slow or busy one.
struct SearchBudget {
    // 0: about a second's worth on one core of a 2020s desktop, fewer on larger boards,
    // whose positions take longer to rank (see solveNearShortest).
    std::size_t positions = 0;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int)> progress; // 0 to 100 of the budget spent
};

// A near-shortest solution for a board of 2 to 16 places each way: a narrow beam first, for a
// solution at once, then the widest beam the budget leaves room for, bounded by the first.
// Nothing when neither found one (a knot the beams could not undo, or the deadline); the
// caller falls back to construction. Raises SearchCancelled once `cancel` turns true. The
// puzzle must be solvable.
std::optional<std::vector<std::int16_t>> solveNearShortest(const Puzzle& puzzle, const SearchBudget& budget = {});

} // namespace vantirelle

#pragma once

#include "solver/constructive.h"
#include "solver/optimal.h"
#include "solver/puzzle.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace vantirelle {

// What can be said of a board before any search.
enum class Solvability { NotStandard, Unsolvable, Solvable };
Solvability judge(const Board& board);

struct Solution {
    std::vector<std::int16_t> moves; // the tiles to slide, in order
    bool optimal = false;            // proven shortest
};

// Boards of at most 16 places are searched for a shortest solution: without limit where
// they are at least three places each way or have at most 12 places; boards two places
// across or down with 14 to 16 places get a budget of nodes. A board the budget does not
// cover is solved by construction, as every larger board is. Raises SearchCancelled once
// `cancel` turns true. The puzzle must be solvable.
Solution solve(const Puzzle& puzzle, const std::atomic<bool>* cancel = nullptr);

// The budget of the search on boards two places across or down with 14 to 16 places.
inline constexpr std::uint64_t WideBoardNodeBudget = 50'000'000;

} // namespace vantirelle

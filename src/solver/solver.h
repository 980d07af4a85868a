#pragma once

#include "solver/constructive.h"
#include "solver/nearshortest.h"
#include "solver/optimal.h"
#include "solver/puzzle.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace vantirelle {

// What can be said of a board before any search.
enum class Solvability { NotStandard, Unsolvable, Solvable };
Solvability judge(const Board& board);

// How a board is solved, chosen by its size:
// - at most 16 places: the shortest solution, by IDA* over pattern databases;
// - 17 to 100 places, two or more each way: a near-shortest one, by beam search (at about a
//   second of search, measured within 2% of the shortest on 5 x 5 and within 11% of the
//   best known on 7 x 7, where construction is 2.7 and 3 times longer);
// - larger boards, and any board the search gives up on: construction, tile by tile.
enum class Method { Shortest, NearShortest, Construction };
// How long vantirelle-solve lets a search run: the work budget ends it within about a
// second; this, on a busy machine. The benchmark measures with the same.
inline constexpr std::chrono::milliseconds CommandLineDeadline{2500};
inline constexpr int MostSearchedPlaces = 100;
Method methodFor(const Puzzle& puzzle);

struct Solution {
    std::vector<std::int16_t> moves; // the tiles to slide, in order
    bool optimal = false;            // proven shortest
};

// Solves by the method for the board's size. Boards two places across or down with 14 to 16
// places have solutions of up to 140 moves that the tables bound poorly: they get a budget
// of nodes, then the near-shortest search. `budget` bounds the near-shortest search; its
// `cancel` stops every method with SearchCancelled. The puzzle must be solvable.
Solution solve(const Puzzle& puzzle, const SearchBudget& budget = {});

// The budget of the shortest search on boards two places across or down with 14 to 16 places.
inline constexpr std::uint64_t WideBoardNodeBudget = 50'000'000;

} // namespace vantirelle

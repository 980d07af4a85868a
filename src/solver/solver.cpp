#include "solver/solver.h"

#include "board/board.h"

#include <algorithm>

namespace vantirelle {

Solvability judge(const Board& board)
{
    const std::optional<Puzzle> puzzle = standardPuzzle(board);
    if (!puzzle)
        return Solvability::NotStandard;
    return isSolvable(*puzzle) ? Solvability::Solvable : Solvability::Unsolvable;
}

Solution solve(const Puzzle& puzzle, const std::atomic<bool>* cancel)
{
    Solution solution;
    if (puzzle.places() <= MaximumOptimalPlaces) {
        // Boards two places across or down with 14 to 16 places have solutions of up to 140
        // moves that the tables bound poorly; they get a budget, the rest none.
        const bool unlimited = std::min(puzzle.width, puzzle.height) >= 3 || puzzle.places() <= 12;
        if (auto moves = solveOptimally(puzzle, cancel, unlimited ? 0 : WideBoardNodeBudget)) {
            solution.moves = std::move(*moves);
            solution.optimal = true;
            return solution;
        }
    }
    ConstructiveSolver constructive(puzzle);
    std::uint64_t count = 0;
    while (const auto tile = constructive.next()) {
        solution.moves.push_back(*tile);
        if ((++count & 0xFFFF) == 0 && cancel && cancel->load(std::memory_order_relaxed))
            throw SearchCancelled();
    }
    return solution;
}

} // namespace vantirelle

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

Method methodFor(const Puzzle& puzzle)
{
    if (puzzle.places() <= MaximumOptimalPlaces)
        return Method::Shortest;
    if (puzzle.places() <= MostSearchedPlaces && puzzle.width >= 2 && puzzle.height >= 2)
        return Method::NearShortest;
    return Method::Construction;
}

Solution solve(const Puzzle& puzzle, const SearchBudget& budget)
{
    Solution solution;
    const Method method = methodFor(puzzle);
    if (method == Method::Shortest) {
        const bool unlimited = std::min(puzzle.width, puzzle.height) >= 3 || puzzle.places() <= 12;
        if (auto moves = solveOptimally(puzzle, budget.cancel, unlimited ? 0 : WideBoardNodeBudget)) {
            solution.moves = std::move(*moves);
            solution.optimal = true;
            return solution;
        }
    }
    if (method != Method::Construction && puzzle.width >= 2 && puzzle.height >= 2) {
        if (auto moves = solveNearShortest(puzzle, budget)) {
            solution.moves = std::move(*moves);
            return solution;
        }
    }
    ConstructiveSolver constructive(puzzle);
    std::uint64_t count = 0;
    while (const auto tile = constructive.next()) {
        solution.moves.push_back(*tile);
        if ((++count & 0xFFFF) == 0 && budget.cancel && budget.cancel->load(std::memory_order_relaxed))
            throw SearchCancelled();
    }
    return solution;
}

} // namespace vantirelle

#pragma once

#include "solver/puzzle.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace vantirelle {

// A solution for a board of any size, built one tile at a time: the top row or the left
// column of what is left is put in place, whichever side is longer, and the rest shrinks
// by it until three by three or less is left, which is solved by the shortest way. Each
// tile travels at most across the board, so the moves grow as n^1.5 for n tiles.
//
// The moves come lazily: the first few need only the first tile's planning, so the next
// move of a whole plan is at hand at any size.
class ConstructiveSolver {
public:
    // The puzzle must be solvable.
    explicit ConstructiveSolver(const Puzzle& puzzle);

    // The next tile to slide, or nothing once the board is in order.
    std::optional<std::int16_t> next();
    // The board as it stands after every move given so far.
    const Puzzle& position() const { return m_given; }

private:
    enum class Phase { Rows, Columns, Last, Done };

    bool planStage();
    void chooseNextPhase();
    void placeInLine(int tile, int cell);
    void placeLastTwo(int firstTile, int secondTile, int firstCell, int secondCell);
    void solveLastPart();
    void solveLine();

    bool isLocked(int cell) const;
    bool inRectangle(int cell) const;
    void slideInto(int cell); // the tile on `cell` slides into the blank
    bool routeBlank(int target);
    void moveTile(int tile, int target, bool alongLineFirst);
    std::vector<int> path(int from, int to, bool horizontalFirst);

    int m_width;
    int m_height;
    std::vector<std::int16_t> m_cells; // the board as planned so far
    std::vector<int> m_where;          // the place of each tile, the blank's at 0
    Puzzle m_given;                    // the board after the moves handed out
    int m_givenBlank = 0;
    std::deque<std::int16_t> m_pending;

    Phase m_phase = Phase::Rows;
    int m_top = 0;
    int m_left = 0;
    int m_bottom = 0; // one past the last row
    int m_right = 0;  // one past the last column
    int m_placed = 0; // tiles of the current row or column already in place
    std::vector<int> m_held; // places the blank and the moving tile must keep off

    // Breadth-first search scratch, reused from search to search.
    std::vector<int> m_parent;
    std::vector<std::uint32_t> m_seenIn;
    std::uint32_t m_search = 0;
};

} // namespace vantirelle

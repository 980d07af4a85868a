#include "solver/constructive.h"

#include "solver/optimal.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vantirelle {

ConstructiveSolver::ConstructiveSolver(const Puzzle& puzzle)
    : m_width(puzzle.width)
    , m_height(puzzle.height)
    , m_cells(puzzle.tiles)
    , m_where(static_cast<std::size_t>(puzzle.places()))
    , m_given(puzzle)
    , m_bottom(puzzle.height)
    , m_right(puzzle.width)
    , m_parent(static_cast<std::size_t>(puzzle.places()))
    , m_seenIn(static_cast<std::size_t>(puzzle.places()), 0)
{
    for (int cell = 0; cell < puzzle.places(); ++cell)
        m_where[static_cast<std::size_t>(m_cells[static_cast<std::size_t>(cell)])] = cell;
    m_givenBlank = m_where[0];
    chooseNextPhase();
}

std::optional<std::int16_t> ConstructiveSolver::next()
{
    while (m_pending.empty()) {
        if (!planStage())
            return std::nullopt;
    }
    const std::int16_t tile = m_pending.front();
    m_pending.pop_front();
    // The tile is beside the blank; find it there rather than searching the board.
    for (const int cell : {m_givenBlank - 1, m_givenBlank + 1, m_givenBlank - m_width, m_givenBlank + m_width}) {
        if (cell >= 0 && cell < m_given.places() && m_given.tiles[static_cast<std::size_t>(cell)] == tile) {
            m_given.tiles[static_cast<std::size_t>(m_givenBlank)] = tile;
            m_given.tiles[static_cast<std::size_t>(cell)] = 0;
            m_givenBlank = cell;
            break;
        }
    }
    return tile;
}

void ConstructiveSolver::chooseNextPhase()
{
    const int rows = m_bottom - m_top;
    const int columns = m_right - m_left;
    m_placed = 0;
    if (m_width == 1 || m_height == 1)
        m_phase = Phase::Last; // tiles in a single line cannot pass: only the blank travels
    else if (rows > 3 && rows >= columns)
        m_phase = Phase::Rows;
    else if (columns > 3)
        m_phase = Phase::Columns;
    else if (rows > 3)
        m_phase = Phase::Rows;
    else
        m_phase = Phase::Last;
}

bool ConstructiveSolver::planStage()
{
    switch (m_phase) {
    case Phase::Rows:
    case Phase::Columns:
        solveLine();
        return true;
    case Phase::Last:
        solveLastPart();
        m_phase = Phase::Done;
        return true;
    case Phase::Done:
        return false;
    }
    return false;
}

bool ConstructiveSolver::inRectangle(int cell) const
{
    const int row = cell / m_width;
    const int column = cell % m_width;
    return row >= m_top && row < m_bottom && column >= m_left && column < m_right;
}

bool ConstructiveSolver::isLocked(int cell) const
{
    if (!inRectangle(cell))
        return true;
    const int row = cell / m_width;
    const int column = cell % m_width;
    if (m_phase == Phase::Rows && row == m_top && column < m_left + m_placed)
        return true;
    if (m_phase == Phase::Columns && column == m_left && row < m_top + m_placed)
        return true;
    return std::find(m_held.begin(), m_held.end(), cell) != m_held.end();
}

void ConstructiveSolver::slideInto(int cell)
{
    const int blank = m_where[0];
    const std::int16_t tile = m_cells[static_cast<std::size_t>(cell)];
    m_cells[static_cast<std::size_t>(blank)] = tile;
    m_cells[static_cast<std::size_t>(cell)] = 0;
    m_where[static_cast<std::size_t>(tile)] = blank;
    m_where[0] = cell;
    m_pending.push_back(tile);
}

// A way from one place to another over places that are not locked: straight across then
// along (or the other way round) where that is clear, otherwise the shortest, searched
// first near the two places and then over the whole rectangle.
std::vector<int> ConstructiveSolver::path(int from, int to, bool horizontalFirst)
{
    auto straight = [&](bool across) {
        std::vector<int> cells;
        int row = from / m_width;
        int column = from % m_width;
        const int toRow = to / m_width;
        const int toColumn = to % m_width;
        for (int leg = 0; leg < 2; ++leg) {
            const bool horizontal = (leg == 0) == across;
            while (horizontal ? column != toColumn : row != toRow) {
                if (horizontal)
                    column += column < toColumn ? 1 : -1;
                else
                    row += row < toRow ? 1 : -1;
                const int cell = row * m_width + column;
                if (isLocked(cell))
                    return std::vector<int>{-1};
                cells.push_back(cell);
            }
        }
        return cells;
    };
    for (const bool across : {horizontalFirst, !horizontalFirst}) {
        std::vector<int> cells = straight(across);
        if (cells.empty() || cells.front() != -1)
            return cells;
    }

    const int margin[] = {1, m_width + m_height};
    for (const int extra : margin) {
        const int top = std::max(m_top, std::min(from / m_width, to / m_width) - extra);
        const int bottom = std::min(m_bottom - 1, std::max(from / m_width, to / m_width) + extra);
        const int left = std::max(m_left, std::min(from % m_width, to % m_width) - extra);
        const int right = std::min(m_right - 1, std::max(from % m_width, to % m_width) + extra);
        ++m_search;
        std::vector<int> queue{from};
        m_seenIn[static_cast<std::size_t>(from)] = m_search;
        for (std::size_t at = 0; at < queue.size(); ++at) {
            const int cell = queue[at];
            if (cell == to) {
                std::vector<int> cells;
                for (int back = to; back != from; back = m_parent[static_cast<std::size_t>(back)])
                    cells.push_back(back);
                std::reverse(cells.begin(), cells.end());
                return cells;
            }
            const int row = cell / m_width;
            const int column = cell % m_width;
            const std::array<int, 4> next = {row > top ? cell - m_width : -1, column > left ? cell - 1 : -1,
                                             column < right ? cell + 1 : -1, row < bottom ? cell + m_width : -1};
            for (const int n : next) {
                if (n < 0 || m_seenIn[static_cast<std::size_t>(n)] == m_search || isLocked(n))
                    continue;
                m_seenIn[static_cast<std::size_t>(n)] = m_search;
                m_parent[static_cast<std::size_t>(n)] = cell;
                queue.push_back(n);
            }
        }
    }
    return {-1};
}

bool ConstructiveSolver::routeBlank(int target)
{
    const int blank = m_where[0];
    if (blank == target)
        return true;
    if (isLocked(target))
        return false;
    const std::vector<int> cells = path(blank, target, true);
    if (!cells.empty() && cells.front() == -1)
        return false;
    for (const int cell : cells)
        slideInto(cell);
    return true;
}

// Walks a tile to a place one step at a time: the blank goes round to the next place
// without touching the tile, then the tile slides into it.
void ConstructiveSolver::moveTile(int tile, int target, bool horizontalFirst)
{
    const std::vector<int> cells = path(m_where[static_cast<std::size_t>(tile)], target, horizontalFirst);
    if (!cells.empty() && cells.front() == -1)
        throw std::logic_error("no way for tile " + std::to_string(tile));
    for (const int cell : cells) {
        m_held.push_back(m_where[static_cast<std::size_t>(tile)]);
        const bool routed = routeBlank(cell);
        m_held.pop_back();
        if (!routed)
            throw std::logic_error("the blank cannot reach tile " + std::to_string(tile));
        slideInto(m_where[static_cast<std::size_t>(tile)]);
    }
}

void ConstructiveSolver::solveLine()
{
    const bool rows = m_phase == Phase::Rows;
    const int length = rows ? m_right - m_left : m_bottom - m_top;
    auto cellAt = [&](int along) { return rows ? m_top * m_width + m_left + along : (m_top + along) * m_width + m_left; };
    if (m_placed < length - 2) {
        const int cell = cellAt(m_placed);
        placeInLine(cell + 1, cell);
        ++m_placed;
        return;
    }
    const int first = cellAt(length - 2);
    const int second = cellAt(length - 1);
    placeLastTwo(first + 1, second + 1, first, second);
    if (rows)
        ++m_top;
    else
        ++m_left;
    chooseNextPhase();
}

void ConstructiveSolver::placeInLine(int tile, int cell)
{
    if (m_where[static_cast<std::size_t>(tile)] == cell)
        return;
    // Along the line's direction last: the tile arrives from across, where nothing is locked.
    moveTile(tile, cell, m_phase == Phase::Rows);
}

// The last two places of a row (or column) cannot be filled one after the other without
// moving the first again. Both tiles and the blank are brought into the three by two
// window at the line's end, which is then solved by breadth-first search: with three
// other tiles in the window that may go anywhere, every arrangement of the two is
// reachable.
void ConstructiveSolver::placeLastTwo(int firstTile, int secondTile, int firstCell, int secondCell)
{
    if (m_where[static_cast<std::size_t>(firstTile)] == firstCell
        && m_where[static_cast<std::size_t>(secondTile)] == secondCell) {
        m_placed += 2;
        return;
    }
    const bool rows = m_phase == Phase::Rows;
    const int step = rows ? m_width : 1; // from the line into the rectangle
    std::array<int, 6> window{};
    for (int depth = 0; depth < 3; ++depth) {
        window[static_cast<std::size_t>(2 * depth)] = firstCell + depth * step;
        window[static_cast<std::size_t>(2 * depth + 1)] = secondCell + depth * step;
    }
    auto inWindow = [&](int cell) { return std::find(window.begin(), window.end(), cell) != window.end(); };

    // The first tile goes to its own place, in the line's corner: held there it cuts no
    // part of the rectangle off, however narrow, so the second can still come from
    // anywhere. The second then comes into the window, but not beside the first on the
    // line, where the blank could not follow it.
    if (m_where[static_cast<std::size_t>(firstTile)] != firstCell)
        moveTile(firstTile, firstCell, !rows);
    m_held.push_back(firstCell);
    if (!inWindow(m_where[static_cast<std::size_t>(secondTile)]))
        moveTile(secondTile, secondCell + step, !rows);
    m_held.push_back(m_where[static_cast<std::size_t>(secondTile)]);
    if (!inWindow(m_where[0])) {
        bool routed = false;
        for (const int cell : window) {
            if (!isLocked(cell) && routeBlank(cell)) {
                routed = true;
                break;
            }
        }
        if (!routed)
            throw std::logic_error("the blank cannot reach the end of the line");
    }
    m_held.clear();

    // Breadth-first search over where the two tiles and the blank are in the window.
    auto encode = [](int a, int b, int blank) { return (a * 6 + b) * 6 + blank; };
    auto slot = [&](int cell) {
        return static_cast<int>(std::find(window.begin(), window.end(), cell) - window.begin());
    };
    const int start = encode(slot(m_where[static_cast<std::size_t>(firstTile)]),
                             slot(m_where[static_cast<std::size_t>(secondTile)]), slot(m_where[0]));
    std::array<int, 216> parent{};
    parent.fill(-1);
    parent[static_cast<std::size_t>(start)] = start;
    std::vector<int> queue{start};
    int goal = -1;
    for (std::size_t at = 0; at < queue.size() && goal < 0; ++at) {
        const int state = queue[at];
        const int a = state / 36;
        const int b = state / 6 % 6;
        const int blank = state % 6;
        if (a == 0 && b == 1) {
            goal = state;
            break;
        }
        // Window slots: 2 * depth + side; neighbours differ in depth by one or in side.
        const int depth = blank / 2;
        const int side = blank % 2;
        const int next[3] = {depth > 0 ? blank - 2 : -1, depth < 2 ? blank + 2 : -1, 2 * depth + (1 - side)};
        for (const int n : next) {
            if (n < 0)
                continue;
            const int na = a == n ? blank : a;
            const int nb = b == n ? blank : b;
            const int moved = encode(na, nb, n);
            if (parent[static_cast<std::size_t>(moved)] < 0) {
                parent[static_cast<std::size_t>(moved)] = state;
                queue.push_back(moved);
            }
        }
    }
    if (goal < 0)
        throw std::logic_error("the end of the line cannot be arranged");
    std::vector<int> blanks;
    for (int state = goal; state != start; state = parent[static_cast<std::size_t>(state)])
        blanks.push_back(state % 6);
    std::reverse(blanks.begin(), blanks.end());
    for (const int blankSlot : blanks)
        slideInto(window[static_cast<std::size_t>(blankSlot)]);
    m_placed += 2;
}

// What is left, three by three at most, is solved by the shortest way: it is a small
// board of its own whose tiles are numbered by their homes within it.
void ConstructiveSolver::solveLastPart()
{
    if (m_width == 1 || m_height == 1) {
        // The tiles are in order already; the blank walks to the end.
        const int last = m_width * m_height - 1;
        for (int cell = m_where[0] + 1; cell <= last; ++cell)
            slideInto(cell);
        return;
    }
    Puzzle local{m_right - m_left, m_bottom - m_top, {}};
    std::vector<int> global(static_cast<std::size_t>(local.places()), 0);
    for (int row = m_top; row < m_bottom; ++row) {
        for (int column = m_left; column < m_right; ++column) {
            const int cell = row * m_width + column;
            const int tile = m_cells[static_cast<std::size_t>(cell)];
            int localTile = 0;
            if (tile != 0) {
                const int home = tile - 1;
                localTile = (home / m_width - m_top) * local.width + (home % m_width - m_left) + 1;
                global[static_cast<std::size_t>(localTile)] = tile;
            }
            local.tiles.push_back(static_cast<std::int16_t>(localTile));
        }
    }
    const std::optional<std::vector<std::int16_t>> moves = solveOptimally(local);
    if (!moves)
        throw std::logic_error("the last part cannot be solved");
    for (const std::int16_t localTile : *moves)
        slideInto(m_where[static_cast<std::size_t>(global[static_cast<std::size_t>(localTile)])]);
}

} // namespace vantirelle

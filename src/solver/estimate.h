#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantirelle {

// How the spread of a position counts each tile out of place, in tenths.
enum class Spread {
    Squares, // the square of its distance, (across + down)^2
    // across^2 + across * down + down^2: a tile off in both directions counts less than its
    // whole distance squared, one off in one direction as much
    SquaresAndProduct,
    // 1.3 (across^2 + down^2) - 0.3: a tile off in both directions counts less again, so it
    // is not hurried before tiles off in one
    AxisSquares,
};

// What a search ranks positions by: the Manhattan distance of every tile from its goal
// place, the linear conflicts of each row and column (two tiles in their goal line in the
// wrong order: one must leave the line and come back, two moves more), and the spread,
// a sum of squares of the tiles' distances. The first two are lower bounds on the moves
// left; the spread weighs a tile far from home more than several tiles near it, since a
// tile that travels last must cross places already in order, and every step disturbs them.
// All three change by a little with each move, so a search keeps them up to date move by
// move.
//
// The spread may count knots besides: blocks of two by two places that hold their own four
// tiles, not all at home. Such a block adds a move or two for each tile to the other figures,
// yet the blank must come to it and turn the tiles round; four turned round are an odd swap,
// which a blank that comes in and goes back out cannot undo without another knot.
//
// The spread may count the tiles' order besides: the pairs of tiles that stand in the other order
// from their goals, read row by row and read column by column. A tile moved up or down passes
// the width less one tiles in reading order, one moved across the height less one in column
// order, and each pair it passes the wrong way must pass back, which the Manhattan distance
// does not see.
//
// The goal may be any position of the board, not only the game's own, so a path between
// two positions can be searched too.
class ManhattanConflicts {
public:
    // `goal` holds the number on every place, 0 for the blank. Each tile out of place adds
    // `awayTenths` (at most MostAwayTenths either way) to the spread besides: below 0, a tile
    // put a place off its own counts for less against bringing in a tile from further off.
    // Each knot adds `knotTenths` (0 to MostKnotTenths), each pair out of order `orderTenths`
    // (0 to MostOrderTenths).
    ManhattanConflicts(int width, int height, const std::vector<std::uint8_t>& goal,
                       Spread spread = Spread::Squares, int awayTenths = 0, int knotTenths = 0, int orderTenths = 0);

    struct Value {
        int distance = 0;  // Manhattan distance
        int conflicts = 0; // moves the linear conflicts add
        int spread = 0;    // in tenths (see Spread)
        int bound() const { return distance + conflicts; }
    };

    Value of(const std::uint8_t* cells) const;
    // The value after the tile on `from` slides into the blank on `to`, given the value
    // before; `cells` is the position before the move. Inline: searches call it for every
    // position they rank. The knots are counted only where `Knots` says so (and the estimate
    // was made to count them), so that the searches that count none pay nothing for them.
    template <bool Knots = false>
    [[gnu::always_inline]] Value after(const std::uint8_t* cells, Value before, int from, int to) const
    {
        const int tile = cells[from];
        const std::size_t row = static_cast<std::size_t>(tile * m_places);
        before.distance += m_distance[row + static_cast<std::size_t>(to)] - m_distance[row + static_cast<std::size_t>(from)];
        before.spread += m_spread[row + static_cast<std::size_t>(to)] - m_spread[row + static_cast<std::size_t>(from)];
        // A tile sliding along a row stays in it, so only the columns it leaves and enters
        // can change, and of those only the one it belongs to; likewise up or down.
        const int fromRow = m_rowOf[static_cast<std::size_t>(from)];
        const int fromColumn = m_columnOf[static_cast<std::size_t>(from)];
        if (fromRow == m_rowOf[static_cast<std::size_t>(to)]) {
            const int goal = m_goalColumn[static_cast<std::size_t>(tile)];
            if (goal == fromColumn || goal == m_columnOf[static_cast<std::size_t>(to)])
                before.conflicts += lineChange(cells, goal, m_width, m_height, m_goalColumn.data(), m_goalRow.data(),
                                               tile, fromRow, goal == fromColumn);
            if (m_orderTenths != 0)
                before.spread += orderChangeAcross(cells, from, to, tile);
        } else {
            const int goal = m_goalRow[static_cast<std::size_t>(tile)];
            if (goal == fromRow || goal == m_rowOf[static_cast<std::size_t>(to)])
                before.conflicts += lineChange(cells, goal * m_width, 1, m_width, m_goalRow.data(), m_goalColumn.data(),
                                               tile, fromColumn, goal == fromRow);
            if (m_orderTenths != 0)
                before.spread += orderChangeDown(cells, from, to, tile);
        }
        // A block can be knotted only where it holds `tile` and its goal: after the move one that
        // holds `to` and not `from` (where the blank is then), before it one that holds `from`.
        // Most moves are of tiles far from home, near no such block.
        if constexpr (Knots) {
            if ((m_blocks[row + static_cast<std::size_t>(to)] | m_blocks[row + static_cast<std::size_t>(from)]) & 0xFu)
                before.spread += knotChange(cells, from, to, tile);
        }
        return before;
    }

    bool countsKnots() const { return m_knotTenths != 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int goalBlank() const { return m_goalBlank; }

    // The longest increasing run (not necessarily adjacent) of the places along a line
    // fed to it, kept as the set of the smallest last places of runs of each length
    // (patience sorting): a place replaces the smallest such last place above it.
    class LongestRun {
    public:
        void add(int place)
        {
            const std::uint32_t above = m_tails & ~((1u << place) - 1);
            if (above == 0)
                ++m_length; // a run longer than any so far
            m_tails = (m_tails & ~(above & (~above + 1))) | (1u << place);
        }
        int length() const { return m_length; }
        bool operator==(const LongestRun&) const = default;

    private:
        std::uint32_t m_tails = 0;
        int m_length = 0;
    };

    static constexpr int LongestLine = 16; // places along a line at most
    // Beside the spread of a tile 15 places off each way, 5,850 tenths, it still fits 16 bits.
    static constexpr int MostAwayTenths = 1000;
    static constexpr int MostKnotTenths = 1000;
    // At most 64,770 pairs out of order on a 16 x 16 board: the spread stays well inside an int.
    static constexpr int MostOrderTenths = 100;

private:
    // What the pairs out of order add to the spread after the move less before it, for a tile
    // moved across (passing tiles in column order) or up or down (in reading order).
    [[gnu::always_inline]] int orderChangeAcross(const std::uint8_t* cells, int from, int to, int tile) const
    {
        const int passed = m_height - 1;
        const std::uint8_t* places = &m_passedAcross[static_cast<std::size_t>(std::min(from, to) * passed)];
        const int rank = m_goalInColumns[static_cast<std::size_t>(tile)];
        int later = 0; // tiles passed whose goals lie after `tile`'s
        for (int k = 0; k < passed; ++k)
            later += m_goalInColumns[cells[places[k]]] > rank ? 1 : 0;
        return orderChange(passed, later, to > from);
    }
    [[gnu::always_inline]] int orderChangeDown(const std::uint8_t* cells, int from, int to, int tile) const
    {
        const int top = std::min(from, to);
        const int rank = m_goalPlace[static_cast<std::size_t>(tile)];
        int later = 0;
        for (int place = top + 1; place < top + m_width; ++place)
            later += m_goalPlace[cells[place]] > rank ? 1 : 0;
        return orderChange(m_width - 1, later, to > from);
    }
    // Moving on past `passed` tiles, a tile comes before those whose goals lie after its own
    // (`later` of them) and no longer before the others; moving back, the other way round.
    int orderChange(int passed, int later, bool on) const
    {
        const int change = 2 * later - passed;
        return m_orderTenths * (on ? change : -change);
    }
    // What the knots add to the spread after the move less before it.
    int knotChange(const std::uint8_t* cells, int from, int to, int tile) const;
    // The knots among the blocks that hold `at`, with `tile` on it, and not `other`, its
    // neighbour.
    int knotsAround(const std::uint8_t* cells, int at, int other, int tile) const;
    // Whether the block from `topLeft` is knotted, with the tile whose mask is `maskAt` on `at`
    // (any other place for the cells as they are).
    bool knotted(const std::uint8_t* cells, int topLeft, int at, unsigned maskAt) const;

    // The conflicts of a line (from `first`, every `step` places, `length` of them) in which
    // `lineOf` says which line a tile belongs to and `placeIn` where along it.
    int conflicts(const std::uint8_t* cells, int first, int step, int length, int line, const std::uint8_t* lineOf,
                  const std::uint8_t* placeIn) const;
    // How the conflicts of the line `tile` belongs to change as it leaves (or enters) the
    // line at position `along`, where it stands (or the blank does).
    int lineChange(const std::uint8_t* cells, int first, int step, int length, const std::uint8_t* lineOf,
                   const std::uint8_t* placeIn, int tile, int along, bool leaving) const
    {
        const int line = lineOf[tile];
        // The runs with and without `tile` are the same up to its place; once they are the
        // same again after it, the tiles further on lengthen both alike.
        LongestRun without;
        int i = 0;
        for (; i < along; ++i) {
            const int other = cells[first + i * step];
            if (other != 0 && lineOf[other] == line)
                without.add(placeIn[other]);
        }
        LongestRun with = without;
        with.add(placeIn[tile]);
        for (++i; i < length && with != without; ++i) {
            const int other = cells[first + i * step];
            if (other != 0 && lineOf[other] == line) {
                without.add(placeIn[other]);
                with.add(placeIn[other]);
            }
        }
        // Each tile that must leave the line costs two moves: one more of them, unless `tile`
        // lengthens the longest run in order.
        const int change = 2 * (1 - (with.length() - without.length()));
        return leaving ? -change : change;
    }

    int m_width;
    int m_height;
    int m_places;
    int m_goalBlank = 0;
    std::vector<std::uint8_t> m_distance; // tile * places + place
    std::vector<std::int16_t> m_spread;   // likewise
    std::vector<std::uint8_t> m_goalRow;  // by tile
    std::vector<std::uint8_t> m_goalColumn;
    // By place: its row and column, looked up rather than divided for every move.
    std::vector<std::uint8_t> m_rowOf;
    std::vector<std::uint8_t> m_columnOf;
    int m_knotTenths = 0;
    int m_orderTenths = 0;
    // By tile: its goal place, and where that comes reading column by column.
    std::vector<std::uint8_t> m_goalPlace;
    std::vector<std::uint8_t> m_goalInColumns;
    // By place, the height less one places a tile passes in column order, moving across from it
    // to the right or back: those below it in its column, then those above in the next.
    std::vector<std::uint8_t> m_passedAcross;
    // Tile * places + place: bit k is set where the block that has the place as its corner 3 - k
    // (0 top left, 1 top right, 2 bottom left, 3 bottom right) holds the tile's goal too; Home
    // where the tile is home. 0 for the blank.
    std::vector<std::uint8_t> m_blocks;
    static constexpr unsigned Home = 16;
};

} // namespace vantirelle

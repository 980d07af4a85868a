#include "solver/estimate.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <stdexcept>

namespace vantirelle {

ManhattanConflicts::ManhattanConflicts(int width, int height, const std::vector<std::uint8_t>& goal, Spread spread,
                                       int awayTenths, int knotTenths, int orderTenths)
    : m_width(width)
    , m_height(height)
    , m_places(width * height)
    , m_distance(static_cast<std::size_t>(m_places * m_places))
    , m_spread(m_distance.size())
    , m_goalRow(static_cast<std::size_t>(m_places))
    , m_goalColumn(static_cast<std::size_t>(m_places))
    , m_rowOf(static_cast<std::size_t>(m_places))
    , m_columnOf(static_cast<std::size_t>(m_places))
    , m_knotTenths(knotTenths)
    , m_orderTenths(orderTenths)
    , m_goalPlace(static_cast<std::size_t>(m_places))
    , m_goalInColumns(static_cast<std::size_t>(m_places))
    , m_blocks(m_distance.size())
{
    if (width > LongestLine || height > LongestLine || m_places > 256 || goal.size() != static_cast<std::size_t>(m_places))
        throw std::invalid_argument("the estimate is for boards of at most 16 places each way");
    if (awayTenths < -MostAwayTenths || awayTenths > MostAwayTenths)
        throw std::invalid_argument("the estimate counts at most 1000 tenths more or less for a tile out of place");
    if (knotTenths < 0 || knotTenths > MostKnotTenths)
        throw std::invalid_argument("the estimate counts 0 to 1000 tenths for a knot");
    if (orderTenths < 0 || orderTenths > MostOrderTenths)
        throw std::invalid_argument("the estimate counts 0 to 100 tenths for a pair out of order");
    for (int place = 0; place < m_places; ++place) {
        const auto at = static_cast<std::size_t>(place);
        m_rowOf[at] = static_cast<std::uint8_t>(place / width);
        m_columnOf[at] = static_cast<std::uint8_t>(place % width);
        const int tile = goal[at];
        m_goalPlace[static_cast<std::size_t>(tile)] = static_cast<std::uint8_t>(place);
        m_goalInColumns[static_cast<std::size_t>(tile)] = static_cast<std::uint8_t>(m_columnOf[at] * height + m_rowOf[at]);
        if (tile == 0) {
            m_goalBlank = place;
            continue;
        }
        m_goalRow[static_cast<std::size_t>(tile)] = m_rowOf[at];
        m_goalColumn[static_cast<std::size_t>(tile)] = m_columnOf[at];
    }
    if (orderTenths != 0) {
        for (int left = 0; left < m_places; ++left) {
            const int row = left / width;
            const int column = left % width;
            for (int below = row + 1; below < height; ++below)
                m_passedAcross.push_back(static_cast<std::uint8_t>(below * width + column));
            // From the last column no tile moves right: those places are never looked at.
            for (int above = 0; above < row; ++above)
                m_passedAcross.push_back(static_cast<std::uint8_t>(above * width + std::min(column + 1, width - 1)));
        }
    }
    for (int tile = 1; tile < m_places; ++tile) {
        for (int place = 0; place < m_places; ++place) {
            const int down = std::abs(m_goalRow[static_cast<std::size_t>(tile)] - place / width);
            const int across = std::abs(m_goalColumn[static_cast<std::size_t>(tile)] - place % width);
            const int d = down + across;
            const int away = d > 0 ? 1 : 0;
            const int tenths = spread == Spread::AxisSquares         ? 13 * (across * across + down * down) - 3 * away
                               : spread == Spread::SquaresAndProduct ? 10 * (across * across + across * down + down * down)
                                                                     : 10 * d * d;
            const std::size_t at = static_cast<std::size_t>(tile * m_places + place);
            m_distance[at] = static_cast<std::uint8_t>(d);
            m_spread[at] = static_cast<std::int16_t>(tenths + away * awayTenths);
            std::uint8_t blocks = d == 0 ? Home : 0;
            for (int k = 0; k < 4; ++k) {
                const int top = place / width - (k & 2 ? 0 : 1);
                const int left = place % width - (k & 1 ? 0 : 1);
                const int goalDown = m_goalRow[static_cast<std::size_t>(tile)] - top;
                const int goalAcross = m_goalColumn[static_cast<std::size_t>(tile)] - left;
                if (top >= 0 && left >= 0 && top + 1 < height && left + 1 < width && goalDown >= 0 && goalDown <= 1
                    && goalAcross >= 0 && goalAcross <= 1)
                    blocks |= static_cast<std::uint8_t>(1 << k);
            }
            m_blocks[at] = blocks;
        }
    }
}

int ManhattanConflicts::conflicts(const std::uint8_t* cells, int first, int step, int length, int line,
                                  const std::uint8_t* lineOf, const std::uint8_t* placeIn) const
{
    LongestRun run;
    int count = 0;
    for (int i = 0; i < length; ++i) {
        const int tile = cells[first + i * step];
        if (tile != 0 && lineOf[tile] == line) {
            run.add(placeIn[tile]);
            ++count;
        }
    }
    return 2 * (count - run.length());
}

int ManhattanConflicts::knotChange(const std::uint8_t* cells, int from, int to, int tile) const
{
    return m_knotTenths * (knotsAround(cells, to, from, tile) - knotsAround(cells, from, to, tile));
}

int ManhattanConflicts::knotsAround(const std::uint8_t* cells, int at, int other, int tile) const
{
    const unsigned mask = m_blocks[static_cast<std::size_t>(tile * m_places + at)];
    // The blocks that hold `other` too: those where `at` is a left, right, top or bottom corner.
    const unsigned shared = other == at + 1 ? 0b1010u : other == at - 1 ? 0b0101u : other > at ? 0b1100u : 0b0011u;
    unsigned blocks = mask & ~shared & 0xFu;
    int knots = 0;
    while (blocks != 0) {
        const int k = std::countr_zero(blocks);
        blocks &= blocks - 1;
        const int topLeft = at - (k & 2 ? 0 : m_width) - (k & 1 ? 0 : 1);
        knots += knotted(cells, topLeft, at, mask) ? 1 : 0;
    }
    return knots;
}

bool ManhattanConflicts::knotted(const std::uint8_t* cells, int topLeft, int at, unsigned maskAt) const
{
    // Most blocks hold a tile of another block (or the blank, whose mask is 0): the first such
    // corner settles it.
    unsigned home = Home;
    for (int corner = 0; corner < 4; ++corner) {
        const int place = topLeft + (corner & 2 ? m_width : 0) + (corner & 1);
        const unsigned mask = place == at ? maskAt : m_blocks[static_cast<std::size_t>(cells[place] * m_places + place)];
        if (((mask >> (3 - corner)) & 1u) == 0)
            return false;
        home &= mask;
    }
    return home == 0; // not every tile at home
}

ManhattanConflicts::Value ManhattanConflicts::of(const std::uint8_t* cells) const
{
    Value value;
    for (int place = 0; place < m_places; ++place) {
        if (cells[place] != 0) {
            const std::size_t at = static_cast<std::size_t>(cells[place] * m_places + place);
            value.distance += m_distance[at];
            value.spread += m_spread[at];
        }
    }
    for (int row = 0; row < m_height; ++row)
        value.conflicts += conflicts(cells, row * m_width, 1, m_width, row, m_goalRow.data(), m_goalColumn.data());
    for (int column = 0; column < m_width; ++column)
        value.conflicts += conflicts(cells, column, m_width, m_height, column, m_goalColumn.data(), m_goalRow.data());
    if (m_orderTenths != 0) {
        // Read in the order `placeAt` gives, the pairs whose goals come the other way round.
        const auto outOfOrder = [&](const std::vector<std::uint8_t>& goalRank, auto placeAt) {
            int pairs = 0;
            for (int first = 0; first < m_places; ++first) {
                const int tile = cells[placeAt(first)];
                for (int second = first + 1; second < m_places && tile != 0; ++second) {
                    const int other = cells[placeAt(second)];
                    pairs += other != 0 && goalRank[tile] > goalRank[other] ? 1 : 0;
                }
            }
            return pairs;
        };
        value.spread += m_orderTenths * (outOfOrder(m_goalPlace, [](int k) { return k; })
                                         + outOfOrder(m_goalInColumns, [this](int k) {
                                               return (k % m_height) * m_width + k / m_height;
                                           }));
    }
    if (m_knotTenths != 0) {
        for (int top = 0; top + 1 < m_height; ++top) {
            for (int left = 0; left + 1 < m_width; ++left) {
                if (knotted(cells, top * m_width + left, -1, 0))
                    value.spread += m_knotTenths;
            }
        }
    }
    return value;
}

} // namespace vantirelle

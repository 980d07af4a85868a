#include "solver/estimate.h"

#include <cstdlib>
#include <stdexcept>

namespace vantirelle {

ManhattanConflicts::ManhattanConflicts(int width, int height, const std::vector<std::uint8_t>& goal, Spread spread,
                                       int awayTenths)
    : m_width(width)
    , m_height(height)
    , m_places(width * height)
    , m_distance(static_cast<std::size_t>(m_places * m_places))
    , m_spread(m_distance.size())
    , m_goalRow(static_cast<std::size_t>(m_places))
    , m_goalColumn(static_cast<std::size_t>(m_places))
{
    if (width > LongestLine || height > LongestLine || m_places > 256 || goal.size() != static_cast<std::size_t>(m_places))
        throw std::invalid_argument("the estimate is for boards of at most 16 places each way");
    if (awayTenths < -MostAwayTenths || awayTenths > MostAwayTenths)
        throw std::invalid_argument("the estimate counts at most 1000 tenths more or less for a tile out of place");
    for (int place = 0; place < m_places; ++place) {
        const int tile = goal[static_cast<std::size_t>(place)];
        if (tile == 0) {
            m_goalBlank = place;
            continue;
        }
        m_goalRow[static_cast<std::size_t>(tile)] = static_cast<std::uint8_t>(place / width);
        m_goalColumn[static_cast<std::size_t>(tile)] = static_cast<std::uint8_t>(place % width);
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
    return value;
}

} // namespace vantirelle

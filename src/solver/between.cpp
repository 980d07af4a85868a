#include "solver/between.h"

#include "solver/estimate.h"
#include "solver/optimal.h"

#include <algorithm>

namespace vantirelle {

namespace {

class WaySearch {
public:
    WaySearch(int width, int height, std::vector<std::uint8_t> cells, const std::vector<std::uint8_t>& goal,
              std::uint64_t nodeLimit, const std::atomic<bool>* cancel, std::chrono::steady_clock::time_point deadline)
        : m_width(width)
        , m_height(height)
        , m_cells(std::move(cells))
        , m_estimate(width, height, goal)
        , m_nodeLimit(nodeLimit)
        , m_cancel(cancel)
        , m_deadline(deadline)
    {
        m_blank = static_cast<int>(std::find(m_cells.begin(), m_cells.end(), 0) - m_cells.begin());
    }

    std::optional<std::vector<int>> run(std::size_t shorterThan)
    {
        const ManhattanConflicts::Value start = m_estimate.of(m_cells.data());
        for (int limit = start.bound();;) {
            if (shorterThan && static_cast<std::size_t>(limit) >= shorterThan)
                return std::nullopt;
            const int next = search(0, limit, -1, start);
            if (m_found)
                return m_path;
            if (m_nodes > m_nodeLimit || next == Beyond)
                return std::nullopt;
            limit = next;
        }
    }

    std::uint64_t nodes() const { return m_nodes; }

private:
    static constexpr int Beyond = 1 << 30;

    int search(int cost, int limit, int cameFrom, ManhattanConflicts::Value value)
    {
        const int f = cost + value.bound();
        if (f > limit)
            return f;
        if (value.distance == 0) { // every tile in its place, so the blank too
            m_found = true;
            return cost;
        }
        if ((++m_nodes & 0xFFF) == 0) {
            if (m_cancel && m_cancel->load(std::memory_order_relaxed))
                throw SearchCancelled();
            if (std::chrono::steady_clock::now() >= m_deadline)
                m_nodeLimit = m_nodes - 1; // out of time: given up as out of nodes
        }
        if (m_nodes > m_nodeLimit)
            return Beyond;
        const int blank = m_blank;
        const int row = blank / m_width;
        const int column = blank % m_width;
        const int next[4] = {row > 0 ? blank - m_width : -1, column > 0 ? blank - 1 : -1,
                             column < m_width - 1 ? blank + 1 : -1, row < m_height - 1 ? blank + m_width : -1};
        int smallest = Beyond;
        for (const int from : next) {
            if (from < 0 || from == cameFrom)
                continue;
            const ManhattanConflicts::Value moved = m_estimate.after(m_cells.data(), value, from, blank);
            std::swap(m_cells[static_cast<std::size_t>(from)], m_cells[static_cast<std::size_t>(blank)]);
            m_blank = from;
            m_path.push_back(from);
            const int result = search(cost + 1, limit, blank, moved);
            if (m_found)
                return result;
            m_path.pop_back();
            m_blank = blank;
            std::swap(m_cells[static_cast<std::size_t>(from)], m_cells[static_cast<std::size_t>(blank)]);
            smallest = std::min(smallest, result);
        }
        return smallest;
    }

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_cells;
    ManhattanConflicts m_estimate;
    std::uint64_t m_nodeLimit;
    const std::atomic<bool>* m_cancel;
    std::chrono::steady_clock::time_point m_deadline;
    int m_blank = 0;
    std::uint64_t m_nodes = 0;
    bool m_found = false;
    std::vector<int> m_path;
};

} // namespace

std::optional<std::vector<int>> shortestWayBetween(int width, int height, std::vector<std::uint8_t> from,
                                                   const std::vector<std::uint8_t>& to, std::uint64_t nodeLimit,
                                                   std::size_t shorterThan, const std::atomic<bool>* cancel,
                                                   std::uint64_t* nodesSearched,
                                                   std::chrono::steady_clock::time_point deadline)
{
    WaySearch search(width, height, std::move(from), to, nodeLimit, cancel, deadline);
    std::optional<std::vector<int>> way = search.run(shorterThan);
    if (nodesSearched)
        *nodesSearched = search.nodes();
    return way;
}

} // namespace vantirelle

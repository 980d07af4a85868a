#include "solver/optimal.h"

#include "solver/builtintables.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace vantirelle {

namespace {

constexpr std::uint8_t Unreached = 0xFF;
constexpr int GroupLimit = 5;

// Tiles split into groups of at most five, as even in size as they come, taking their
// home places down the longer side first, so each group is a compact block. The 4 x 4
// board takes the blocks that did best of eight 5-5-5 splits tried on 300 random boards:
// the left two columns' top three rows, the rest of the top two rows, and the
// bottom-right corner.
std::vector<std::vector<int>> groupsFor(int width, int height)
{
    if (width == 4 && height == 4)
        return {{1, 5, 6, 9, 10}, {2, 3, 4, 7, 8}, {11, 12, 13, 14, 15}};
    std::vector<int> order; // tiles by home, row by row, or column by column on wide boards
    if (width > height) {
        for (int column = 0; column < width; ++column)
            for (int row = 0; row < height; ++row)
                order.push_back(row * width + column + 1);
    } else {
        for (int home = 0; home < width * height; ++home)
            order.push_back(home + 1);
    }
    order.erase(std::remove(order.begin(), order.end(), width * height), order.end()); // the blank's home
    const int tiles = static_cast<int>(order.size());
    const int count = (tiles + GroupLimit - 1) / GroupLimit;
    std::vector<std::vector<int>> groups(static_cast<std::size_t>(count));
    auto next = order.begin();
    for (int g = 0; g < count; ++g) {
        const int size = tiles / count + (g < tiles % count ? 1 : 0);
        for (int i = 0; i < size; ++i)
            groups[static_cast<std::size_t>(g)].push_back(*next++);
    }
    return groups;
}

std::uint32_t indexOf(const int* places, std::size_t count)
{
    std::uint32_t index = 0;
    for (std::size_t i = 0; i < count; ++i)
        index |= static_cast<std::uint32_t>(places[i]) << (4 * i);
    return index;
}

// One group's table: a 0-1 breadth-first search over the places of the group's tiles and
// the blank, where a move of one of the group's tiles costs 1 and any other move nothing.
std::vector<std::uint8_t> buildTable(int width, int height, const std::vector<int>& group,
                                     const std::atomic<bool>* stop)
{
    const int places = width * height;
    const std::size_t k = group.size();
    const int blankSlot = static_cast<int>(k);
    std::vector<std::uint8_t> distance(std::size_t{1} << (4 * (k + 1)), Unreached);

    int start[GroupLimit + 1];
    for (std::size_t i = 0; i < k; ++i)
        start[i] = group[i] - 1;
    start[k] = places - 1;

    std::vector<std::uint32_t> current{indexOf(start, k + 1)};
    std::vector<std::uint32_t> next;
    distance[current.front()] = 0;
    for (std::uint8_t level = 0; !current.empty(); ++level) {
        for (std::size_t at = 0; at < current.size(); ++at) {
            if ((at & 0xFFFF) == 0 && stop && stop->load(std::memory_order_relaxed))
                throw SearchCancelled();
            const std::uint32_t state = current[at];
            if (distance[state] != level)
                continue; // reached more cheaply since it was queued
            int cells[GroupLimit + 1];
            for (std::size_t i = 0; i <= k; ++i)
                cells[i] = static_cast<int>((state >> (4 * i)) & 0xF);
            const int blank = cells[blankSlot];
            const int row = blank / width;
            const int column = blank % width;
            const int neighbours[4] = {column > 0 ? blank - 1 : -1, column < width - 1 ? blank + 1 : -1,
                                       row > 0 ? blank - width : -1, row < height - 1 ? blank + width : -1};
            for (const int cell : neighbours) {
                if (cell < 0)
                    continue;
                int owner = -1;
                for (std::size_t i = 0; i < k; ++i) {
                    if (cells[i] == cell)
                        owner = static_cast<int>(i);
                }
                std::uint32_t moved = state;
                moved &= ~(0xFu << (4 * blankSlot));
                moved |= static_cast<std::uint32_t>(cell) << (4 * blankSlot);
                if (owner < 0) {
                    if (distance[moved] > level) {
                        distance[moved] = level;
                        current.push_back(moved);
                    }
                } else {
                    moved &= ~(0xFu << (4 * owner));
                    moved |= static_cast<std::uint32_t>(blank) << (4 * owner);
                    if (distance[moved] > level + 1) {
                        distance[moved] = static_cast<std::uint8_t>(level + 1);
                        next.push_back(moved);
                    }
                }
            }
        }
        current.swap(next);
        next.clear();
        next.shrink_to_fit();
    }

    // The table keeps, for each placing of the tiles, the cheapest place of the blank.
    std::vector<std::uint8_t> table(std::size_t{1} << (4 * k), Unreached);
    const std::uint32_t tileMask = (1u << (4 * k)) - 1;
    for (std::uint32_t state = 0; state < distance.size(); ++state) {
        const std::uint8_t d = distance[state];
        if (d != Unreached) {
            std::uint8_t& best = table[state & tileMask];
            best = std::min(best, d);
        }
    }
    return table;
}

} // namespace

PatternDatabases::PatternDatabases(int width, int height, const std::function<void(int)>& progress,
                                   const std::atomic<bool>* stop)
    : m_width(width), m_height(height), m_groups(groupsFor(width, height))
{
    if (width * height > MaximumOptimalPlaces || width < 2 || height < 2)
        throw std::invalid_argument("pattern databases are for boards of 2 x 2 to 16 places");
    // Work in proportion to each group's table.
    std::size_t total = 0;
    for (const auto& group : m_groups)
        total += std::size_t{1} << (4 * group.size());
    std::size_t done = 0;
    if (progress)
        progress(0);
    for (const auto& group : m_groups) {
        m_tables.push_back(buildTable(width, height, group, stop));
        done += std::size_t{1} << (4 * group.size());
        if (progress)
            progress(static_cast<int>(done * 100 / total));
    }
}

namespace {

// Calls `visit(sparse index)` for every placing of `count` tiles on distinct places of a
// board of `places`, in lexicographic order of the places.
template <typename Visit>
void forEachPlacing(int places, std::size_t count, Visit&& visit)
{
    int chosen[GroupLimit] = {};
    std::uint32_t used = 0;
    std::size_t depth = 0;
    chosen[0] = -1;
    while (true) {
        // Next free place for the slot at `depth`, after the one it holds.
        int place = chosen[depth] + 1;
        if (chosen[depth] >= 0)
            used &= ~(1u << chosen[depth]);
        while (place < places && (used & (1u << place)))
            ++place;
        if (place >= places) {
            if (depth == 0)
                return;
            --depth;
            continue;
        }
        chosen[depth] = place;
        used |= 1u << place;
        if (depth + 1 == count) {
            visit(indexOf(chosen, count));
            continue;
        }
        ++depth;
        chosen[depth] = -1;
    }
}

} // namespace

std::vector<std::uint8_t> PatternDatabases::packed() const
{
    std::vector<std::uint8_t> out;
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        forEachPlacing(m_width * m_height, m_groups[g].size(), [&](std::uint32_t index) { out.push_back(m_tables[g][index]); });
    return out;
}

PatternDatabases::PatternDatabases(int width, int height, const unsigned char* packed, std::size_t size)
    : m_width(width), m_height(height), m_groups(groupsFor(width, height))
{
    if (width * height > MaximumOptimalPlaces || width < 2 || height < 2)
        throw std::invalid_argument("pattern databases are for boards of 2 x 2 to 16 places");
    std::size_t at = 0;
    for (const auto& group : m_groups) {
        std::vector<std::uint8_t> table(std::size_t{1} << (4 * group.size()), Unreached);
        forEachPlacing(width * height, group.size(), [&](std::uint32_t index) {
            if (at < size)
                table[index] = packed[at];
            ++at;
        });
        m_tables.push_back(std::move(table));
    }
    if (at != size)
        throw std::invalid_argument("the packed tables do not fit this board's shape");
}

std::size_t PatternDatabases::bytes() const
{
    std::size_t total = 0;
    for (const auto& table : m_tables)
        total += table.size();
    return total;
}

int PatternDatabases::value(std::size_t group, const int* places) const
{
    return m_tables[group][indexOf(places, m_groups[group].size())];
}

namespace {

struct Registry {
    std::mutex mutex;
    std::condition_variable changed; // a build finished or was stopped
    std::map<std::pair<int, int>, std::shared_ptr<PatternDatabases>> built;
    std::set<std::pair<int, int>> building;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

const PatternDatabases& patternDatabases(int width, int height, const std::function<void(int)>& progress,
                                        const std::atomic<bool>* stop)
{
    // Not std::call_once: with MinGW's threads, a call that leaves it by an exception (a build
    // stopped) leaves every later call waiting for ever.
    Registry& r = registry();
    const std::pair shape{width, height};
    {
        std::unique_lock lock(r.mutex);
        // A build another thread has begun is waited for, as long as this caller still wants
        // the tables; one that was stopped leaves the build to the next caller.
        while (!r.built.count(shape) && r.building.count(shape)) {
            if (stop && stop->load(std::memory_order_relaxed))
                throw SearchCancelled();
            r.changed.wait_for(lock, std::chrono::milliseconds(20));
        }
        if (const auto found = r.built.find(shape); found != r.built.end())
            return *found->second;
        r.building.insert(shape);
    }
    // However the build ends, the shape is no longer being built, and whoever waits hears so.
    const auto finish = [&r, shape](const std::shared_ptr<PatternDatabases>& made) {
        {
            const std::lock_guard lock(r.mutex);
            r.building.erase(shape);
            if (made)
                r.built[shape] = made;
        }
        r.changed.notify_all();
    };
    std::shared_ptr<PatternDatabases> tables;
    try {
        for (const PackedTables& carried : builtInPatternTables()) {
            if (carried.width == width && carried.height == height)
                tables = std::make_shared<PatternDatabases>(width, height, carried.data, carried.size);
        }
        if (!tables)
            tables = std::make_shared<PatternDatabases>(width, height, progress, stop);
    } catch (...) {
        finish(nullptr);
        throw;
    }
    finish(tables);
    return *tables;
}

bool patternDatabasesReady(int width, int height)
{
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    return r.built.count({width, height}) > 0;
}

namespace {

// The board during the search: what is on each place and where the blank is.
struct SearchState {
    int width;
    int height;
    std::array<std::int8_t, MaximumOptimalPlaces> cells{};
    int blank = 0;
};

// The pattern databases' bound, kept up to date move by move: each move changes one
// tile's place, so one group's index and one reflected group's index.
class PatternBound {
public:
    PatternBound(const PatternDatabases& tables, const SearchState& state)
        : m_tables(tables)
    {
        const int width = state.width;
        const int places = width * state.height;
        m_reflect = state.width == state.height;
        m_groupOf.fill(-1);
        for (std::size_t g = 0; g < tables.groups().size(); ++g) {
            for (std::size_t slot = 0; slot < tables.groups()[g].size(); ++slot) {
                const int tile = tables.groups()[g][slot];
                m_groupOf[static_cast<std::size_t>(tile)] = static_cast<int>(g);
                m_shift[static_cast<std::size_t>(tile)] = static_cast<int>(4 * slot);
            }
        }
        for (int cell = 0; cell < places; ++cell)
            m_mirror[static_cast<std::size_t>(cell)] = (cell % width) * width + cell / width;
        // Reflected, tile t plays the part of the tile whose home mirrors t's home.
        for (int tile = 1; tile < places; ++tile) {
            const int partner = m_mirror[static_cast<std::size_t>(tile - 1)] + 1;
            m_mirrorGroupOf[static_cast<std::size_t>(tile)] = m_groupOf[static_cast<std::size_t>(partner)];
            m_mirrorShift[static_cast<std::size_t>(tile)] = m_shift[static_cast<std::size_t>(partner)];
        }
        m_groups = tables.groups().size();
        for (int cell = 0; cell < places; ++cell) {
            const int tile = state.cells[static_cast<std::size_t>(cell)];
            if (tile == 0)
                continue;
            const auto t = static_cast<std::size_t>(tile);
            m_index[static_cast<std::size_t>(m_groupOf[t])] |= static_cast<std::uint32_t>(cell) << m_shift[t];
            if (m_reflect)
                m_mirrorIndex[static_cast<std::size_t>(m_mirrorGroupOf[t])] |=
                    static_cast<std::uint32_t>(m_mirror[static_cast<std::size_t>(cell)]) << m_mirrorShift[t];
        }
        m_sum = 0;
        m_mirrorSum = 0;
        for (std::size_t g = 0; g < m_groups; ++g) {
            m_values[g] = tables.table(g)[m_index[g]];
            m_sum += m_values[g];
            if (m_reflect) {
                m_mirrorValues[g] = tables.table(g)[m_mirrorIndex[g]];
                m_mirrorSum += m_mirrorValues[g];
            }
        }
    }

    int value() const { return std::max(m_sum, m_mirrorSum); }

    void move(int tile, int from, int to)
    {
        const auto t = static_cast<std::size_t>(tile);
        const auto g = static_cast<std::size_t>(m_groupOf[t]);
        m_index[g] += (static_cast<std::uint32_t>(to) << m_shift[t]) - (static_cast<std::uint32_t>(from) << m_shift[t]);
        const int value = m_tables.table(g)[m_index[g]];
        m_sum += value - m_values[g];
        m_values[g] = value;
        if (m_reflect) {
            const auto mg = static_cast<std::size_t>(m_mirrorGroupOf[t]);
            const auto mirroredTo = static_cast<std::uint32_t>(m_mirror[static_cast<std::size_t>(to)]);
            const auto mirroredFrom = static_cast<std::uint32_t>(m_mirror[static_cast<std::size_t>(from)]);
            m_mirrorIndex[mg] += (mirroredTo << m_mirrorShift[t]) - (mirroredFrom << m_mirrorShift[t]);
            const int mirrored = m_tables.table(mg)[m_mirrorIndex[mg]];
            m_mirrorSum += mirrored - m_mirrorValues[mg];
            m_mirrorValues[mg] = mirrored;
        }
    }

private:
    const PatternDatabases& m_tables;
    bool m_reflect = false;
    std::array<int, MaximumOptimalPlaces> m_groupOf{};
    std::array<int, MaximumOptimalPlaces> m_shift{};
    std::array<int, MaximumOptimalPlaces> m_mirror{};
    std::array<int, MaximumOptimalPlaces> m_mirrorGroupOf{};
    std::array<int, MaximumOptimalPlaces> m_mirrorShift{};
    static constexpr std::size_t MostGroups = (MaximumOptimalPlaces - 1 + GroupLimit - 1) / GroupLimit;
    std::size_t m_groups = 0;
    std::array<std::uint32_t, MostGroups> m_index{};
    std::array<std::uint32_t, MostGroups> m_mirrorIndex{};
    std::array<int, MostGroups> m_values{};
    std::array<int, MostGroups> m_mirrorValues{};
    int m_sum = 0;
    int m_mirrorSum = 0;
};

// The sum of every tile's Manhattan distance from home.
class ManhattanBound {
public:
    explicit ManhattanBound(const SearchState& state) : m_width(state.width)
    {
        for (int cell = 0; cell < state.width * state.height; ++cell) {
            const int tile = state.cells[static_cast<std::size_t>(cell)];
            if (tile != 0)
                m_sum += distance(tile, cell);
        }
    }
    int value() const { return m_sum; }
    void move(int tile, int from, int to) { m_sum += distance(tile, to) - distance(tile, from); }

private:
    int distance(int tile, int cell) const
    {
        const int home = tile - 1;
        return std::abs(home / m_width - cell / m_width) + std::abs(home % m_width - cell % m_width);
    }
    int m_width;
    int m_sum = 0;
};

// Iterative deepening A*: depth-first searches bounded by the cost so far plus the bound,
// each with the smallest cost that overflowed the last as its limit. A move is undone by
// moving the tile back, which restores the bound exactly.
template <typename Bound>
class IdaStar {
public:
    IdaStar(SearchState state, Bound bound, const std::atomic<bool>* cancel, std::uint64_t nodeLimit)
        : m_state(state), m_bound(std::move(bound)), m_cancel(cancel), m_nodeLimit(nodeLimit)
    {
    }

    std::optional<std::vector<std::int16_t>> run()
    {
        int limit = m_bound.value();
        while (true) {
            const int next = search(0, limit, -1);
            if (m_found)
                return m_path;
            if (m_exhausted)
                return std::nullopt;
            limit = next;
        }
    }

private:
    static constexpr int Beyond = 1 << 30;

    int search(int cost, int limit, int cameFrom)
    {
        const int h = m_bound.value();
        if (cost + h > limit)
            return cost + h;
        if (h == 0) {
            m_found = true;
            return cost;
        }
        if ((++m_nodes & 0xFFF) == 0) {
            if (m_cancel && m_cancel->load(std::memory_order_relaxed))
                throw SearchCancelled();
            if (m_nodeLimit && m_nodes > m_nodeLimit) {
                m_exhausted = true;
                return Beyond;
            }
        }
        int smallest = Beyond;
        const int width = m_state.width;
        const int blank = m_state.blank;
        const int row = blank / width;
        const int column = blank % width;
        const int neighbours[4] = {row > 0 ? blank - width : -1, column > 0 ? blank - 1 : -1,
                                   column < width - 1 ? blank + 1 : -1,
                                   row < m_state.height - 1 ? blank + width : -1};
        for (const int cell : neighbours) {
            if (cell < 0 || cell == cameFrom)
                continue;
            const int tile = m_state.cells[static_cast<std::size_t>(cell)];
            slide(tile, cell, blank);
            m_path.push_back(static_cast<std::int16_t>(tile));
            const int result = search(cost + 1, limit, blank);
            if (m_found || m_exhausted)
                return result;
            m_path.pop_back();
            slide(tile, blank, cell);
            smallest = std::min(smallest, result);
        }
        return smallest;
    }

    // The tile on `from` slides into the blank on `to`.
    void slide(int tile, int from, int to)
    {
        m_state.cells[static_cast<std::size_t>(to)] = static_cast<std::int8_t>(tile);
        m_state.cells[static_cast<std::size_t>(from)] = 0;
        m_state.blank = from;
        m_bound.move(tile, from, to);
    }

    SearchState m_state;
    Bound m_bound;
    const std::atomic<bool>* m_cancel;
    std::uint64_t m_nodeLimit;
    std::uint64_t m_nodes = 0;
    bool m_found = false;
    bool m_exhausted = false;
    std::vector<std::int16_t> m_path;
};

SearchState searchState(const Puzzle& puzzle)
{
    if (puzzle.places() > MaximumOptimalPlaces)
        throw std::invalid_argument("optimal solutions are for boards of at most 16 places");
    SearchState state{puzzle.width, puzzle.height, {}, puzzle.blank()};
    for (int cell = 0; cell < puzzle.places(); ++cell)
        state.cells[static_cast<std::size_t>(cell)] = static_cast<std::int8_t>(puzzle.tiles[static_cast<std::size_t>(cell)]);
    return state;
}

} // namespace

std::optional<std::vector<std::int16_t>> solveOptimally(const Puzzle& puzzle, const std::atomic<bool>* cancel,
                                                        std::uint64_t nodeLimit)
{
    const SearchState state = searchState(puzzle);
    if (puzzle.width == 1 || puzzle.height == 1)
        return IdaStar<ManhattanBound>(state, ManhattanBound(state), cancel, nodeLimit).run();
    const PatternDatabases& tables = patternDatabases(puzzle.width, puzzle.height);
    return IdaStar<PatternBound>(state, PatternBound(tables, state), cancel, nodeLimit).run();
}

std::optional<std::vector<std::int16_t>> solveWithManhattanDistance(const Puzzle& puzzle, std::uint64_t nodeLimit)
{
    const SearchState state = searchState(puzzle);
    return IdaStar<ManhattanBound>(state, ManhattanBound(state), nullptr, nodeLimit).run();
}

} // namespace vantirelle

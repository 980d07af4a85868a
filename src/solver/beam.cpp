#include "solver/beam.h"

#include "solver/estimate.h"
#include "solver/lowest.h"
#include "solver/optimal.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>

namespace vantirelle {

namespace {

// A position of the current depth, beside its cells.
struct Entry {
    std::uint64_t hash;
    ManhattanConflicts::Value value;
    std::uint8_t blank;
    std::uint8_t cameFrom; // the blank's place before the last move, so it is not undone
};

// A position one move on from an entry.
struct Child {
    std::uint64_t hash;
    std::uint32_t parent;
    std::int32_t score;
    ManhattanConflicts::Value value;
    std::uint8_t blank; // where the tile came from
};

// Positions already kept, by hash, in a table that forgets the oldest on a clash: a
// position comes back at the earliest twelve moves later (a tile circling a two by two
// square), and the table holds a dozen depths and more.
class SeenTable {
public:
    explicit SeenTable(std::size_t width)
    {
        std::size_t size = 1024;
        while (size < 16 * width && size < (std::size_t{1} << 22))
            size *= 2;
        m_slots.assign(size, 0);
        m_mask = size - 1;
    }
    const std::uint64_t* slot(std::uint64_t hash) const { return &m_slots[hash & m_mask]; }
    bool contains(std::uint64_t hash) const { return m_slots[hash & m_mask] == hash; }
    void insert(std::uint64_t hash) { m_slots[hash & m_mask] = hash; }
    void clear() { std::fill(m_slots.begin(), m_slots.end(), 0); }

private:
    std::vector<std::uint64_t> m_slots;
    std::size_t m_mask = 0;
};

class BeamSearch {
public:
    BeamSearch(const Puzzle& puzzle, const BeamOptions& options)
        : m_width(puzzle.width)
        , m_height(puzzle.height)
        , m_places(puzzle.places())
        , m_options(options)
        , m_estimate(puzzle.width, puzzle.height,
                     options.target.empty() ? goalCells(puzzle.width, puzzle.height) : options.target, options.spread,
                     options.awayTenths, options.knotTenths, options.orderTenths)
        , m_seen(options.width)
        , m_keys(static_cast<std::size_t>(m_places * m_places))
    {
        std::mt19937_64 random(options.seed);
        for (std::uint64_t& key : m_keys)
            key = random();
        m_start.resize(static_cast<std::size_t>(m_places));
        for (int place = 0; place < m_places; ++place)
            m_start[static_cast<std::size_t>(place)] = static_cast<std::uint8_t>(puzzle.tiles[static_cast<std::size_t>(place)]);
    }

    std::optional<std::vector<std::int16_t>> run(BeamStats* stats)
    {
        std::vector<std::uint8_t> cells = m_start;
        std::vector<Entry> entries(1);
        entries[0].value = m_estimate.of(cells.data());
        entries[0].hash = hashOf(cells);
        entries[0].blank = static_cast<std::uint8_t>(blankOf(cells));
        entries[0].cameFrom = NoPlace;
        if (entries[0].value.distance == 0)
            return std::vector<std::int16_t>{};
        m_seen.insert(entries[0].hash);
        // A beam bounded by a solution found before keeps at most its width at each depth up to
        // that solution's length: room for all of its links at once spares copying them as
        // they grow (pages not written to are not taken).
        if (m_options.shorterThan)
            m_links.reserve(
                std::min(m_options.width * m_options.shorterThan, m_options.memoryBytes / sizeof(std::uint32_t)));

        std::vector<std::uint8_t> nextCells;
        std::vector<Entry> nextEntries;
        std::vector<Child> children;
        std::vector<std::uint32_t> counts;
        std::vector<std::uint32_t> tied;
        bool refreshed = false;
        for (std::size_t depth = 1;; ++depth) {
            if (m_options.cancel && m_options.cancel->load(std::memory_order_relaxed))
                throw SearchCancelled();
            if (std::chrono::steady_clock::now() >= m_options.deadline)
                return std::nullopt;
            if (m_options.shorterThan && depth >= m_options.shorterThan)
                return std::nullopt;
            if (m_options.stallDepths && depth > m_closestDepth + m_options.stallDepths) {
                giveUp(stats, entries, nextEntries);
                return std::nullopt;
            }
            if (m_estimate.countsKnots())
                expand<true>(cells, entries, depth, children);
            else
                expand<false>(cells, entries, depth, children);
            m_positions += children.size();
            if (stats) {
                stats->depth = depth;
                stats->positions = m_positions;
            }
            if (m_options.progress)
                m_options.progress(m_positions);
            if (m_options.positionLimit && m_positions > m_options.positionLimit) {
                giveUp(stats, entries, nextEntries);
                return std::nullopt;
            }
            if (children.empty()) {
                // Every way on leads back to a position seen before: forget them once, and
                // let the beam go back the way it came.
                if (refreshed)
                    return std::nullopt;
                refreshed = true;
                m_seen.clear();
                --depth;
                continue;
            }
            refreshed = false;
            select(children, counts, tied);

            // The kept children become the next depth; the links say which entry each came from.
            const std::size_t kept = children.size();
            if ((m_links.size() + kept) * sizeof(std::uint32_t) + 2 * kept * static_cast<std::size_t>(m_places)
                > m_options.memoryBytes)
                return std::nullopt;
            m_layers.push_back(m_links.size());
            nextCells.resize(kept * static_cast<std::size_t>(m_places));
            nextEntries.clear();
            int goal = -1;
            for (std::size_t k = 0; k < std::min<std::size_t>(8, children.size()); ++k)
                __builtin_prefetch(m_seen.slot(children[k].hash));
            for (std::size_t k = 0; k < children.size(); ++k) {
                const Child& child = children[k];
                if (k + 8 < children.size())
                    __builtin_prefetch(m_seen.slot(children[k + 8].hash));
                if (m_seen.contains(child.hash))
                    continue; // reached twice at this depth
                m_seen.insert(child.hash);
                const Entry& parent = entries[child.parent];
                std::uint8_t* to = &nextCells[nextEntries.size() * static_cast<std::size_t>(m_places)];
                std::memcpy(to, &cells[child.parent * static_cast<std::size_t>(m_places)], static_cast<std::size_t>(m_places));
                to[parent.blank] = to[child.blank];
                to[child.blank] = 0;
                if (child.value.distance == 0 && goal < 0)
                    goal = static_cast<int>(nextEntries.size());
                if (child.score < m_closestScore) {
                    m_closestScore = child.score;
                    m_closestDepth = depth;
                    m_closestEntry = nextEntries.size();
                }
                nextEntries.push_back(Entry{child.hash, child.value, child.blank, parent.blank});
                m_links.push_back(child.parent << 8 | child.blank);
            }
            cells.swap(nextCells);
            entries.swap(nextEntries);
            if (goal >= 0)
                return pathTo(m_layers.size() - 1, static_cast<std::size_t>(goal));
        }
    }

private:
    static constexpr std::uint8_t NoPlace = 0xFF;
    static constexpr std::size_t NearestKept = 16;

    static std::vector<std::uint8_t> goalCells(int width, int height)
    {
        const Puzzle goal = Puzzle::goal(width, height);
        return std::vector<std::uint8_t>(goal.tiles.begin(), goal.tiles.end());
    }

    std::uint64_t key(int tile, int place) const { return m_keys[static_cast<std::size_t>(tile * m_places + place)]; }

    std::uint64_t hashOf(const std::vector<std::uint8_t>& cells) const
    {
        std::uint64_t hash = 0;
        for (int place = 0; place < m_places; ++place)
            hash ^= key(cells[static_cast<std::size_t>(place)], place);
        return hash;
    }

    static int blankOf(const std::vector<std::uint8_t>& cells)
    {
        return static_cast<int>(std::find(cells.begin(), cells.end(), 0) - cells.begin());
    }

    int score(ManhattanConflicts::Value value) const
    {
        return m_options.distanceWeight * value.distance + m_options.conflictWeight * value.conflicts
               + m_options.spreadWeight * value.spread;
    }

    // Every move from every entry that leads to a position not seen lately. The table is
    // asked about an entry's children once the next entry's are made, so that their slots
    // have been fetched by then.
    template <bool Knots>
    void expand(const std::vector<std::uint8_t>& cells, const std::vector<Entry>& entries, std::size_t depth,
                std::vector<Child>& children)
    {
        children.clear();
        Child made[2][4];
        int madeCount[2] = {0, 0};
        const std::size_t bound = m_options.shorterThan;
        for (std::size_t i = 0; i <= entries.size(); ++i) {
            const int now = static_cast<int>(i & 1);
            madeCount[now] = 0;
            if (i < entries.size()) {
                if ((i & 0xFFF) == 0xFFF && m_options.cancel && m_options.cancel->load(std::memory_order_relaxed))
                    throw SearchCancelled();
                const Entry& entry = entries[i];
                const std::uint8_t* position = &cells[i * static_cast<std::size_t>(m_places)];
                const int blank = entry.blank;
                const int row = blank / m_width;
                const int column = blank % m_width;
                const int next[4] = {row > 0 ? blank - m_width : -1, column > 0 ? blank - 1 : -1,
                                     column < m_width - 1 ? blank + 1 : -1, row < m_height - 1 ? blank + m_width : -1};
                for (const int from : next) {
                    if (from < 0 || from == entry.cameFrom)
                        continue;
                    const int tile = position[from];
                    Child& child = made[now][madeCount[now]];
                    child.value = m_estimate.after<Knots>(position, entry.value, from, blank);
                    if (bound && depth + static_cast<std::size_t>(child.value.bound()) >= bound)
                        continue; // cannot lead to a shorter solution
                    child.hash = entry.hash ^ key(tile, from) ^ key(tile, blank) ^ key(0, blank) ^ key(0, from);
                    child.parent = static_cast<std::uint32_t>(i);
                    child.score = score(child.value);
                    child.blank = static_cast<std::uint8_t>(from);
                    __builtin_prefetch(m_seen.slot(child.hash));
                    ++madeCount[now];
                }
            }
            const int before = 1 - now;
            for (int k = 0; k < madeCount[before]; ++k) {
                if (!m_seen.contains(made[before][k].hash))
                    children.push_back(made[before][k]);
            }
        }
    }

    // Keeps the `width` children with the lowest scores; ties at the cut are broken by hash,
    // which is as good as a coin and the same on every run. The kept children stay in the
    // order they were made, their parents' order, so the next depth's cells are copied from
    // the current depth's front to back (a tenth faster on 8 x 8 than in the order a
    // partition leaves them).
    void select(std::vector<Child>& children, std::vector<std::uint32_t>& counts,
                std::vector<std::uint32_t>& tied) const
    {
        keepLowest(
            children, m_options.width, [](const Child& child) { return child.score; },
            [](const Child& child) { return static_cast<std::uint32_t>(child.hash >> 32); }, counts, tied);
    }

    // Where a beam gives up, circling a knot or out of positions: the moves to the best
    // position it found, and to the best of the last two depths, the current (`entries`) and
    // the one before.
    void giveUp(BeamStats* stats, const std::vector<Entry>& entries, const std::vector<Entry>& before) const
    {
        if (!stats || m_layers.empty())
            return; // not a move kept yet
        stats->stalled = true;
        stats->nearest.push_back(pathTo(m_closestDepth - 1, m_closestEntry));
        // The best of the last two depths too: the blank on either colour of the board, with
        // knots tied differently.
        for (const auto* layer : {&entries, &before}) {
            const std::size_t depthIndex = m_layers.size() - (layer == &entries ? 1 : 2);
            if (layer->empty() || m_layers.size() < 2)
                continue;
            std::vector<std::size_t> order(layer->size());
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            const std::size_t best = std::min<std::size_t>(NearestKept, order.size());
            std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(best), order.end(),
                              [&](std::size_t a, std::size_t c) { return score((*layer)[a].value) < score((*layer)[c].value); });
            for (std::size_t i = 0; i < best; ++i)
                stats->nearest.push_back(pathTo(depthIndex, order[i]));
        }
    }

    // The moves to an entry of a depth (counted from 0 for the first move's).
    std::vector<std::int16_t> pathTo(std::size_t depth, std::size_t entry) const
    {
        // The places the blank went to, from that depth back to the first.
        std::vector<int> blanks(depth + 1);
        for (std::size_t layer = depth + 1; layer-- > 0;) {
            const std::uint32_t link = m_links[m_layers[layer] + entry];
            blanks[layer] = static_cast<int>(link & 0xFF);
            entry = link >> 8;
        }
        std::vector<std::uint8_t> cells = m_start;
        int blank = blankOf(cells);
        std::vector<std::int16_t> moves;
        moves.reserve(blanks.size());
        for (const int next : blanks) {
            moves.push_back(cells[static_cast<std::size_t>(next)]);
            cells[static_cast<std::size_t>(blank)] = cells[static_cast<std::size_t>(next)];
            cells[static_cast<std::size_t>(next)] = 0;
            blank = next;
        }
        return moves;
    }

    int m_width;
    int m_height;
    int m_places;
    BeamOptions m_options;
    ManhattanConflicts m_estimate;
    SeenTable m_seen;
    std::vector<std::uint64_t> m_keys; // tile * places + place
    std::vector<std::uint8_t> m_start;
    std::vector<std::uint32_t> m_links;  // per kept position: its parent's index << 8 | the blank's place
    std::vector<std::size_t> m_layers;   // where each depth's links begin
    // The lowest-scoring position kept so far: the closest the beam came to the goal.
    int m_closestScore = std::numeric_limits<int>::max();
    std::size_t m_positions = 0;
    std::size_t m_closestDepth = 0;
    std::size_t m_closestEntry = 0;
};

} // namespace

std::optional<std::vector<std::int16_t>> beamSearch(const Puzzle& puzzle, const BeamOptions& options, BeamStats* stats)
{
    if (puzzle.width < 2 || puzzle.height < 2 || puzzle.places() > 256)
        throw std::invalid_argument("beam search is for boards of 2 x 2 to 256 places");
    if (!options.target.empty() && options.target.size() != static_cast<std::size_t>(puzzle.places()))
        throw std::invalid_argument("the beam's target must have the board's places");
    if (options.width == 0 || options.width >= (std::size_t{1} << 24))
        throw std::invalid_argument("the beam must be 1 to 2^24 - 1 positions wide");
    // The beam keeps the lowest scores: a weight below 0, or a tile a place off counting no
    // more than one at home, would keep positions further from the goal.
    if (options.distanceWeight < 0 || options.conflictWeight < 0 || options.spreadWeight < 0
        || options.distanceWeight + options.spreadWeight * (10 + options.awayTenths) <= 0)
        throw std::invalid_argument("the beam's weights must count every tile out of place above 0");
    return BeamSearch(puzzle, options).run(stats);
}

} // namespace vantirelle

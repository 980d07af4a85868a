#pragma once

#include "solver/puzzle.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace vantirelle {

// Boards of at most this many places are solved optimally.
inline constexpr int MaximumOptimalPlaces = 16;

// A search given up because the game no longer wants its answer.
class SearchCancelled : public std::runtime_error {
public:
    SearchCancelled() : std::runtime_error("The search was cancelled.") {}
};

// Additive disjoint pattern databases for one board shape (Korf and Felner): the tiles
// are split into groups of at most five, and for each group a table holds, for every
// placing of its tiles, the fewest moves of those tiles that bring them home, the blank
// free to go anywhere and the other tiles moving for nothing. No move moves two groups'
// tiles, so the groups' values add up to a bound that never overestimates.
class PatternDatabases {
public:
    // Builds the tables by breadth-first search from the goal. `progress` hears 0 to 100;
    // the build gives up with SearchCancelled once `stop` turns true.
    PatternDatabases(int width, int height, const std::function<void(int)>& progress = {},
                     const std::atomic<bool>* stop = nullptr);
    // The tables as packed() wrote them; raises std::invalid_argument when they do not fit
    // the shape.
    PatternDatabases(int width, int height, const unsigned char* packed, std::size_t size);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::size_t bytes() const;

    const std::vector<std::vector<int>>& groups() const { return m_groups; }
    // The value of a group's table for its tiles on the given places, in the group's order.
    int value(std::size_t group, const int* places) const;
    const std::vector<std::uint8_t>& table(std::size_t group) const { return m_tables[group]; }
    // Every group's value for every placing of its tiles on distinct places, the placings
    // in lexicographic order of their places: what a program carries to have the tables
    // without building them.
    std::vector<std::uint8_t> packed() const;

private:
    int m_width;
    int m_height;
    std::vector<std::vector<int>> m_groups;
    std::vector<std::vector<std::uint8_t>> m_tables; // four bits a place in the index
};

// The tables for a shape, built at the first call and kept, or unpacked from those the
// program carries (see builtintables.h); a call while another thread builds them waits for
// that build, or gives up with SearchCancelled once its own `stop` turns true. A build that
// is stopped leaves the next call to build them afresh. Thread-safe.
const PatternDatabases& patternDatabases(int width, int height, const std::function<void(int)>& progress = {},
                                        const std::atomic<bool>* stop = nullptr);
bool patternDatabasesReady(int width, int height);

// A shortest solution, found by IDA* over the pattern databases (on square boards the
// larger of their sum and the sum for the board reflected about its main diagonal).
// Gives the tiles to slide, in order; nothing when `nodeLimit` nodes (0: no limit) were
// not enough. Raises SearchCancelled once `cancel` turns true. The puzzle must be solvable
// and have at most MaximumOptimalPlaces places.
std::optional<std::vector<std::int16_t>> solveOptimally(const Puzzle& puzzle,
                                                        const std::atomic<bool>* cancel = nullptr,
                                                        std::uint64_t nodeLimit = 0);

// The same search with the Manhattan distance alone: slower, and independent of the
// tables, so tests can set the two against each other.
std::optional<std::vector<std::int16_t>> solveWithManhattanDistance(const Puzzle& puzzle,
                                                                    std::uint64_t nodeLimit = 0);

} // namespace vantirelle

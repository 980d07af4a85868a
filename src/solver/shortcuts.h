#pragma once

#include "solver/puzzle.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

namespace vantirelle {

// A solution made shorter where a stretch of it has a shorter way between its ends: each
// stretch of a few dozen moves, overlapping the last, is searched for its shortest way, and
// replaced where that is shorter. The searches together take at most `nodeBudget` nodes.
// No search starts or goes on past `deadline`. Raises SearchCancelled once `cancel` turns true.
std::vector<std::int16_t> withShortcuts(const Puzzle& start, std::vector<std::int16_t> moves,
                                        std::uint64_t nodeBudget, const std::atomic<bool>* cancel = nullptr,
                                        std::chrono::steady_clock::time_point deadline =
                                            std::chrono::steady_clock::time_point::max());

} // namespace vantirelle

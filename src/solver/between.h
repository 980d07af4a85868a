#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantirelle {

// The shortest way from one position of a board to another, by IDA* over the Manhattan
// distance and linear conflicts between them: the places the blank goes to, move by move.
// Nothing when the goal cannot be reached in fewer than `shorterThan` moves (0: any number)
// or `nodeLimit` nodes, or the time to `deadline`, were not enough. Raises SearchCancelled
// once `cancel` turns true.
// Both positions hold every number once, 0 for the blank; at most 16 places each way.
// `nodesSearched`, where given, hears how many nodes the search took.
std::optional<std::vector<int>> shortestWayBetween(int width, int height, std::vector<std::uint8_t> from,
                                                   const std::vector<std::uint8_t>& to, std::uint64_t nodeLimit,
                                                   std::size_t shorterThan = 0,
                                                   const std::atomic<bool>* cancel = nullptr,
                                                   std::uint64_t* nodesSearched = nullptr,
                                                   std::chrono::steady_clock::time_point deadline =
                                                       std::chrono::steady_clock::time_point::max());

} // namespace vantirelle

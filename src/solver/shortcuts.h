#pragma once

#include "solver/beam.h"
#include "solver/puzzle.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantirelle {

// A solution made shorter where a stretch of it has a shorter way between its ends: each
// stretch of a few dozen moves from `firstMove` on, overlapping the last, is searched for its
// shortest way, and replaced where that is shorter. The searches together take at most
// `nodeBudget` nodes. No search starts or goes on past `deadline`. Raises SearchCancelled
// once `cancel` turns true.
std::vector<std::int16_t> withShortcuts(const Puzzle& start, std::vector<std::int16_t> moves,
                                        std::uint64_t nodeBudget, const std::atomic<bool>* cancel = nullptr,
                                        std::chrono::steady_clock::time_point deadline =
                                            std::chrono::steady_clock::time_point::max(),
                                        std::size_t firstMove = 0);

// A solution made shorter where a beam finds a shorter way along a stretch of it: in each
// pass, from its first move on, each stretch of 120 moves, 40 apart, is searched by a beam as
// `options` say from its first position to its last (their target), and replaced where that
// way is shorter. Such a beam sees ahead to a known position a hundred moves off, where the
// beam that found the solution saw only the goal hundreds of moves off. The beams of all the
// passes together rank at most `options.positionLimit` positions (0: no limit), and `spent`
// is told how many they ranked; `options.progress` hears the count so far. Raises
// SearchCancelled once `options.cancel` turns true.
std::vector<std::int16_t> withBeamShortcuts(const Puzzle& start, std::vector<std::int16_t> moves, BeamOptions options,
                                            const std::vector<std::size_t>& firstMoves, std::size_t* spent = nullptr);

// A solution whose moves from `firstMove` on are replaced by a beam's, as `options` say, from
// the goal back to the position there, where that way is shorter. A beam gets on well at its
// start, among many tiles out of place, and takes its extra moves near its end; run from the
// goal, it takes them away from the goal, where the beam that found the solution took them.
// From the first move, it searches the whole solution backwards. `spent` is told how many
// positions the beam ranked. Raises SearchCancelled once `options.cancel` turns true.
std::vector<std::int16_t> withTailFromGoal(const Puzzle& start, std::vector<std::int16_t> moves, BeamOptions options,
                                           std::size_t firstMove, std::size_t* spent = nullptr);

} // namespace vantirelle

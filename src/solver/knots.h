#pragma once

#include "solver/puzzle.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantirelle {

// Finishes a board that is in order but for a few small knots: tiles turned round a small
// block, far from the blank, that a beam cannot undo because every way there first puts
// tiles out of place. Each knot is mended within the smallest rectangle that holds it
// (at most 16 places): the blank goes there by the shortest way over tiles in place, the
// rectangle is solved by the shortest way that leaves the blank where it came in, and the
// blank goes back the way it came, which puts every tile it passed back in its place.
// Such a blank only ever turns a knot's tiles an even number of swaps, so odd knots (two
// tiles swapped, four turned round) are mended in pairs: one is put right but for two
// neighbouring tiles swapped, and the swap is carried, rectangle by rectangle, to the other,
// or to the blank's corner when the blank's own place makes up the odd swap.
// Nothing when a knot needs a larger rectangle, more search than allowed, or time past
// `deadline`. Raises SearchCancelled once `cancel` turns true. The puzzle must be solvable.
std::optional<std::vector<std::int16_t>> undoKnots(const Puzzle& puzzle, const std::atomic<bool>* cancel = nullptr,
                                                   std::chrono::steady_clock::time_point deadline =
                                                       std::chrono::steady_clock::time_point::max());

} // namespace vantirelle

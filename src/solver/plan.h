#pragma once

#include "solver/constructive.h"
#include "solver/puzzle.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vantirelle {

// A solution being followed, move by move: the next move can be looked at without being
// taken, and is taken once the player (or the Solve command) has made it. A plan is
// either a list of moves found beforehand, or a constructive solver asked as it goes.
class Plan {
public:
    explicit Plan(std::vector<std::int16_t> moves);
    explicit Plan(const Puzzle& start);

    // The tile to slide next; nothing once the board is in order.
    std::optional<std::int16_t> next();
    void advance();
    // How many moves are left, or an estimate for a plan that is made as it goes.
    std::size_t remaining() const;

private:
    std::vector<std::int16_t> m_moves;
    std::size_t m_next = 0;
    std::unique_ptr<ConstructiveSolver> m_lazy;
    std::optional<std::int16_t> m_peeked;
    std::size_t m_estimate = 0;
};

} // namespace vantirelle

#include "solver/plan.h"

#include <cmath>

namespace vantirelle {

Plan::Plan(std::vector<std::int16_t> moves) : m_moves(std::move(moves)) {}

Plan::Plan(const Puzzle& start) : m_lazy(std::make_unique<ConstructiveSolver>(start))
{
    // The constructive solver's moves come to about three times n^1.5 on random boards.
    const double n = start.places();
    m_estimate = static_cast<std::size_t>(3.0 * n * std::sqrt(n));
}

std::optional<std::int16_t> Plan::next()
{
    if (!m_lazy)
        return m_next < m_moves.size() ? std::optional(m_moves[m_next]) : std::nullopt;
    if (!m_peeked)
        m_peeked = m_lazy->next();
    return m_peeked;
}

void Plan::advance()
{
    if (!m_lazy) {
        ++m_next;
        return;
    }
    m_peeked.reset();
    if (m_estimate > 0)
        --m_estimate;
}

std::size_t Plan::remaining() const
{
    return m_lazy ? m_estimate : m_moves.size() - m_next;
}

} // namespace vantirelle

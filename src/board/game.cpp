#include "board/game.h"

namespace vantirelle {

Game::Game(Board start) : m_board(std::move(start)) {}

void Game::record(const Slide& slide, int movesBefore)
{
    m_history.resize(m_done);
    m_history.push_back({static_cast<std::int16_t>(slide.from), static_cast<std::int16_t>(slide.to),
                         static_cast<std::int16_t>(movesBefore)});
    m_done = m_history.size();
}

std::optional<Slide> Game::click(int place)
{
    const int before = m_board.moves();
    const std::optional<Slide> made = m_board.slide(place);
    if (made)
        record(*made, before);
    return made;
}

std::optional<Slide> Game::lineClick(int place)
{
    const int before = m_board.moves();
    const std::optional<Slide> made = m_board.slideLine(place);
    if (made)
        record(*made, before);
    return made;
}

std::optional<Slide> Game::arrow(Direction direction)
{
    const std::optional<Slide> made = m_board.slideToward(direction);
    if (made) {
        const int before = m_board.moves();
        m_board.play(*made);
        record(*made, before);
    }
    return made;
}

std::optional<Slide> Game::undo()
{
    if (!canUndo())
        return std::nullopt;
    const Record& last = m_history[--m_done];
    const Slide slide{last.from, last.to};
    m_board.takeBack(slide, last.movesBefore);
    return slide;
}

std::optional<Slide> Game::redo()
{
    if (!canRedo())
        return std::nullopt;
    const Record& next = m_history[m_done++];
    const Slide slide{next.from, next.to};
    m_board.play(slide);
    return slide;
}

bool Game::restart()
{
    if (!canUndo())
        return false;
    while (undo()) {
    }
    return true;
}

} // namespace vantirelle

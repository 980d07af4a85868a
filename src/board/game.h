#pragma once

#include "board/board.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vantirelle {

// A game in play: the board as it stands, the board as it was dealt or opened, and the
// moves between them, so moves can be undone and redone. Each move keeps six bytes.
class Game {
public:
    explicit Game(Board start);

    const Board& board() const { return m_board; }

    // A click on a place, and an arrow key. A move made after undos drops what could
    // have been redone.
    std::optional<Slide> click(int place);
    std::optional<Slide> arrow(Direction direction);
    // A click with Shift: a line of tiles, undone and redone as one move.
    std::optional<Slide> lineClick(int place);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_history.size(); }
    // Puts back the board and the move count exactly as they were before the last move.
    // Returns the slide as it was made.
    std::optional<Slide> undo();
    std::optional<Slide> redo();
    // Undoes every move: the board as it was dealt or opened, with its count then. The
    // moves stay in the history and can be redone.
    bool restart();

    std::size_t historySize() const { return m_history.size(); }

private:
    struct Record {
        std::int16_t from;
        std::int16_t to;
        std::int16_t movesBefore;
    };
    void record(const Slide& slide, int movesBefore);

    Board m_board;
    std::vector<Record> m_history;
    std::size_t m_done = 0;
};

} // namespace vantirelle

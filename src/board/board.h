#pragma once

#include "board/host.h"
#include "board/int16.h"
#include "board/random.h"

#include <string>
#include <vector>

namespace vantirelle {

// The game's board: its variables and the routines that build, clear, slide and
// judge it. The tile elements' captions and visibility on the host are the board
// state; this class keeps only the size, the move count and the last shuffle.
class Board {
public:
    Board(BoardHost& host, Prompts& prompts, RandomSource& random);

    Int16 BoardWidth = 0;
    Int16 BoardHeight = 0;
    Int16 MoveCount = 0;
    Int16 LastTile = 0;
    std::vector<Int16> TileOrder;

    // Builds a shuffled board of BoardWidth x BoardHeight. The arguments are used
    // for the frame's caption only; callers pass BoardWidth and BoardHeight.
    void NewBoard(const Int16& width, const Int16& height);
    // Destroys tile elements 1..LastTile of the board built last.
    void ClearBoard();
    void ShuffleTiles(Int16 n);

    void btnSlide_Click(Int16 Index);
    bool TrySlide(Int16 ClickedIndex, Int16 NeighbourIndex);
    void MovesLabelText();
    void CheckForWin();

    // The bold rule: a numbered tile is bold exactly when its number is its index + 1.
    static bool standsHome(std::string_view caption, Int16 index);

    BoardHost& host() { return m_host; }

private:
    BoardHost& m_host;
    Prompts& m_prompts;
    RandomSource& m_random;
};

std::string frameCaption(Int16 width, Int16 height);
std::string movesCaption(Int16 moves);
std::string winMessage(Int16 moves);

} // namespace vantirelle

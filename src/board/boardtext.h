#pragma once

#include "board/board.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantirelle {

// Boards as the sliding-puzzle community swaps them as text: the rows from the top,
// separated by "/", the tiles of a row by single spaces, the blank as 0:
// "5 3 8 9/0 2 4 1/7 10 14 13/12 11 6 15".

// The text of a board whose captions are the numbers 1 to N-1, once each, in plain digits,
// and one blank; nothing for any other board.
std::optional<std::string> boardText(const Board& board);

// The longest text of any board the game admits: 32,767 places numbered 0 to 32,766 with a
// separator between each two.
std::size_t longestBoardText();

// A board read from text, at 0 moves, or why the text is not one ("Row 2 has 3 tiles, row 1
// has 4.", "Tile 7 appears twice."). White space before and after the board, a final
// newline among it, is passed over; a text longer than any admitted board's is refused
// before it is read.
struct ReadBoard {
    std::optional<Board> board;
    std::string error;
};
ReadBoard readBoardText(std::string_view text);
// Why a text of this length is refused unread; nothing for a length a board may have.
std::optional<std::string> tooLongForABoard(std::size_t length);

// What a refused text is told after why: the format, with an example.
inline constexpr std::string_view BoardTextFormat =
    "A board is written as its rows from the top, separated by \"/\", the tiles of a row by single spaces and "
    "the blank as 0, as in \"1 2 3/4 5 6/7 8 0\".";

} // namespace vantirelle

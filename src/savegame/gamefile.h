#pragma once

#include "board/board.h"
#include "board/int16.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantirelle {

// A saved game (.vts): little-endian 16-bit width, height and moves, then one record
// per place in index order: an unsigned 16-bit byte count and that many bytes of
// caption, one byte per character (Latin-1), no terminator. There is no magic number;
// the file is known by its extension.
struct SavedGame {
    Int16 width = 0;
    Int16 height = 0;
    Int16 moves = 0;
    std::vector<std::string> captions; // UTF-8; "" for a blank
};

std::vector<std::uint8_t> encodeGame(const SavedGame& game);

// Checks the whole file before anything is built from it: width and height 1 to 682
// with at most 32767 places, moves 0 to 32767, and every record inside the file.
// Bytes after the last record are ignored.
struct DecodeResult {
    std::optional<SavedGame> game;
    std::string error; // what is wrong with the file, when game is empty
};
DecodeResult decodeGame(std::span<const std::uint8_t> bytes);

// The board as it stands: size, moves and every tile element's caption.
SavedGame gameFromBoard(Board& board);

// Replaces the game on the board with a saved one: a fresh board of the stored size,
// then the stored moves and captions; every empty caption is a hidden blank and the
// numbered tiles are marked bold by the home rule. The game must have passed decodeGame.
void loadGame(Board& board, const SavedGame& game);

// Appends ".vts" unless the name already ends in exactly ".vts", case counting.
std::string withSavedGameExtension(const std::string& name);

std::string latin1ToUtf8(std::string_view latin1);
// Characters beyond Latin-1 cannot be stored and become '?'.
std::string utf8ToLatin1(std::string_view utf8);

} // namespace vantirelle

#pragma once

#include "board/board.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantirelle {

// A saved game (.vts), little-endian: the width, the height and the moves as signed
// 16-bit numbers, then one record per place in reading order: an unsigned 16-bit byte
// count and that many bytes of caption, one byte per character (Latin-1), no terminator.
// There is no magic number; the file is known by its extension. Bytes after the last
// record are ignored.

// The longest caption a file may give a tile. A tile shows a handful of characters;
// this is far more than any game needs and keeps every file quick to open and draw.
inline constexpr std::size_t MaximumCaptionBytes = 255;
// No game needs more of a file than this: a header and the largest board with every
// caption at its longest. What follows is never read.
inline constexpr std::size_t LargestGameBytes = 6 + MaximumBoardPlaces * (2 + MaximumCaptionBytes);

std::vector<std::uint8_t> encodeGame(const Board& board);

// Checks the whole file and only then builds the board: width and height 1 to 682 with
// at most 32767 places, moves 0 to 32767, every record inside the file and no caption
// over MaximumCaptionBytes. A refusal says what is wrong and where.
struct DecodeResult {
    std::optional<Board> board;
    std::string error;
};
DecodeResult decodeGame(std::span<const std::uint8_t> bytes);

// Appends ".vts" unless the name already ends in exactly ".vts", case counting.
std::string withSavedGameExtension(const std::string& name);

std::string latin1ToUtf8(std::string_view latin1);
// Characters beyond Latin-1 cannot be stored and become '?'.
std::string utf8ToLatin1(std::string_view utf8);

} // namespace vantirelle

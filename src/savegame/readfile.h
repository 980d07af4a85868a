#pragma once

#include "board/board.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantirelle {

// What kind of thing a path names, in the words a refusal uses ("a folder", "a named
// pipe"); empty for a regular file or a link to one.
std::string describeNonRegular(std::filesystem::file_type type);

// Reads at most `limit` bytes from the start of a regular file into memory. Anything that
// is not a regular file (a folder, a named pipe, a device) is refused before it is opened
// for reading, and opening never waits for a writer. A file that changes while it is
// read is refused rather than read in part.
struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::string error; // why nothing was read; empty on success
};
FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit);

// The whole read path of Open: the file's bytes, then the checked decoding into a board.
struct OpenedGame {
    std::optional<Board> board;
    std::string error;
};
OpenedGame readGameFile(const std::filesystem::path& path);

} // namespace vantirelle

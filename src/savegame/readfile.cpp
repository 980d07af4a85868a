#include "savegame/readfile.h"

#include "savegame/gamefile.h"

namespace vantirelle {

std::string describeNonRegular(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    switch (type) {
    case file_type::regular: return {};
    case file_type::directory: return "a folder";
    case file_type::fifo: return "a named pipe";
    case file_type::character: return "a character device";
    case file_type::block: return "a block device";
    case file_type::socket: return "a socket";
    case file_type::symlink: return "a symbolic link";
    default: return "not a regular file";
    }
}

OpenedGame readGameFile(const std::filesystem::path& path)
{
    OpenedGame opened;
    FileBytes file = readRegularFile(path, LargestGameBytes);
    if (!file.error.empty()) {
        opened.error = std::move(file.error);
        return opened;
    }
    DecodeResult decoded = decodeGame(file.bytes);
    opened.board = std::move(decoded.board);
    opened.error = std::move(decoded.error);
    return opened;
}

} // namespace vantirelle

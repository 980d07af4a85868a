// libFuzzer target for Open: the bytes go into a file on disk and through the game's own
// reader to a board value, as a player's file would. Any bytes must give a board or a
// reason, never a crash; a board must encode back to the bytes it came from and play.
#include "board/game.h"
#include "savegame/gamefile.h"
#include "savegame/readfile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace vantirelle;

namespace {

std::filesystem::path scratchFile()
{
    return std::filesystem::temp_directory_path() / ("vantirelle-fuzz-" + std::to_string(::getpid()) + ".vts");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path path = scratchFile();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    OpenedGame opened = readGameFile(path);
    if (!opened.board) {
        if (opened.error.empty())
            std::abort(); // a refusal must say why
        return 0;
    }
    const Board& board = *opened.board;
    if (board.captions().size() != static_cast<std::size_t>(board.width()) * static_cast<std::size_t>(board.height()))
        std::abort();

    const std::vector<std::uint8_t> encoded = encodeGame(board);
    if (encoded.size() > size || !std::equal(encoded.begin(), encoded.end(), data))
        std::abort(); // every byte up to the last record reads back as written

    // The opened board plays: clicks and arrows wherever the input's bytes point, undone
    // and redone, with the win test agreeing with a comparison of every place.
    Game game(board);
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 64); ++i) {
        const int place = static_cast<int>((data[i] * 131u + i) % static_cast<unsigned>(board.places()));
        game.click(place);
        game.arrow(static_cast<Direction>(data[i] % 4));
    }
    while (game.undo()) {
    }
    if (!(game.board() == board))
        std::abort();
    bool inOrder = true;
    for (int place = 0; place + 1 < board.places(); ++place)
        inOrder = inOrder && board.caption(place) == std::to_string(place + 1);
    if (inOrder != board.isSolved())
        std::abort();
    return 0;
}

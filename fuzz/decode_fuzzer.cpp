// libFuzzer target for the saved-game reader: any bytes must decode to a game or to a
// reason, never crash; a decoded game must encode back to the bytes it came from and
// load onto a board without error.
#include "board/board.h"
#include "fake_host.h"
#include "savegame/gamefile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace vantirelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const DecodeResult decoded = decodeGame(bytes);
    if (!decoded.game) {
        if (decoded.error.empty())
            std::abort(); // a refusal must say why
        return 0;
    }
    const SavedGame& game = *decoded.game;
    if (game.captions.size() != static_cast<std::size_t>(game.width * game.height))
        std::abort();

    const std::vector<std::uint8_t> encoded = encodeGame(game);
    if (encoded.size() > size || !std::equal(encoded.begin(), encoded.end(), data))
        std::abort(); // every byte up to the last record reads back as written

    // Loading builds a whole board; keep that to boards small enough to stay fast.
    if (game.captions.size() <= 4096) {
        testing::FakeGame fake;
        fake.build(3, 3);
        Board& board = fake.board;
        loadGame(board, game);
        if (gameFromBoard(board).captions != game.captions || board.MoveCount != game.moves)
            std::abort();
        // and a click anywhere is handled without error
        board.btnSlide_Click(static_cast<Int16>(size % game.captions.size()));
    }
    return 0;
}

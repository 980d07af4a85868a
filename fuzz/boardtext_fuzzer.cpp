// libFuzzer target for Paste Board and vantirelle-solve --board: any text must give a board
// or a reason, never a crash; a board read must write back to the same text, trimmed, and
// that text must read to the same board.
#include "board/boardtext.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vantirelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ReadBoard read = readBoardText(text);
    if (!read.board) {
        if (read.error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const std::optional<std::string> written = boardText(*read.board);
    if (!written || read.board->moves() != 0)
        std::abort();
    const ReadBoard again = readBoardText(*written);
    if (!again.board || !(*again.board == *read.board))
        std::abort();
    // The text is the input without the white space around it.
    std::string_view trimmed = text;
    while (!trimmed.empty() && std::string_view(" \t\r\n\f\v").find(trimmed.front()) != std::string_view::npos)
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && std::string_view(" \t\r\n\f\v").find(trimmed.back()) != std::string_view::npos)
        trimmed.remove_suffix(1);
    if (trimmed != *written)
        std::abort();
    return 0;
}

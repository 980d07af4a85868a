#include "savegame/gamefile.h"

#include "board/layout.h"

#include <limits>

namespace vantirelle {

namespace {

constexpr std::size_t HeaderBytes = 6;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t get16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

Int16 signed16(std::uint16_t raw)
{
    return static_cast<Int16>(raw >= 0x8000 ? static_cast<int>(raw) - 0x10000 : static_cast<int>(raw));
}

} // namespace

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (i + length > utf8.size())
            length = utf8.size() - i;
        if ((lead == 0xC2 || lead == 0xC3) && length == 2)
            out.push_back(static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F)));
        else
            out.push_back('?');
        i += length;
    }
    return out;
}

std::vector<std::uint8_t> encodeGame(const SavedGame& game)
{
    std::vector<std::uint8_t> out;
    out.reserve(HeaderBytes + game.captions.size() * 4);
    put16(out, static_cast<std::uint16_t>(game.width));
    put16(out, static_cast<std::uint16_t>(game.height));
    put16(out, static_cast<std::uint16_t>(game.moves));
    for (const std::string& caption : game.captions) {
        std::string bytes = utf8ToLatin1(caption);
        if (bytes.size() > std::numeric_limits<std::uint16_t>::max())
            bytes.resize(std::numeric_limits<std::uint16_t>::max());
        put16(out, static_cast<std::uint16_t>(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

DecodeResult decodeGame(std::span<const std::uint8_t> bytes)
{
    DecodeResult result;
    if (bytes.size() < HeaderBytes) {
        result.error = "The file is " + std::to_string(bytes.size())
                       + " bytes long, too short for a saved game: it must start with 6 bytes of width, "
                         "height and moves.";
        return result;
    }
    SavedGame game;
    game.width = signed16(get16(bytes, 0));
    game.height = signed16(get16(bytes, 2));
    game.moves = signed16(get16(bytes, 4));
    if (game.width < 1 || game.width > MaximumBoardSide) {
        result.error = "The board width is " + std::to_string(game.width) + "; it must be 1 to 682.";
        return result;
    }
    if (game.height < 1 || game.height > MaximumBoardSide) {
        result.error = "The board height is " + std::to_string(game.height) + "; it must be 1 to 682.";
        return result;
    }
    const long long places = static_cast<long long>(game.width) * game.height;
    if (!isAdmittedBoardSize(game.width, game.height)) {
        result.error = "The board is " + std::to_string(game.width) + " \u00D7 " + std::to_string(game.height)
                       + " = " + std::to_string(places) + " tiles; a board holds at most 32767.";
        return result;
    }
    if (game.moves < 0) {
        result.error = "The move count is " + std::to_string(game.moves) + "; it must be 0 to 32767.";
        return result;
    }

    game.captions.reserve(static_cast<std::size_t>(places));
    std::size_t at = HeaderBytes;
    for (long long place = 0; place < places; ++place) {
        if (bytes.size() - at < 2) {
            result.error = "The file ends before the caption of tile " + std::to_string(place + 1) + " of "
                           + std::to_string(places) + ".";
            return result;
        }
        const std::size_t length = get16(bytes, at);
        at += 2;
        if (bytes.size() - at < length) {
            result.error = "The caption of tile " + std::to_string(place + 1) + " of " + std::to_string(places)
                           + " should have " + std::to_string(length) + " bytes, but the file ends after "
                           + std::to_string(bytes.size() - at) + ".";
            return result;
        }
        game.captions.push_back(
            latin1ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data() + at), length)));
        at += length;
    }
    result.game = std::move(game);
    return result;
}

SavedGame gameFromBoard(Board& board)
{
    BoardHost& host = board.host();
    SavedGame game;
    game.width = board.BoardWidth;
    game.height = board.BoardHeight;
    game.moves = board.MoveCount;
    const Int16 last = host.tileUpperBound();
    game.captions.reserve(static_cast<std::size_t>(last) + 1);
    for (int i = 0; i <= last; ++i)
        game.captions.push_back(host.tileCaption(static_cast<Int16>(i)));
    return game;
}

void loadGame(Board& board, const SavedGame& game)
{
    BoardHost& host = board.host();
    board.BoardWidth = game.width;
    board.BoardHeight = game.height;
    board.ClearBoard();
    board.NewBoard(board.BoardWidth, board.BoardHeight);
    board.MoveCount = game.moves;
    const Int16 last = host.tileUpperBound();
    for (int i = 0; i <= last; ++i) {
        const auto index = static_cast<Int16>(i);
        const std::string& caption = game.captions[static_cast<std::size_t>(i)];
        host.setTileCaption(index, caption);
        host.setTileVisible(index, !caption.empty());
        if (!caption.empty())
            host.setTileBold(index, Board::standsHome(caption, index));
    }
    board.MovesLabelText();
}

std::string withSavedGameExtension(const std::string& name)
{
    constexpr std::string_view extension = ".vts";
    if (name.size() >= extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        return name;
    return name + std::string(extension);
}

} // namespace vantirelle

#include "savegame/gamefile.h"

#include "board/texts.h"

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

int signed16(std::uint16_t raw)
{
    return raw >= 0x8000 ? static_cast<int>(raw) - 0x10000 : static_cast<int>(raw);
}

std::string tileOf(long long place, long long places)
{
    return "tile " + std::to_string(place + 1) + " of " + std::to_string(places);
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

std::vector<std::uint8_t> encodeGame(const Board& board)
{
    std::vector<std::uint8_t> out;
    out.reserve(HeaderBytes + static_cast<std::size_t>(board.places()) * 4);
    put16(out, static_cast<std::uint16_t>(board.width()));
    put16(out, static_cast<std::uint16_t>(board.height()));
    put16(out, static_cast<std::uint16_t>(board.moves()));
    for (const std::string& caption : board.captions()) {
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
        result.error = "The file is " + counted(static_cast<long long>(bytes.size()), "byte", "bytes")
                       + " long, too short for a saved game: it must start with 6 bytes of width, height and moves.";
        return result;
    }
    const int width = signed16(get16(bytes, 0));
    const int height = signed16(get16(bytes, 2));
    const int moves = signed16(get16(bytes, 4));
    if (width < 1 || width > MaximumBoardSide) {
        result.error = "The board width is " + std::to_string(width) + "; it must be 1 to 682.";
        return result;
    }
    if (height < 1 || height > MaximumBoardSide) {
        result.error = "The board height is " + std::to_string(height) + "; it must be 1 to 682.";
        return result;
    }
    const long long places = static_cast<long long>(width) * height;
    if (!isAdmittedBoardSize(width, height)) {
        result.error = "The board is " + std::to_string(width) + " \u00D7 " + std::to_string(height) + " = "
                       + std::to_string(places) + " tiles; a board holds at most 32767.";
        return result;
    }
    if (moves < 0) {
        result.error = "The move count is " + std::to_string(moves) + "; it must be 0 to 32767.";
        return result;
    }

    std::vector<std::string> captions;
    captions.reserve(static_cast<std::size_t>(places));
    std::size_t at = HeaderBytes;
    for (long long place = 0; place < places; ++place) {
        if (bytes.size() - at < 2) {
            result.error = "The file ends before the caption of " + tileOf(place, places) + ".";
            return result;
        }
        const std::size_t length = get16(bytes, at);
        at += 2;
        if (length > MaximumCaptionBytes) {
            result.error = "The caption of " + tileOf(place, places) + " is "
                           + counted(static_cast<long long>(length), "byte", "bytes") + " long; a tile's caption may be at most "
                           + std::to_string(MaximumCaptionBytes) + " bytes.";
            return result;
        }
        if (bytes.size() - at < length) {
            result.error = "The caption of " + tileOf(place, places) + " should have "
                           + counted(static_cast<long long>(length), "byte", "bytes") + ", but the file ends after "
                           + std::to_string(bytes.size() - at) + ".";
            return result;
        }
        captions.push_back(latin1ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data() + at), length)));
        at += length;
    }
    result.board.emplace(width, height, std::move(captions), moves);
    return result;
}

std::string withSavedGameExtension(const std::string& name)
{
    constexpr std::string_view extension = ".vts";
    if (name.size() >= extension.size()
        && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        return name;
    return name + std::string(extension);
}

} // namespace vantirelle

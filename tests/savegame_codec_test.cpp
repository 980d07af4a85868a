#include "savegame/gamefile.h"

#include <gtest/gtest.h>

using namespace vantirelle;

namespace {

// A 3 x 3 game after 12 moves: 1 2 3 / 4 _ 6 / 7 5 8
const std::vector<std::uint8_t> workedExample{
    0x03, 0x00, 0x03, 0x00, 0x0C, 0x00,                   // width, height, moves
    0x01, 0x00, 0x31, 0x01, 0x00, 0x32, 0x01, 0x00, 0x33, // "1" "2" "3"
    0x01, 0x00, 0x34, 0x00, 0x00, 0x01, 0x00, 0x36,       // "4" blank "6"
    0x01, 0x00, 0x37, 0x01, 0x00, 0x35, 0x01, 0x00, 0x38, // "7" "5" "8"
};

Board workedBoard()
{
    return Board(3, 3, {"1", "2", "3", "4", "", "6", "7", "5", "8"}, 12);
}

std::vector<std::uint8_t> header(int width, int height, int moves)
{
    auto lo = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    auto hi = [](int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); };
    return {lo(width), hi(width), lo(height), hi(height), lo(moves), hi(moves)};
}

std::string refusal(const std::vector<std::uint8_t>& bytes)
{
    const DecodeResult decoded = decodeGame(bytes);
    return decoded.board ? std::string("<accepted>") : decoded.error;
}

} // namespace

TEST(SavedGameFormat, TheWorkedExampleBothWays)
{
    ASSERT_EQ(workedExample.size(), 32u);
    const DecodeResult decoded = decodeGame(workedExample);
    ASSERT_TRUE(decoded.board) << decoded.error;
    EXPECT_EQ(*decoded.board, workedBoard());
    EXPECT_EQ(decoded.board->blanks(), std::vector<int>{4});
    EXPECT_EQ(encodeGame(workedBoard()), workedExample);
}

TEST(SavedGameFormat, LengthsFollowTheCaptions)
{
    std::vector<std::string> captions;
    for (int i = 1; i <= 15; ++i)
        captions.push_back(std::to_string(i));
    captions.push_back("");
    EXPECT_EQ(encodeGame(Board(4, 4, captions)).size(), 59u);

    captions[0] = "12";
    const auto bytes = encodeGame(Board(4, 4, captions));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 6, bytes.begin() + 10),
              (std::vector<std::uint8_t>{0x02, 0x00, 0x31, 0x32}));
}

TEST(SavedGameFormat, BytesAfterTheLastRecordAreIgnored)
{
    auto longer = workedExample;
    longer.insert(longer.end(), 27, 0xEE);
    const DecodeResult decoded = decodeGame(longer);
    ASSERT_TRUE(decoded.board) << decoded.error;
    EXPECT_EQ(*decoded.board, workedBoard());
}

TEST(SavedGameFormat, EveryTruncationIsRefusedWithTheReason)
{
    for (std::size_t length = 0; length < workedExample.size(); ++length) {
        const DecodeResult decoded = decodeGame(std::span(workedExample.data(), length));
        EXPECT_FALSE(decoded.board) << length;
        EXPECT_FALSE(decoded.error.empty()) << length;
    }
    auto cut = [](std::size_t length) { return decodeGame(std::span(workedExample.data(), length)).error; };
    EXPECT_NE(cut(4).find("4 bytes long, too short"), std::string::npos);
    EXPECT_NE(cut(1).find("1 byte long"), std::string::npos) << "numbers agree with their nouns";
    EXPECT_NE(cut(18).find("tile 5 of 9"), std::string::npos);
    EXPECT_NE(cut(31).find("tile 9 of 9 should have 1 byte, but the file ends after 0"), std::string::npos) << cut(31);
}

TEST(SavedGameFormat, HeadersOutsideTheAdmittedRangeAreRefused)
{
    struct Case {
        int width, height, moves;
        const char* says;
    };
    const Case cases[] = {
        {0, 3, 0, "width is 0"},        {-1, 3, 0, "width is -1"},      {683, 1, 0, "width is 683"},
        {3, 0, 0, "height is 0"},       {3, 683, 0, "height is 683"},   {182, 181, 0, "32942 tiles"},
        {3, 3, -1, "move count is -1"}, {3, 3, -32768, "move count is -32768"},
    };
    for (const Case& c : cases) {
        auto bytes = header(c.width, c.height, c.moves);
        bytes.resize(bytes.size() + 100000, 0); // plenty of empty records behind the header
        EXPECT_NE(refusal(bytes).find(c.says), std::string::npos) << refusal(bytes);
    }
    // the limits themselves are admitted
    for (const Case& c : {Case{682, 48, 32767, ""}, Case{181, 181, 0, ""}, Case{1, 1, 0, ""}}) {
        auto bytes = header(c.width, c.height, c.moves);
        bytes.resize(bytes.size() + 2 * static_cast<std::size_t>(c.width * c.height), 0);
        EXPECT_EQ(refusal(bytes), "<accepted>") << c.width << "x" << c.height;
    }
}

TEST(SavedGameFormat, CaptionsLongerThanATileShowsAreRefusedByName)
{
    auto bytes = header(2, 1, 0);
    bytes.insert(bytes.end(), {0xFF, 0x00});
    bytes.insert(bytes.end(), 255, 'a');
    bytes.insert(bytes.end(), {0x00, 0x01}); // 256 bytes
    bytes.insert(bytes.end(), 256, 'b');
    EXPECT_EQ(refusal(bytes),
              "The caption of tile 2 of 2 is 256 bytes long; a tile's caption may be at most 255 bytes.");

    auto whole = header(1, 1, 0);
    whole.insert(whole.end(), {0xFF, 0xFF, 'a', 'b'});
    EXPECT_NE(refusal(whole).find("65535 bytes long"), std::string::npos);
}

TEST(SavedGameFormat, CaptionsAreOneByteACharacterAndAnyTextPlays)
{
    EXPECT_EQ(latin1ToUtf8("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(utf8ToLatin1("caf\u00E9"), "caf\xE9");
    EXPECT_EQ(utf8ToLatin1("\u00D7\u20AC"), "\xD7?") << "beyond Latin-1 becomes '?'";
    EXPECT_EQ(utf8ToLatin1("\xC3"), "?") << "a cut-off sequence";
    const Board odd(3, 1, {"\u00FF\u00E9", "", ""});
    const auto bytes = encodeGame(odd);
    EXPECT_EQ(bytes.size(), 6u + 2 + 2 + 2 + 2);
    const DecodeResult decoded = decodeGame(bytes);
    ASSERT_TRUE(decoded.board);
    EXPECT_EQ(*decoded.board, odd);
    EXPECT_EQ(decoded.board->blanks(), (std::vector<int>{1, 2})) << "two blanks, as the file has them";
}

TEST(SavedGameFormat, WhatTheGameWritesReadsBackTheSame)
{
    Board board(4, 4, {"5", "1", "2", "3", "9", "6", "7", "4", "13", "10", "11", "8", "", "14", "15", "12"}, 31);
    board.slide(13);
    const DecodeResult decoded = decodeGame(encodeGame(board));
    ASSERT_TRUE(decoded.board);
    EXPECT_EQ(*decoded.board, board);
    EXPECT_EQ(decoded.board->moves(), 32);
}

TEST(SavedGameExtension, AddedUnlessTheNameEndsInExactlyDotVts)
{
    struct Case {
        const char* name;
        const char* written;
    };
    const Case cases[] = {
        {"game", "game.vts"},         {"game.vts", "game.vts"},         {"GAME.VTS", "GAME.VTS.vts"},
        {"game.txt", "game.txt.vts"}, {"vts", "vts.vts"},               {"a", "a.vts"},
        {".vts", ".vts"},             {"/tmp/x.Vts", "/tmp/x.Vts.vts"}, {"game.vts ", "game.vts .vts"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withSavedGameExtension(c.name), c.written) << c.name;
}

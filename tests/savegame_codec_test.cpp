#include "board/board.h"
#include "fake_host.h"
#include "savegame/gamefile.h"

#include <gtest/gtest.h>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

// A 3 x 3 game after 12 moves: 1 2 3 / 4 _ 6 / 7 5 8
const std::vector<std::uint8_t> workedExample{
    0x03, 0x00, 0x03, 0x00, 0x0C, 0x00,                   // width, height, moves
    0x01, 0x00, 0x31, 0x01, 0x00, 0x32, 0x01, 0x00, 0x33, // "1" "2" "3"
    0x01, 0x00, 0x34, 0x00, 0x00, 0x01, 0x00, 0x36,       // "4" blank "6"
    0x01, 0x00, 0x37, 0x01, 0x00, 0x35, 0x01, 0x00, 0x38, // "7" "5" "8"
};

SavedGame workedGame()
{
    return SavedGame{3, 3, 12, {"1", "2", "3", "4", "", "6", "7", "5", "8"}};
}

std::vector<std::uint8_t> header(int width, int height, int moves)
{
    auto le = [](int v) { return std::pair<std::uint8_t, std::uint8_t>(v & 0xFF, (v >> 8) & 0xFF); };
    const auto [w0, w1] = le(width);
    const auto [h0, h1] = le(height);
    const auto [m0, m1] = le(moves);
    return {w0, w1, h0, h1, m0, m1};
}

} // namespace

TEST(SavedGameFormat, TheWorkedExampleBothWays)
{
    ASSERT_EQ(workedExample.size(), 32u);
    const DecodeResult decoded = decodeGame(workedExample);
    ASSERT_TRUE(decoded.game) << decoded.error;
    EXPECT_EQ(decoded.game->width, 3);
    EXPECT_EQ(decoded.game->height, 3);
    EXPECT_EQ(decoded.game->moves, 12);
    EXPECT_EQ(decoded.game->captions, workedGame().captions);
    EXPECT_EQ(encodeGame(workedGame()), workedExample);
}

TEST(SavedGameFormat, LengthsFollowTheCaptions)
{
    SavedGame four{4, 4, 0, {}};
    for (int i = 1; i <= 15; ++i)
        four.captions.push_back(std::to_string(i));
    four.captions.push_back("");
    EXPECT_EQ(encodeGame(four).size(), 59u);

    SavedGame twelve{4, 4, 0, four.captions};
    twelve.captions[0] = "12";
    const auto bytes = encodeGame(twelve);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 6, bytes.begin() + 10),
              (std::vector<std::uint8_t>{0x02, 0x00, 0x31, 0x32}));
}

TEST(SavedGameFormat, BytesAfterTheLastRecordAreIgnored)
{
    auto longer = workedExample;
    longer.insert(longer.end(), 27, 0xEE);
    const DecodeResult decoded = decodeGame(longer);
    ASSERT_TRUE(decoded.game) << decoded.error;
    EXPECT_EQ(decoded.game->captions, workedGame().captions);
}

TEST(SavedGameFormat, EveryTruncationIsRefusedWithTheReason)
{
    for (std::size_t length = 0; length < workedExample.size(); ++length) {
        const DecodeResult decoded = decodeGame(std::span(workedExample.data(), length));
        EXPECT_FALSE(decoded.game) << length;
        EXPECT_FALSE(decoded.error.empty()) << length;
    }
    EXPECT_NE(decodeGame(std::span(workedExample.data(), 4)).error.find("too short"), std::string::npos);
    EXPECT_NE(decodeGame(std::span(workedExample.data(), 18)).error.find("tile 5 of 9"), std::string::npos);
    EXPECT_NE(decodeGame(std::span(workedExample.data(), 31)).error.find("tile 9 of 9"), std::string::npos);
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
        const DecodeResult decoded = decodeGame(bytes);
        EXPECT_FALSE(decoded.game) << c.says;
        EXPECT_NE(decoded.error.find(c.says), std::string::npos) << decoded.error;
    }
    // the limits themselves are admitted
    for (const Case& c : {Case{682, 48, 32767, ""}, Case{181, 181, 0, ""}, Case{1, 1, 0, ""}}) {
        auto bytes = header(c.width, c.height, c.moves);
        bytes.resize(bytes.size() + 2 * c.width * c.height, 0);
        EXPECT_TRUE(decodeGame(bytes).game) << c.width << "x" << c.height;
    }
}

TEST(SavedGameFormat, ARecordLongerThanTheRestOfTheFileIsRefused)
{
    auto bytes = header(1, 1, 0);
    bytes.insert(bytes.end(), {0xFF, 0xFF, 'a', 'b'});
    const DecodeResult decoded = decodeGame(bytes);
    EXPECT_FALSE(decoded.game);
    EXPECT_NE(decoded.error.find("65535 bytes"), std::string::npos) << decoded.error;
}

TEST(SavedGameFormat, CaptionsAreOneByteACharacter)
{
    EXPECT_EQ(latin1ToUtf8("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(utf8ToLatin1("caf\u00E9"), "caf\xE9");
    EXPECT_EQ(utf8ToLatin1("\u00D7\u20AC"), "\xD7?") << "beyond Latin-1 becomes '?'";
    EXPECT_EQ(utf8ToLatin1("\xC3"), "?") << "a cut-off sequence";
    SavedGame odd{2, 1, 0, {"\u00FF\u00E9", ""}};
    const auto bytes = encodeGame(odd);
    EXPECT_EQ(bytes.size(), 6u + 2 + 2 + 2);
    EXPECT_EQ(decodeGame(bytes).game->captions, odd.captions);
}

TEST(SavedGameExtension, AddedUnlessTheNameEndsInExactlyDotVts)
{
    struct Case {
        const char* name;
        const char* written;
    };
    const Case cases[] = {
        {"game", "game.vts"},          {"game.vts", "game.vts"},         {"GAME.VTS", "GAME.VTS.vts"},
        {"game.txt", "game.txt.vts"},  {"vts", "vts.vts"},               {"a", "a.vts"},
        {".vts", ".vts"},              {"/tmp/x.Vts", "/tmp/x.Vts.vts"}, {"game.vts ", "game.vts .vts"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withSavedGameExtension(c.name), c.written) << c.name;
}

TEST(LoadGame, RebuildsTheBoardAndTakesTheCaptionsAsTheyStand)
{
    FakeGame game;
    game.build(5, 5);
    FakeHost& host = game.host;
    Board& board = game.board;

    loadGame(board, SavedGame{3, 2, 40, {"1", "", "zz", "4", "", "2"}});
    EXPECT_EQ(board.BoardWidth, 3);
    EXPECT_EQ(board.LastTile, 5);
    EXPECT_EQ(host.existingTiles(), 6);
    EXPECT_EQ(board.MoveCount, 40);
    EXPECT_EQ(host.labelCaption, "You have made 40 Moves.");
    EXPECT_EQ(host.frameCaption, "Playing 3 \u00D7 2");
    const bool shown[] = {true, false, true, true, false, true};
    const bool bold[] = {true, false, false, true, false, false};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(host.tiles[i].visible, shown[i]) << i;
        if (shown[i]) {
            EXPECT_EQ(host.tiles[i].bold, bold[i]) << i;
        }
    }
    EXPECT_TRUE(game.prompts.messages.empty()) << "opening runs no win test";

    // the two blanks each take a tile beside them; a non-number slides like any tile
    board.btnSlide_Click(2);
    EXPECT_EQ(host.tiles[1].caption, "zz");
    EXPECT_EQ(board.MoveCount, 41);
}

TEST(LoadGame, WhatTheGameWritesReadsBackTheSame)
{
    FakeGame first(7);
    first.build(4, 4);
    first.board.btnSlide_Click(14);
    const SavedGame saved = gameFromBoard(first.board);
    EXPECT_EQ(saved.moves, first.board.MoveCount);
    ASSERT_EQ(saved.captions.size(), 16u);

    FakeGame second(8);
    second.build(3, 3);
    loadGame(second.board, *decodeGame(encodeGame(saved)).game);
    EXPECT_EQ(gameFromBoard(second.board).captions, saved.captions);
    EXPECT_EQ(second.board.MoveCount, saved.moves);
    for (int i = 0; i < 16; ++i) {
        const FakeTile& was = first.host.tiles[i];
        const FakeTile& now = second.host.tiles[i];
        EXPECT_EQ(now.visible, was.visible) << i;
        EXPECT_EQ(now.visible && now.bold, was.visible && was.bold) << i;
    }
}

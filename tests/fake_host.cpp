#include "fake_host.h"

namespace vantirelle::testing {

FakeHost::FakeHost()
{
    FakeTile templ;
    templ.exists = true;
    templ.caption = "0";
    templ.left = 0;
    templ.top = 0;
    templ.width = 495;
    templ.height = 495;
    tiles.push_back(templ);
}

int FakeHost::existingTiles() const
{
    int count = 0;
    for (const auto& t : tiles)
        count += t.exists ? 1 : 0;
    return count;
}

FakeTile& FakeHost::tile(Int16 index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= tiles.size() || !tiles[index].exists)
        throw TileElementError("Control array element '" + std::to_string(index) + "' doesn't exist");
    return tiles[index];
}

const FakeTile& FakeHost::tile(Int16 index) const
{
    return const_cast<FakeHost*>(this)->tile(index);
}

void FakeHost::createTile(Int16 index)
{
    if (index <= 0)
        throw TileElementError("Invalid element index");
    if (static_cast<std::size_t>(index) >= tiles.size())
        tiles.resize(index + 1);
    if (tiles[index].exists)
        throw TileElementError("Object already loaded");
    tiles[index] = tiles[0];
    tiles[index].visible = false;
    events.push_back("create " + std::to_string(index));
}

void FakeHost::destroyTile(Int16 index)
{
    if (index == 0)
        throw TileElementError("Can't unload element 0");
    tile(index).exists = false;
    if (focusedTile == index)
        focusedTile = -1;
    events.push_back("destroy " + std::to_string(index));
}

Int16 FakeHost::tileUpperBound() const
{
    for (std::size_t i = tiles.size(); i-- > 0;) {
        if (tiles[i].exists)
            return static_cast<Int16>(i);
    }
    return 0;
}

void FakeHost::setTileCaption(Int16 index, std::string_view caption) { tile(index).caption = caption; }
const std::string& FakeHost::tileCaption(Int16 index) const
{
    captionReads.push_back(index);
    return tile(index).caption;
}
void FakeHost::setTileVisible(Int16 index, bool visible) { tile(index).visible = visible; }
bool FakeHost::tileVisible(Int16 index) const { return tile(index).visible; }
void FakeHost::setTileBold(Int16 index, bool bold) { tile(index).bold = bold; }
bool FakeHost::tileBold(Int16 index) const { return tile(index).bold; }
void FakeHost::setTileFocus(Int16 index)
{
    // Like a real button, a hidden element cannot take the focus.
    if (!tile(index).visible)
        throw TileElementError("Invalid procedure call");
    focusedTile = index;
}
void FakeHost::setTileLeft(Int16 index, float left) { tile(index).left = left; }
void FakeHost::setTileTop(Int16 index, float top) { tile(index).top = top; }
void FakeHost::setTileWidth(Int16 index, float width) { tile(index).width = width; }
void FakeHost::setTileHeight(Int16 index, float height) { tile(index).height = height; }

void FakeHost::hideWindow()
{
    windowVisible = false;
    events.push_back("hide");
}

void FakeHost::showWindow()
{
    windowVisible = true;
    events.push_back("show");
}

int FakePrompts::messageBox(std::string_view text, int style, std::string_view title)
{
    messages.push_back({std::string(text), style, std::string(title)});
    if (answers.empty())
        return MsgBox::AnswerOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedRandom::reseed()
{
    ++reseeds;
    m_state = m_seed * 0x9E3779B97F4A7C15ULL + static_cast<unsigned long long>(reseeds);
}

float ScriptedRandom::next()
{
    ++draws;
    if (!script.empty()) {
        const float r = script.front();
        script.pop_front();
        return r;
    }
    // splitmix64: deterministic per seed and reseed count
    unsigned long long z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
}

void FakeGame::build(Int16 width, Int16 height)
{
    if (host.tileUpperBound() > 0)
        board.ClearBoard();
    board.BoardWidth = width;
    board.BoardHeight = height;
    board.NewBoard(board.BoardWidth, board.BoardHeight);
}

} // namespace vantirelle::testing

#include "board/board.h"

#include "board/layout.h"
#include "board/numbertext.h"
#include "board/shuffle.h"

#include <algorithm>
#include <limits>

namespace vantirelle {

std::string frameCaption(Int16 width, Int16 height)
{
    return "Playing" + NumberText(width) + " \u00D7" + NumberText(height);
}

std::string movesCaption(Int16 moves)
{
    return "You have made" + NumberText(moves) + " Moves.";
}

std::string winMessage(Int16 moves)
{
    return "You have Won in" + NumberText(moves) + " moves";
}

Board::Board(BoardHost& host, Prompts& prompts, RandomSource& random)
    : m_host(host), m_prompts(prompts), m_random(random)
{
}

bool Board::standsHome(std::string_view caption, Int16 index)
{
    long long number = 0;
    return captionNumber(caption, number) && number == static_cast<long long>(index) + 1;
}

void Board::NewBoard(const Int16& width, const Int16& height)
{
    m_host.setFrameCaption(frameCaption(width, height));
    LastTile = sub16(mul16(BoardHeight, BoardWidth), 1);
    ShuffleTiles(LastTile);
    m_host.hideWindow();

    const Int16 last = LastTile;
    for (Int16 i = 0; i <= last; ++i) {
        if (i > 0)
            m_host.createTile(i);
        const float tpx = m_host.twipsPerPixelX();
        const float tpy = m_host.twipsPerPixelY();
        m_host.setTileWidth(i, tileSize(tpx));
        m_host.setTileHeight(i, tileSize(tpy));
        m_host.setTileVisible(i, true);
        const Place place = placeOf(i, BoardWidth);
        m_host.setTileLeft(i, tileLeft(place.column, tpx));
        m_host.setTileTop(i, tileTop(place.row, tpy));
        const Int16 tile = TileOrder[static_cast<std::size_t>(i)];
        if (tile == -1) {
            m_host.setTileCaption(i, "");
            m_host.setTileVisible(i, false);
        } else {
            m_host.setTileCaption(i, TrimmedNumberText(tile));
            m_host.setTileBold(i, standsHome(m_host.tileCaption(i), i));
        }
        if (i == last)
            break; // keeps the 16-bit counter from stepping past the bound
    }

    m_host.setFrameLeft(0.0f);
    m_host.setFrameWidth(frameWidthFor(BoardWidth, m_host.twipsPerPixelX()));
    m_host.setWindowWidth(WindowBorderPixels * m_host.twipsPerPixelX() + m_host.frameWidth());
    if (m_host.windowWidth() < MinimumWindowWidth) {
        m_host.setWindowWidth(MinimumWindowWidth);
        m_host.setFrameLeft(m_host.windowWidth() / 2.0f - m_host.frameWidth() / 2.0f);
    }
    m_host.setFrameHeight(frameHeightFor(BoardHeight, m_host.twipsPerPixelY()));
    m_host.setLabelTop(m_host.frameHeight() + m_host.frameTop() + LabelGap);
    MoveCount = 0;
    MovesLabelText();
    m_host.setWindowHeight(m_host.labelHeight() + m_host.labelTop()
                           + WindowChromePixels * m_host.twipsPerPixelY() + LabelGap);
    m_host.showWindow();
}

void Board::ClearBoard()
{
    const Int16 last = LastTile;
    for (Int16 i = 1; i <= last; ++i) {
        m_host.destroyTile(i);
        if (i == last)
            break;
    }
}

void Board::ShuffleTiles(Int16 n)
{
    TileOrder = shuffledTileOrder(n, m_random);
    makeSolvable(TileOrder, BoardWidth, BoardHeight);
}

void Board::btnSlide_Click(Int16 Index)
{
    const Place place = placeOf(Index, BoardWidth);
    bool moved = false;
    if (place.column > 0)
        moved = TrySlide(Index, indexOf(place.row, static_cast<Int16>(place.column - 1), BoardWidth));
    if (!moved && place.column < BoardWidth - 1)
        moved = TrySlide(Index, indexOf(place.row, static_cast<Int16>(place.column + 1), BoardWidth));
    if (!moved && place.row > 0)
        moved = TrySlide(Index, indexOf(static_cast<Int16>(place.row - 1), place.column, BoardWidth));
    if (!moved && place.row < BoardHeight - 1)
        moved = TrySlide(Index, indexOf(static_cast<Int16>(place.row + 1), place.column, BoardWidth));

    if (!moved) {
        m_prompts.beep();
        return;
    }
    // The counter holds at its 16-bit limit rather than ending the game.
    if (MoveCount < std::numeric_limits<Int16>::max())
        MoveCount = add16(MoveCount, 1);
    MovesLabelText();
    CheckForWin();
}

bool Board::TrySlide(Int16 ClickedIndex, Int16 NeighbourIndex)
{
    if (!m_host.tileCaption(NeighbourIndex).empty())
        return false;
    const std::string moving = m_host.tileCaption(ClickedIndex);
    m_host.setTileCaption(ClickedIndex, std::string());
    m_host.setTileCaption(NeighbourIndex, moving);
    m_host.setTileVisible(NeighbourIndex, true);
    m_host.setTileBold(NeighbourIndex, standsHome(moving, NeighbourIndex));
    m_host.setTileFocus(NeighbourIndex);
    m_host.setTileVisible(ClickedIndex, false);
    return true;
}

void Board::MovesLabelText()
{
    m_host.setLabelCaption(movesCaption(MoveCount));
    m_host.setLabelLeft(m_host.windowWidth() / 2.0f - m_host.labelWidth() / 2.0f);
}

void Board::CheckForWin()
{
    bool won = true;
    const Int16 bound = sub16(LastTile, 1);
    // The home number's digits, counted up in place rather than formatted anew for each place.
    char digits[8] = {'0', '0', '0', '0', '0', '0', '0', '1'};
    std::size_t first = sizeof digits - 1;
    for (int i = 0; i <= bound; ++i) {
        const std::string& caption = m_host.tileCaption(static_cast<Int16>(i));
        const std::size_t length = sizeof digits - first;
        bool same = caption.size() == length;
        for (std::size_t k = 0; same && k < length; ++k) // a few digits: cheaper than a call to memcmp
            same = caption[k] == digits[first + k];
        if (!same)
            won = false; // every place is compared; no early exit
        std::size_t at = sizeof digits;
        while (at-- > 0 && ++digits[at] > '9')
            digits[at] = '0';
        first = std::min(first, at);
    }
    if (won)
        m_prompts.messageBox(winMessage(MoveCount), MsgBox::OkOnly + MsgBox::Exclamation, ApplicationTitle);
}

} // namespace vantirelle

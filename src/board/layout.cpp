#include "board/layout.h"

#include "board/errors.h"
#include "board/int16.h"

#include <algorithm>
#include <cmath>

namespace vantirelle {

namespace {

constexpr Int16 TilePixels = 48;
constexpr float TileAreaLeft = 120.0f; // column 0 inside the frame
constexpr float TileAreaTop = 240.0f;  // row 0 inside the frame
constexpr float FrameExtraWidth = 240.0f;
constexpr float FrameExtraHeight = 360.0f;
constexpr float FrameTop = 120.0f;
constexpr float LabelGap = 120.0f; // between the frame and the moves label, and below the label
constexpr float MinimumWindowWidth = 3030.0f;
constexpr float WindowBorderPixels = 8.0f; // allowance for the window's side borders
constexpr float WindowChromePixels = 58.0f; // allowance for the borders, the title and the menu bar

float scaled(Int16 tiles, float twipsPerPixel)
{
    return static_cast<float>(mul16(tiles, TilePixels)) * twipsPerPixel;
}

// What a window size in twips becomes once the window has taken it in whole pixels.
float taken(float twips, float twipsPerPixel)
{
    return static_cast<float>(toPixels(twips, twipsPerPixel)) * twipsPerPixel;
}

} // namespace

int toPixels(float twips, float twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

BoardLayout::BoardLayout(int columns, int rows, TwipsPerPixel scale)
    : m_scale(scale), m_columns(columns), m_rows(rows)
{
    if (columns < 1 || rows < 1)
        throw EmptyBoardError();
    const Int16 width = checkedInt16(columns);
    const Int16 height = checkedInt16(rows);

    m_columnLefts.reserve(static_cast<std::size_t>(columns));
    for (Int16 c = 0; c < width; ++c)
        m_columnLefts.push_back(toPixels(scaled(c, scale.x) + TileAreaLeft, scale.x));
    m_rowTops.reserve(static_cast<std::size_t>(rows));
    for (Int16 r = 0; r < height; ++r)
        m_rowTops.push_back(toPixels(scaled(r, scale.y) + TileAreaTop, scale.y));
    m_tileWidth = toPixels(static_cast<float>(TilePixels) * scale.x, scale.x);
    m_tileHeight = toPixels(static_cast<float>(TilePixels) * scale.y, scale.y);

    m_frame.width = toPixels(scaled(width, scale.x) + FrameExtraWidth, scale.x);
    const float frameWidth = static_cast<float>(m_frame.width) * scale.x;
    m_windowWidth = taken(WindowBorderPixels * scale.x + frameWidth, scale.x);
    if (m_windowWidth < MinimumWindowWidth) {
        // Narrow boards get a minimum window with the frame centred in it.
        m_windowWidth = taken(MinimumWindowWidth, scale.x);
        m_frame.x = toPixels(m_windowWidth / 2.0f - frameWidth / 2.0f, scale.x);
    }
    m_frame.height = toPixels(scaled(height, scale.y) + FrameExtraHeight, scale.y);
    m_frame.y = toPixels(FrameTop, scale.y);

    const float frameHeight = static_cast<float>(m_frame.height) * scale.y;
    const float frameTop = static_cast<float>(m_frame.y) * scale.y;
    m_labelTop = toPixels(frameHeight + frameTop + LabelGap, scale.y);
    m_labelTopTwips = static_cast<float>(m_labelTop) * scale.y;
}

PixelRect BoardLayout::tile(int column, int row) const
{
    return {m_columnLefts[static_cast<std::size_t>(column)], m_rowTops[static_cast<std::size_t>(row)], m_tileWidth,
            m_tileHeight};
}

namespace {

// Tiles sit at a fixed pitch from the first; find the one whose span holds the point.
int indexAt(const std::vector<int>& starts, int size, int at)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), at);
    if (after == starts.begin())
        return -1;
    const auto index = static_cast<int>(after - starts.begin()) - 1;
    return at < starts[static_cast<std::size_t>(index)] + size ? index : -1;
}

} // namespace

int BoardLayout::columnAt(int x) const
{
    return indexAt(m_columnLefts, m_tileWidth, x);
}

int BoardLayout::rowAt(int y) const
{
    return indexAt(m_rowTops, m_tileHeight, y);
}

int BoardLayout::labelLeft(int labelWidth) const
{
    return toPixels(m_windowWidth / 2.0f - static_cast<float>(labelWidth) * m_scale.x / 2.0f, m_scale.x);
}

int BoardLayout::clientWidth() const
{
    return std::max(1, toPixels(m_windowWidth, m_scale.x) - static_cast<int>(WindowBorderPixels));
}

int BoardLayout::clientHeight(int labelHeight) const
{
    const float height = static_cast<float>(labelHeight) * m_scale.y + m_labelTopTwips
                         + WindowChromePixels * m_scale.y + LabelGap;
    return std::max(1, toPixels(height, m_scale.y) - static_cast<int>(WindowChromePixels));
}

PixelRect twipsRect(float left, float top, float width, float height, TwipsPerPixel scale)
{
    return {toPixels(left, scale.x), toPixels(top, scale.y), toPixels(width, scale.x), toPixels(height, scale.y)};
}

int customSizeMaximum(double screenTwips, double twipsPerPixel)
{
    return roundToInt16(screenTwips / twipsPerPixel / TilePixels - 3.0);
}

} // namespace vantirelle

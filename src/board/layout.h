#pragma once

#include <vector>

namespace vantirelle {

// The game window's places and sizes are measured in twips (1440 to the inch) and
// applied in whole pixels. This is the one conversion from twips to pixels.
int toPixels(float twips, float twipsPerPixel);

struct TwipsPerPixel {
    float x = 15.0f; // 15 at 96 dots per inch
    float y = 15.0f;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Everything the game window places for a board of a given size, in pixels. Frame and
// label positions are in the client area below the menu bar; tile rectangles are inside
// the frame. Each size is computed in twips with checked 16-bit integer products and
// single-precision scaling, applied in whole pixels, and read back as the pixels taken.
class BoardLayout {
public:
    // Raises OverflowError for a width or height above 682, and EmptyBoardError below 1.
    BoardLayout(int columns, int rows, TwipsPerPixel scale);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    PixelRect frame() const { return m_frame; }
    PixelRect tile(int column, int row) const;
    int tileWidth() const { return m_tileWidth; }
    int tileHeight() const { return m_tileHeight; }
    // The column or row a point inside the frame falls on, or -1.
    int columnAt(int x) const;
    int rowAt(int y) const;

    int labelTop() const { return m_labelTop; }
    // The moves label is centred in the window by its own width.
    int labelLeft(int labelWidth) const;
    // The window's client area below the menu bar; its height follows the label's.
    int clientWidth() const;
    int clientHeight(int labelHeight) const;

private:
    TwipsPerPixel m_scale;
    int m_columns;
    int m_rows;
    std::vector<int> m_columnLefts; // pixels inside the frame
    std::vector<int> m_rowTops;
    int m_tileWidth;
    int m_tileHeight;
    PixelRect m_frame;
    float m_windowWidth; // twips, as the window took it
    int m_labelTop;
    float m_labelTopTwips;
};

// A rectangle given in twips, in pixels; for the fixed controls of the windows.
PixelRect twipsRect(float left, float top, float width, float height, TwipsPerPixel scale);

// The largest custom size offered along one side of the screen: the whole tiles that fit,
// less 3, rounded half to even into 16 bits. It depends only on the side's length in pixels.
int customSizeMaximum(double screenTwips, double twipsPerPixel);

} // namespace vantirelle

#pragma once

#include "board/int16.h"

namespace vantirelle {

// Index arithmetic: places are numbered row by row from the top-left,
// index = row * width + column. Nothing else in the program computes this.
struct Place {
    Int16 row;
    Int16 column;
};
Place placeOf(Int16 index, Int16 boardWidth);
Int16 indexOf(Int16 row, Int16 column, Int16 boardWidth);

// A tile is 48 by 48 pixels; all other measures are twips.
inline constexpr Int16 TilePixels = 48;
inline constexpr float TileAreaLeft = 120.0f;   // column 0 inside the frame
inline constexpr float TileAreaTop = 240.0f;    // row 0 inside the frame
inline constexpr float FrameExtraWidth = 240.0f;
inline constexpr float FrameExtraHeight = 360.0f;
inline constexpr float LabelGap = 120.0f;       // between the frame and the moves label, and below the label
inline constexpr float MinimumWindowWidth = 3030.0f;
inline constexpr float WindowBorderPixels = 8.0f;   // allowance for the window's side borders
inline constexpr float WindowChromePixels = 58.0f;  // allowance for the borders, title and menu bar

// The integer products are checked 16-bit arithmetic; the scaling to twips is single precision.
float tileLeft(Int16 column, float twipsPerPixelX);
float tileTop(Int16 row, float twipsPerPixelY);
float tileSize(float twipsPerPixel);
float frameWidthFor(Int16 boardWidth, float twipsPerPixelX);
float frameHeightFor(Int16 boardHeight, float twipsPerPixelY);

// The sizes the 16-bit layout can hold: 1 to 682 each way (682 x 48 pixels stays
// within 32767) and at most 32767 places in all.
inline constexpr int MaximumBoardSide = 682;
inline constexpr int MaximumBoardPlaces = 32767;
bool isAdmittedBoardSize(int width, int height);

// Largest custom size offered along one screen side: whole tiles that fit, less 3,
// rounded half to even into 16 bits. Depends only on the side's length in pixels.
Int16 customSizeMaximum(double screenTwips, double twipsPerPixel);

} // namespace vantirelle

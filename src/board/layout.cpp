#include "board/layout.h"

namespace vantirelle {

Place placeOf(Int16 index, Int16 boardWidth)
{
    return {static_cast<Int16>(index / boardWidth), static_cast<Int16>(index % boardWidth)};
}

Int16 indexOf(Int16 row, Int16 column, Int16 boardWidth)
{
    return add16(mul16(row, boardWidth), column);
}

float tileLeft(Int16 column, float twipsPerPixelX)
{
    return static_cast<float>(mul16(column, TilePixels)) * twipsPerPixelX + TileAreaLeft;
}

float tileTop(Int16 row, float twipsPerPixelY)
{
    return static_cast<float>(mul16(row, TilePixels)) * twipsPerPixelY + TileAreaTop;
}

float tileSize(float twipsPerPixel)
{
    return static_cast<float>(TilePixels) * twipsPerPixel;
}

float frameWidthFor(Int16 boardWidth, float twipsPerPixelX)
{
    return static_cast<float>(mul16(boardWidth, TilePixels)) * twipsPerPixelX + FrameExtraWidth;
}

float frameHeightFor(Int16 boardHeight, float twipsPerPixelY)
{
    return static_cast<float>(mul16(boardHeight, TilePixels)) * twipsPerPixelY + FrameExtraHeight;
}

bool isAdmittedBoardSize(int width, int height)
{
    return width >= 1 && height >= 1 && width <= MaximumBoardSide && height <= MaximumBoardSide
           && static_cast<long long>(width) * height <= MaximumBoardPlaces;
}

Int16 customSizeMaximum(double screenTwips, double twipsPerPixel)
{
    return roundToInt16(screenTwips / twipsPerPixel / TilePixels - 3.0);
}

} // namespace vantirelle

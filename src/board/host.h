#pragma once

#include "board/int16.h"

#include <string>
#include <string_view>

namespace vantirelle {

// Everything the board rules touch on screen: the tile elements, the frame that
// holds them, the moves label and the game window. All places and sizes are twips.
// The game implements it with Qt widgets; the tests with a plain in-memory fake.
class BoardHost {
public:
    virtual ~BoardHost() = default;

    // Tile elements. Element 0 is the template and always exists; createTile makes
    // element i as a copy of element 0's appearance, hidden. Creating an element that
    // exists, or using one that does not, raises TileElementError.
    virtual void createTile(Int16 index) = 0;
    virtual void destroyTile(Int16 index) = 0;
    virtual Int16 tileUpperBound() const = 0; // highest index that exists
    virtual void setTileCaption(Int16 index, std::string_view caption) = 0;
    virtual const std::string& tileCaption(Int16 index) const = 0;
    virtual void setTileVisible(Int16 index, bool visible) = 0;
    virtual bool tileVisible(Int16 index) const = 0;
    virtual void setTileBold(Int16 index, bool bold) = 0;
    virtual bool tileBold(Int16 index) const = 0;
    virtual void setTileFocus(Int16 index) = 0;
    virtual void setTileLeft(Int16 index, float left) = 0;
    virtual void setTileTop(Int16 index, float top) = 0;
    virtual void setTileWidth(Int16 index, float width) = 0;
    virtual void setTileHeight(Int16 index, float height) = 0;

    // The frame around the board.
    virtual void setFrameCaption(std::string_view caption) = 0;
    virtual float frameLeft() const = 0;
    virtual void setFrameLeft(float left) = 0;
    virtual float frameTop() const = 0;
    virtual float frameWidth() const = 0;
    virtual void setFrameWidth(float width) = 0;
    virtual float frameHeight() const = 0;
    virtual void setFrameHeight(float height) = 0;

    // The moves label sizes itself to its caption; its width and height are read back.
    virtual void setLabelCaption(std::string_view caption) = 0;
    virtual float labelLeft() const = 0;
    virtual void setLabelLeft(float left) = 0;
    virtual float labelTop() const = 0;
    virtual void setLabelTop(float top) = 0;
    virtual float labelWidth() const = 0;
    virtual float labelHeight() const = 0;

    // The game window's outer size, as applied by the window system.
    virtual float windowWidth() const = 0;
    virtual void setWindowWidth(float width) = 0;
    virtual float windowHeight() const = 0;
    virtual void setWindowHeight(float height) = 0;
    virtual void hideWindow() = 0;
    virtual void showWindow() = 0;

    // Read afresh at each use: the screen may change between boards.
    virtual float twipsPerPixelX() const = 0;
    virtual float twipsPerPixelY() const = 0;
};

// Message box styles and answers, as numbers the rules pass around.
namespace MsgBox {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int ButtonsMask = 7;
inline constexpr int IconMask = 112;
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;
} // namespace MsgBox

inline constexpr std::string_view ApplicationTitle = "Vantirelle";

// Modal questions and the beep. Tests script the answers, so nothing blocks.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int messageBox(std::string_view text, int style, std::string_view title) = 0;
    virtual void beep() = 0;
};

} // namespace vantirelle

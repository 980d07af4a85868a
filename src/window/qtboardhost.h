#pragma once

#include "board/host.h"

#include <QPoint>
#include <QSize>

#include <optional>

class QGroupBox;
class QLabel;
class QMainWindow;
class QScrollArea;
class QWidget;

namespace vantirelle {

class BoardView;
class ScreenSource;

// The board's host on real widgets. Places and sizes arrive in twips and are applied
// in whole pixels; reading one back gives the value the widget really took.
//
// Window sizes are outer sizes that allow 8 pixels for the side borders and 58 for the
// borders, the title and the menu bar, so the client area below the menu bar is
// (width - 8 px) by (height - 58 px). The window never grows past the screen's
// available area: a larger board scrolls inside it, and the sizes read back stay
// those the rules asked for.
class QtBoardHost final : public BoardHost {
public:
    QtBoardHost(QMainWindow& window, QScrollArea& scroller, QWidget& canvas, QGroupBox& frame, BoardView& view,
                QLabel& label, const ScreenSource& screen);

    void createTile(Int16 index) override;
    void destroyTile(Int16 index) override;
    Int16 tileUpperBound() const override;
    void setTileCaption(Int16 index, std::string_view caption) override;
    const std::string& tileCaption(Int16 index) const override;
    void setTileVisible(Int16 index, bool visible) override;
    bool tileVisible(Int16 index) const override;
    void setTileBold(Int16 index, bool bold) override;
    bool tileBold(Int16 index) const override;
    void setTileFocus(Int16 index) override;
    void setTileLeft(Int16 index, float left) override;
    void setTileTop(Int16 index, float top) override;
    void setTileWidth(Int16 index, float width) override;
    void setTileHeight(Int16 index, float height) override;

    void setFrameCaption(std::string_view caption) override;
    float frameLeft() const override;
    void setFrameLeft(float left) override;
    float frameTop() const override;
    float frameWidth() const override;
    void setFrameWidth(float width) override;
    float frameHeight() const override;
    void setFrameHeight(float height) override;

    void setLabelCaption(std::string_view caption) override;
    float labelLeft() const override;
    void setLabelLeft(float left) override;
    float labelTop() const override;
    void setLabelTop(float top) override;
    float labelWidth() const override;
    float labelHeight() const override;

    float windowWidth() const override { return m_windowWidth; }
    void setWindowWidth(float width) override;
    float windowHeight() const override { return m_windowHeight; }
    void setWindowHeight(float height) override;
    void hideWindow() override;
    void showWindow() override;

    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;

    // Client area below the menu bar, in pixels, as the layout asks for it.
    QSize clientSizePixels() const;

private:
    int pixelsX(float twips) const;
    int pixelsY(float twips) const;
    void applyWindowSize();

    QMainWindow& m_window;
    QScrollArea& m_scroller;
    QWidget& m_canvas;
    QGroupBox& m_frame;
    BoardView& m_view;
    QLabel& m_label;
    const ScreenSource& m_screen;
    float m_windowWidth;
    float m_windowHeight;
    std::optional<QPoint> m_shownAt; // where the window stood before it was hidden for a new board
    QSize m_decoration{8, 32};       // the window system's frame and title, as last seen
};

} // namespace vantirelle

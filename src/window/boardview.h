#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

namespace vantirelle {

// The tiles of the board, drawn as push buttons through the platform style in one
// widget. A widget per tile takes about a second to build at 20,000 tiles and
// overflows the stack while painting siblings near 32,761; this view keeps only
// what the rules need per tile and paints just the tiles inside the exposed area.
// Element 0 is the template: new elements copy its appearance.
class BoardView : public QWidget {
    Q_OBJECT

public:
    struct Tile {
        std::string caption;
        QRect place; // pixels in this widget, converted from twips when set
        bool exists = false;
        bool visible = false;
        bool bold = false;
    };

    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    // Twips per pixel used to place the tiles from now on.
    void setScale(float twipsPerPixelX, float twipsPerPixelY);

    void createTile(int index);
    void destroyTile(int index);
    int upperBound() const;
    bool exists(int index) const;
    const Tile& tile(int index) const; // raises TileElementError for a missing element

    void setTileCaption(int index, std::string_view caption);
    void setTileVisible(int index, bool visible);
    void setTileBold(int index, bool bold);
    void setTileLeft(int index, float left);
    void setTileTop(int index, float top);
    void setTileWidth(int index, float width);
    void setTileHeight(int index, float height);
    void setFocusTile(int index);
    int focusTile() const { return m_focus; }

    QRect tileRect(int index) const;  // in this widget's pixels
    int tileAt(const QPoint& point) const; // the visible tile under a point, or -1
    // Visible tiles in index order, for assistive technology.
    const std::vector<int>& visibleTiles() const;

    QFont tileFont(bool bold) const;

    // Presses a tile as a click would (used by keyboard and assistive technology).
    void pressTile(int index);

signals:
    void tileClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Tile& editable(int index);
    void setTilePlace(int index, const QRect& place);
    void repaintTile(int index);
    void repaintAll();
    int pixelsX(float twips) const;
    int pixelsY(float twips) const;
    void notifyAccessibility(int index, int what) const;

    std::vector<Tile> m_tiles;
    float m_tpx = 15, m_tpy = 15;
    int m_focus = -1;
    int m_pressed = -1;      // tile held down by the mouse or the space bar
    bool m_pressedInside = false;
    bool m_spaceDown = false;
    bool m_repaintAllPending = false;
    QColor m_colour;
    QFont m_font;
    mutable std::vector<int> m_visible;
    mutable bool m_visibleDirty = true;
};

} // namespace vantirelle

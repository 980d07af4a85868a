#pragma once

#include "board/board.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

#include <array>
#include <optional>

class QVariantAnimation;

namespace vantirelle {

class BoardLayout;
class BoardViewAccessible;

// The tiles of a board, drawn as push buttons through the platform style in one widget.
// A widget per tile takes about a second to build at 20,000 tiles and overflows the
// stack while painting near 32,761; this view keeps nothing per tile and paints only
// the tiles inside the exposed area, straight from the board value.
//
// Keyboard: Space, Enter and Return slide the tile with the focus frame; Ctrl with an
// arrow moves the focus frame to the next tile that way, passing over blanks.
class BoardView : public QWidget {
    Q_OBJECT

public:
    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    // The board to draw and where its tiles go; the whole view is repainted once. Both
    // must outlive the view or be replaced before they go. The focus frame goes to the
    // first tile in reading order.
    void setBoard(const Board* board, const BoardLayout* layout);
    // A tile moved from `slide.from` to `slide.to`, or a line of them toward `slide.to`: the
    // places are repainted, the tiles glide there together, and the focus frame follows the
    // tile that was pressed.
    void tileMoved(const Slide& slide);
    // Many places changed at once (a restart): everything is repainted.
    void boardChanged();

    const Board* board() const { return m_board; }
    QRect tileRect(int place) const;
    // The tile drawn under a point, or -1 where there is none (a blank or the frame).
    int tileAt(const QPoint& point) const;
    int focusPlace() const { return m_focus; }
    void setFocusPlace(int place);
    // Presses a tile as a click does (assistive technology).
    void pressTile(int place);
    // True for the instant between the view taking the focus and Qt announcing it.
    bool isFocusArriving() const { return m_focusArriving; }
    // Beyond this many changed places, a change is announced as a new table.
    static constexpr int MostCellsNamed = 64;
    // Lights a tile up once, briefly: the tile a hint points at.
    void flashTile(int place);
    int flashingPlace() const { return m_flashPlace; }

    // The colours a caption is drawn in, against the tile's own face.
    QColor tileFace() const { return m_face; }
    QColor captionColour() const;
    // The face a caption is drawn in: the tile font, bold or not, made smaller for captions
    // too wide to keep a margin inside the tile.
    QFont captionFont(const QString& caption, bool bold) const;

    // Tiles glide for about this long after a move, unless the style turns animations off.
    static constexpr int GlideMilliseconds = 100;
    static constexpr int FlashMilliseconds = 400;
    bool isGliding() const;
    void finishGlide();

signals:
    void tileClicked(int place);
    // A click, Space or Enter with Shift held: the tile and those between it and a blank.
    void lineClicked(int place);
    // The focus frame moved; the window scrolls the tile into view.
    void focusRectChanged(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isShown(int place) const;
    void repaintPlace(int place);
    void moveFocusToward(int columnStep, int rowStep);
    int firstShownPlace() const;
    BoardViewAccessible* accessible() const;
    // Accessibility announcements, sent at the rate the announcer allows: a place's
    // cell has a new name; the tile with the frame has the focus; all of it changed.
    void announceCell(int place);
    void announceFocus();
    void announceNewBoard();
    void updateTilePalette();

    const Board* m_board = nullptr;
    const BoardLayout* m_layout = nullptr;
    int m_focus = -1;
    int m_pressed = -1; // tile held down by the mouse or a key
    bool m_pressedInside = false;
    bool m_pressedWithShift = false;
    int m_keyDown = 0;  // the key holding a tile down
    bool m_focusArriving = false;
    QColor m_face;
    QFont m_font;
    // The palette tiles are drawn with, made once per change of the widget's palette: the
    // style caches each drawn button under its palette's key, and a palette made afresh
    // for every paint would fill that cache with copies of the same tile.
    QPalette m_tilePalette;

    int m_flashPlace = -1;

    // The glide of the last tiles moved: the places they went to, from `m_glideFirst` to
    // `m_glideLast` every `m_glideStep`, are drawn shifted by the offset, which shrinks to nothing.
    QVariantAnimation* m_glide = nullptr;
    int m_glideFirst = -1;
    int m_glideLast = -1;
    int m_glideStep = 1;
    QPoint m_glideOffset;
    bool isGliding(int place) const;
    QRect glideArea() const;
};

} // namespace vantirelle

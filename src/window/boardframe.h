#pragma once

#include <QGroupBox>

namespace vantirelle {

// The captioned frame around the board. The board's layout leaves 16 pixels above the
// first row of tiles, as a frame whose caption sits on its top line does; styles that put
// the line below the caption would run it through the tiles, so this frame draws its line
// through the middle of the caption, with the caption over it.
class BoardFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit BoardFrame(QWidget* parent = nullptr) : QGroupBox(parent) {}
    QRect titleRect() const;
    QRect frameRect() const; // the rectangle the frame's line runs round

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vantirelle

#include "window/qtboardhost.h"

#include "board/layout.h"
#include "window/boardview.h"
#include "window/services.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace vantirelle {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtBoardHost::QtBoardHost(QMainWindow& window, QScrollArea& scroller, QWidget& canvas, QGroupBox& frame,
                         BoardView& view, QLabel& label, const ScreenSource& screen)
    : m_window(window)
    , m_scroller(scroller)
    , m_canvas(canvas)
    , m_frame(frame)
    , m_view(view)
    , m_label(label)
    , m_screen(screen)
    , m_windowWidth((static_cast<float>(canvas.width()) + WindowBorderPixels) * screen.twipsPerPixelX())
    , m_windowHeight((static_cast<float>(canvas.height()) + WindowChromePixels) * screen.twipsPerPixelY())
{
    m_view.setScale(twipsPerPixelX(), twipsPerPixelY());
}

float QtBoardHost::twipsPerPixelX() const { return m_screen.twipsPerPixelX(); }
float QtBoardHost::twipsPerPixelY() const { return m_screen.twipsPerPixelY(); }

int QtBoardHost::pixelsX(float twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerPixelX()));
}

int QtBoardHost::pixelsY(float twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerPixelY()));
}

void QtBoardHost::createTile(Int16 index) { m_view.createTile(index); }
void QtBoardHost::destroyTile(Int16 index) { m_view.destroyTile(index); }
Int16 QtBoardHost::tileUpperBound() const { return static_cast<Int16>(m_view.upperBound()); }
void QtBoardHost::setTileCaption(Int16 index, std::string_view caption) { m_view.setTileCaption(index, caption); }
const std::string& QtBoardHost::tileCaption(Int16 index) const { return m_view.tile(index).caption; }
void QtBoardHost::setTileVisible(Int16 index, bool visible) { m_view.setTileVisible(index, visible); }
bool QtBoardHost::tileVisible(Int16 index) const { return m_view.tile(index).visible; }
void QtBoardHost::setTileBold(Int16 index, bool bold) { m_view.setTileBold(index, bold); }
bool QtBoardHost::tileBold(Int16 index) const { return m_view.tile(index).bold; }
void QtBoardHost::setTileFocus(Int16 index) { m_view.setFocusTile(index); }
void QtBoardHost::setTileLeft(Int16 index, float left) { m_view.setTileLeft(index, left); }
void QtBoardHost::setTileTop(Int16 index, float top) { m_view.setTileTop(index, top); }
void QtBoardHost::setTileWidth(Int16 index, float width) { m_view.setTileWidth(index, width); }
void QtBoardHost::setTileHeight(Int16 index, float height) { m_view.setTileHeight(index, height); }

void QtBoardHost::setFrameCaption(std::string_view caption) { m_frame.setTitle(fromUtf8(caption)); }
float QtBoardHost::frameLeft() const { return static_cast<float>(m_frame.x()) * twipsPerPixelX(); }
float QtBoardHost::frameTop() const { return static_cast<float>(m_frame.y()) * twipsPerPixelY(); }
float QtBoardHost::frameWidth() const { return static_cast<float>(m_frame.width()) * twipsPerPixelX(); }
float QtBoardHost::frameHeight() const { return static_cast<float>(m_frame.height()) * twipsPerPixelY(); }

void QtBoardHost::setFrameLeft(float left) { m_frame.move(pixelsX(left), m_frame.y()); }

void QtBoardHost::setFrameWidth(float width)
{
    m_frame.resize(std::max(0, pixelsX(width)), m_frame.height());
    m_view.resize(m_frame.size());
}

void QtBoardHost::setFrameHeight(float height)
{
    m_frame.resize(m_frame.width(), std::max(0, pixelsY(height)));
    m_view.resize(m_frame.size());
}

void QtBoardHost::setLabelCaption(std::string_view caption)
{
    m_label.setText(fromUtf8(caption));
    m_label.adjustSize(); // the label sizes itself to its caption
}

float QtBoardHost::labelLeft() const { return static_cast<float>(m_label.x()) * twipsPerPixelX(); }
void QtBoardHost::setLabelLeft(float left) { m_label.move(pixelsX(left), m_label.y()); }
float QtBoardHost::labelTop() const { return static_cast<float>(m_label.y()) * twipsPerPixelY(); }
void QtBoardHost::setLabelTop(float top) { m_label.move(m_label.x(), pixelsY(top)); }
float QtBoardHost::labelWidth() const { return static_cast<float>(m_label.width()) * twipsPerPixelX(); }
float QtBoardHost::labelHeight() const { return static_cast<float>(m_label.height()) * twipsPerPixelY(); }

void QtBoardHost::setWindowWidth(float width)
{
    m_windowWidth = static_cast<float>(pixelsX(width)) * twipsPerPixelX();
    applyWindowSize();
}

void QtBoardHost::setWindowHeight(float height)
{
    m_windowHeight = static_cast<float>(pixelsY(height)) * twipsPerPixelY();
    applyWindowSize();
}

QSize QtBoardHost::clientSizePixels() const
{
    return QSize(std::max(1, pixelsX(m_windowWidth) - static_cast<int>(WindowBorderPixels)),
                 std::max(1, pixelsY(m_windowHeight) - static_cast<int>(WindowChromePixels)));
}

void QtBoardHost::applyWindowSize()
{
    const QSize client = clientSizePixels();
    m_canvas.setFixedSize(client);

    // Keep the whole window on the screen; what does not fit scrolls.
    const QRect available = m_screen.availableGeometry();
    const int menuHeight = m_window.menuBar()->sizeHint().height();
    const QSize decoration = m_window.isVisible() ? m_window.frameGeometry().size() - m_window.geometry().size()
                                                   : m_decoration;
    const int maxWidth = std::max(100, available.width() - decoration.width());
    const int maxHeight = std::max(100, available.height() - decoration.height() - menuHeight);
    const int bar = m_scroller.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool across = client.width() > maxWidth;
    const bool down = client.height() > maxHeight;
    const int width = std::min(client.width() + (down ? bar : 0), maxWidth);
    const int height = std::min(client.height() + (across ? bar : 0), maxHeight);
    m_scroller.setFixedSize(width, height);
    m_window.setFixedSize(width, height + menuHeight);
}

void QtBoardHost::hideWindow()
{
    // The screen's resolution may have changed since the last board.
    m_view.setScale(twipsPerPixelX(), twipsPerPixelY());
    if (m_window.isVisible()) {
        m_shownAt = m_window.pos();
        m_decoration = m_window.frameGeometry().size() - m_window.size();
    }
    m_window.hide();
}

void QtBoardHost::showWindow()
{
    // A new board leaves the window where it was, unless its new size would reach off the screen.
    if (m_shownAt) {
        const QRect available = m_screen.availableGeometry();
        const QSize outer = m_window.size() + m_decoration;
        const int right = std::max(available.left(), available.right() + 1 - outer.width());
        const int bottom = std::max(available.top(), available.bottom() + 1 - outer.height());
        m_window.move(std::clamp(m_shownAt->x(), available.left(), right),
                      std::clamp(m_shownAt->y(), available.top(), bottom));
    }
    m_window.show();
}

} // namespace vantirelle

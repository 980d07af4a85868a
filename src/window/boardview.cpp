#include "window/boardview.h"

#include "board/errors.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include <cmath>

namespace vantirelle {

BoardView::BoardView(QWidget* parent)
    : QWidget(parent)
    , m_colour(192, 255, 255)
{
    setObjectName("btnSlide");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_font = QFont(QStringLiteral("MS Sans Serif"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPointSizeF(9.75);
    m_font.setWeight(QFont::Normal);

    Tile templ;
    templ.exists = true;
    templ.caption = "0";
    templ.place = QRect(0, 0, pixelsX(495), pixelsY(495));
    m_tiles.push_back(templ);
}

BoardView::~BoardView() = default;

void BoardView::setScale(float twipsPerPixelX, float twipsPerPixelY)
{
    m_tpx = twipsPerPixelX;
    m_tpy = twipsPerPixelY;
}

int BoardView::pixelsX(float twips) const
{
    return static_cast<int>(std::lround(twips / m_tpx));
}

int BoardView::pixelsY(float twips) const
{
    return static_cast<int>(std::lround(twips / m_tpy));
}

QFont BoardView::tileFont(bool bold) const
{
    QFont f = m_font;
    f.setBold(bold);
    return f;
}

bool BoardView::exists(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_tiles.size() && m_tiles[index].exists;
}

const BoardView::Tile& BoardView::tile(int index) const
{
    if (!exists(index))
        throw TileElementError("Control array element '" + std::to_string(index) + "' doesn't exist");
    return m_tiles[index];
}

BoardView::Tile& BoardView::editable(int index)
{
    return const_cast<Tile&>(tile(index));
}

void BoardView::createTile(int index)
{
    if (index <= 0)
        throw TileElementError("Invalid element index");
    if (static_cast<std::size_t>(index) >= m_tiles.size())
        m_tiles.resize(static_cast<std::size_t>(index) + 1);
    if (m_tiles[index].exists)
        throw TileElementError("Object already loaded");
    m_tiles[index] = m_tiles[0];
    m_tiles[index].visible = false;
}

void BoardView::destroyTile(int index)
{
    if (index == 0)
        throw TileElementError("Can't unload element 0");
    Tile& t = editable(index);
    if (t.visible) {
        repaintAll(); // a whole board goes at once: one repaint, not thousands of small ones
        m_visibleDirty = true;
    }
    t = Tile{};
    if (m_focus == index)
        m_focus = -1;
    if (m_pressed == index)
        m_pressed = -1;
    // Elements go from the lowest up; drop the empty tail as soon as the top one goes.
    while (m_tiles.size() > 1 && !m_tiles.back().exists)
        m_tiles.pop_back();
    notifyAccessibility(index, QAccessible::ObjectDestroyed);
}

int BoardView::upperBound() const
{
    return static_cast<int>(m_tiles.size()) - 1;
}

QRect BoardView::tileRect(int index) const
{
    return m_tiles[index].place;
}

void BoardView::repaintTile(int index)
{
    if (isVisible() && !m_repaintAllPending)
        update(m_tiles[index].place);
}

void BoardView::repaintAll()
{
    if (isVisible() && !m_repaintAllPending) {
        m_repaintAllPending = true;
        update();
    }
}

void BoardView::setTileCaption(int index, std::string_view caption)
{
    Tile& t = editable(index);
    if (t.caption == caption)
        return;
    t.caption = caption;
    repaintTile(index);
    if (t.visible)
        notifyAccessibility(index, QAccessible::NameChanged);
}

void BoardView::setTileVisible(int index, bool visible)
{
    Tile& t = editable(index);
    if (t.visible == visible)
        return;
    repaintTile(index);
    t.visible = visible;
    m_visibleDirty = true;
    if (!visible && m_pressed == index)
        m_pressed = -1;
    notifyAccessibility(index, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}

void BoardView::setTileBold(int index, bool bold)
{
    Tile& t = editable(index);
    if (t.bold == bold)
        return;
    t.bold = bold;
    repaintTile(index);
}

void BoardView::setTilePlace(int index, const QRect& place)
{
    Tile& t = editable(index);
    if (t.place == place)
        return;
    repaintTile(index); // where it was
    t.place = place;
    repaintTile(index);
}

void BoardView::setTileLeft(int index, float left)
{
    setTilePlace(index, tile(index).place.translated(pixelsX(left) - tile(index).place.left(), 0));
}

void BoardView::setTileTop(int index, float top)
{
    setTilePlace(index, tile(index).place.translated(0, pixelsY(top) - tile(index).place.top()));
}

void BoardView::setTileWidth(int index, float width)
{
    QRect place = tile(index).place;
    place.setWidth(pixelsX(width));
    setTilePlace(index, place);
}

void BoardView::setTileHeight(int index, float height)
{
    QRect place = tile(index).place;
    place.setHeight(pixelsY(height));
    setTilePlace(index, place);
}

void BoardView::setFocusTile(int index)
{
    const Tile& t = tile(index);
    if (!t.visible)
        throw TileElementError("Invalid procedure call");
    const int previous = m_focus;
    m_focus = index;
    if (previous >= 0 && exists(previous))
        repaintTile(previous);
    repaintTile(index);
    setFocus(Qt::OtherFocusReason);
    if (hasFocus())
        notifyAccessibility(index, QAccessible::Focus);
}

const std::vector<int>& BoardView::visibleTiles() const
{
    if (m_visibleDirty) {
        m_visible.clear();
        for (std::size_t i = 0; i < m_tiles.size(); ++i) {
            if (m_tiles[i].exists && m_tiles[i].visible)
                m_visible.push_back(static_cast<int>(i));
        }
        m_visibleDirty = false;
    }
    return m_visible;
}

int BoardView::tileAt(const QPoint& point) const
{
    // A later element lies above an earlier one where they overlap.
    for (std::size_t i = m_tiles.size(); i-- > 0;) {
        const Tile& t = m_tiles[i];
        if (t.exists && t.visible && t.place.contains(point))
            return static_cast<int>(i);
    }
    return -1;
}

void BoardView::paintEvent(QPaintEvent* event)
{
    m_repaintAllPending = false;
    QPainter painter(this);
    const QRect exposed = event->rect();
    const QFont regular = tileFont(false);
    const QFont bold = tileFont(true);
    const QFontMetrics regularMetrics(regular);
    const QFontMetrics boldMetrics(bold);

    QStyleOptionButton option;
    option.initFrom(this);
    option.palette.setColor(QPalette::Button, m_colour);
    const QStyle::State base = option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver);

    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const Tile& t = m_tiles[i];
        if (!t.exists || !t.visible)
            continue;
        const int index = static_cast<int>(i);
        const QRect& rect = t.place;
        if (!rect.intersects(exposed))
            continue;
        option.rect = rect;
        option.text = QString::fromStdString(t.caption);
        option.fontMetrics = t.bold ? boldMetrics : regularMetrics;
        option.state = base;
        const bool down = index == m_pressed && (m_pressedInside || m_spaceDown);
        option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        if (index == m_focus && hasFocus())
            option.state |= QStyle::State_HasFocus;
        painter.setFont(t.bold ? bold : regular);
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    }
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int index = tileAt(event->position().toPoint());
    if (index < 0) {
        event->ignore();
        return;
    }
    // A button takes the focus when it is pressed.
    const int previous = m_focus;
    m_focus = index;
    if (previous >= 0 && exists(previous))
        repaintTile(previous);
    setFocus(Qt::MouseFocusReason);
    m_pressed = index;
    m_pressedInside = true;
    repaintTile(index);
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed < 0)
        return;
    const bool inside = tileRect(m_pressed).contains(event->position().toPoint());
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        repaintTile(m_pressed);
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0)
        return;
    const int index = m_pressed;
    const bool inside = tileRect(index).contains(event->position().toPoint());
    m_pressed = -1;
    m_pressedInside = false;
    repaintTile(index);
    if (inside)
        emit tileClicked(index);
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    // The arrow keys move the focus to the next tile in that direction, passing over the blank.
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left: step = QPoint(-1, 0); break;
    case Qt::Key_Right: step = QPoint(1, 0); break;
    case Qt::Key_Up: step = QPoint(0, -1); break;
    case Qt::Key_Down: step = QPoint(0, 1); break;
    default: break;
    }
    if (!step.isNull() && exists(m_focus) && !m_spaceDown) {
        const QRect from = m_tiles[m_focus].place;
        const QPoint pitch(step.x() * from.width(), step.y() * from.height());
        for (QPoint at = from.center() + pitch; rect().contains(at); at += pitch) {
            const int next = tileAt(at);
            if (next >= 0) {
                setFocusTile(next);
                break;
            }
        }
        return;
    }

    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && exists(m_focus) && m_tiles[m_focus].visible) {
        m_pressed = m_focus;
        m_spaceDown = true;
        repaintTile(m_focus);
        return;
    }
    QWidget::keyPressEvent(event);
}

void BoardView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceDown) {
        m_spaceDown = false;
        const int index = m_pressed;
        m_pressed = -1;
        if (exists(index)) {
            repaintTile(index);
            emit tileClicked(index);
        }
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void BoardView::pressTile(int index)
{
    if (exists(index) && m_tiles[index].visible)
        emit tileClicked(index);
}

void BoardView::focusInEvent(QFocusEvent* event)
{
    // Like the first button in the tab order, the lowest visible tile takes the focus.
    if (!exists(m_focus) || !m_tiles[m_focus].visible) {
        const auto& shown = visibleTiles();
        m_focus = shown.empty() ? -1 : shown.front();
    }
    if (m_focus >= 0) {
        repaintTile(m_focus);
        notifyAccessibility(m_focus, QAccessible::Focus);
    }
    QWidget::focusInEvent(event);
}

void BoardView::focusOutEvent(QFocusEvent* event)
{
    if (m_spaceDown) {
        m_spaceDown = false;
        m_pressed = -1;
    }
    if (exists(m_focus))
        repaintTile(m_focus);
    QWidget::focusOutEvent(event);
}

} // namespace vantirelle

#include "window/boardaccessible.h"

#include "window/boardview.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vantirelle {

BoardViewAccessible::BoardViewAccessible(BoardView* view)
    : QAccessibleWidget(view, QAccessible::Grouping, QStringLiteral("Board"))
{
}

BoardViewAccessible::~BoardViewAccessible()
{
    for (const auto& [tile, id] : m_tiles)
        QAccessible::deleteAccessibleInterface(id);
}

BoardView* BoardViewAccessible::view() const
{
    return static_cast<BoardView*>(widget());
}

int BoardViewAccessible::childCount() const
{
    return static_cast<int>(view()->visibleTiles().size());
}

QAccessibleInterface* BoardViewAccessible::child(int index) const
{
    const auto& shown = view()->visibleTiles();
    if (index < 0 || static_cast<std::size_t>(index) >= shown.size())
        return nullptr;
    return tileInterface(shown[index]);
}

int BoardViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::Button)
        return -1;
    const int tile = static_cast<const TileAccessible*>(child)->tile();
    const auto& shown = view()->visibleTiles();
    const auto at = std::lower_bound(shown.begin(), shown.end(), tile);
    return at != shown.end() && *at == tile ? static_cast<int>(at - shown.begin()) : -1;
}

QAccessibleInterface* BoardViewAccessible::childAt(int x, int y) const
{
    const int tile = view()->tileAt(view()->mapFromGlobal(QPoint(x, y)));
    return tile < 0 ? nullptr : tileInterface(tile);
}

QAccessibleInterface* BoardViewAccessible::focusChild() const
{
    const int tile = view()->focusTile();
    if (!view()->hasFocus() || !view()->exists(tile) || !view()->tile(tile).visible)
        return nullptr;
    return tileInterface(tile);
}

QAccessibleInterface* BoardViewAccessible::tileInterface(int tile) const
{
    if (!view()->exists(tile))
        return nullptr;
    const auto found = m_tiles.find(tile);
    if (found != m_tiles.end())
        return QAccessible::accessibleInterface(found->second);
    auto* iface = new TileAccessible(view(), tile);
    m_tiles.emplace(tile, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void BoardViewAccessible::forgetTile(int tile)
{
    const auto found = m_tiles.find(tile);
    if (found == m_tiles.end())
        return;
    QAccessible::deleteAccessibleInterface(found->second);
    m_tiles.erase(found);
}

TileAccessible::TileAccessible(BoardView* view, int tile)
    : m_view(view), m_tile(tile)
{
}

bool TileAccessible::isValid() const
{
    return m_view && m_view->exists(m_tile);
}

QWindow* TileAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TileAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString TileAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    if (t == QAccessible::Name)
        return QString::fromStdString(m_view->tile(m_tile).caption);
    return {};
}

QRect TileAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect local = m_view->tileRect(m_tile);
    return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State TileAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.invisible = !m_view->tile(m_tile).visible;
    s.focused = m_view->hasFocus() && m_view->focusTile() == m_tile;
    return s;
}

void* TileAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TileAccessible::actionNames() const
{
    return {pressAction()};
}

void TileAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && isValid())
        m_view->pressTile(m_tile);
}

namespace {

QAccessibleInterface* boardViewFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("vantirelle::BoardView") && object && object->isWidgetType())
        return new BoardViewAccessible(static_cast<BoardView*>(object));
    return nullptr;
}

} // namespace

void installBoardAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(boardViewFactory);
        installed = true;
    }
}

void BoardView::notifyAccessibility(int index, int what) const
{
    if (!QAccessible::isActive())
        return;
    auto* board = static_cast<BoardViewAccessible*>(QAccessible::queryAccessibleInterface(const_cast<BoardView*>(this)));
    if (!board)
        return;
    const auto event = static_cast<QAccessible::Event>(what);
    if (QAccessibleInterface* tile = board->tileInterface(index)) {
        QAccessibleEvent ev(tile, event);
        QAccessible::updateAccessibility(&ev);
    }
    if (event == QAccessible::ObjectDestroyed)
        board->forgetTile(index);
}

} // namespace vantirelle

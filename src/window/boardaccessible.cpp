#include "window/boardaccessible.h"

#include "board/board.h"
#include "window/boardview.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vantirelle {

namespace {

// The drawn tiles are the places that are not blank: the n-th of them skips every
// blank at or before it.
int nthShownPlace(const Board& board, int n)
{
    int place = n;
    for (const int blank : board.blanks()) {
        if (blank > place)
            break;
        ++place;
    }
    return place < board.places() ? place : -1;
}

int shownIndexOf(const Board& board, int place)
{
    const auto& blanks = board.blanks();
    return place - static_cast<int>(std::lower_bound(blanks.begin(), blanks.end(), place) - blanks.begin());
}

} // namespace

BoardViewAccessible::BoardViewAccessible(BoardView* view)
    : QAccessibleWidget(view, QAccessible::Grouping, QStringLiteral("Board"))
{
}

BoardViewAccessible::~BoardViewAccessible()
{
    for (const auto& [place, id] : m_tiles)
        QAccessible::deleteAccessibleInterface(id);
}

BoardView* BoardViewAccessible::view() const
{
    return static_cast<BoardView*>(widget());
}

int BoardViewAccessible::childCount() const
{
    const Board* board = view()->board();
    return board ? board->places() - static_cast<int>(board->blanks().size()) : 0;
}

QAccessibleInterface* BoardViewAccessible::child(int index) const
{
    const Board* board = view()->board();
    if (!board || index < 0 || index >= childCount())
        return nullptr;
    return tileInterface(nthShownPlace(*board, index));
}

int BoardViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const Board* board = view()->board();
    if (!board || !child || child->role() != QAccessible::Button || child->parent() != this)
        return -1;
    const int place = static_cast<const TileAccessible*>(child)->place();
    if (place < 0 || place >= board->places() || board->isBlank(place))
        return -1;
    return shownIndexOf(*board, place);
}

QAccessibleInterface* BoardViewAccessible::childAt(int x, int y) const
{
    const int place = view()->tileAt(view()->mapFromGlobal(QPoint(x, y)));
    return place < 0 ? nullptr : tileInterface(place);
}

QAccessibleInterface* BoardViewAccessible::focusChild() const
{
    const int place = view()->focusPlace();
    const Board* board = view()->board();
    if (!view()->hasFocus() || !board || place < 0 || place >= board->places() || board->isBlank(place))
        return nullptr;
    return tileInterface(place);
}

QAccessibleInterface* BoardViewAccessible::tileInterface(int place) const
{
    const Board* board = view()->board();
    if (!board || place < 0 || place >= board->places())
        return nullptr;
    const auto found = m_tiles.find(place);
    if (found != m_tiles.end())
        return QAccessible::accessibleInterface(found->second);
    auto* tile = new TileAccessible(view(), place);
    m_tiles.emplace(place, QAccessible::registerAccessibleInterface(tile));
    return tile;
}

TileAccessible::TileAccessible(BoardView* view, int place)
    : m_view(view), m_place(place)
{
}

bool TileAccessible::isValid() const
{
    return m_view && m_view->board() && m_place < m_view->board()->places();
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
    if (!isValid() || t != QAccessible::Name)
        return {};
    return QString::fromStdString(m_view->board()->caption(m_place));
}

QRect TileAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect local = m_view->tileRect(m_place);
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
    s.invisible = m_view->board()->isBlank(m_place);
    s.focused = m_view->hasFocus() && m_view->focusPlace() == m_place;
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
        m_view->pressTile(m_place);
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

} // namespace vantirelle

#include "window/boardaccessible.h"

#include "board/board.h"
#include "window/boardview.h"
#include "window/spokenlabel.h"

#include <QMetaObject>
#include <QWidget>
#include <QWindow>

namespace vantirelle {

QString blankCellName()
{
    return QStringLiteral("blank");
}

BoardViewAccessible::BoardViewAccessible(BoardView* view)
    : QAccessibleWidget(view, QAccessible::Table, QStringLiteral("Board"))
{
}

BoardViewAccessible::~BoardViewAccessible()
{
    for (const auto& [place, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

BoardView* BoardViewAccessible::view() const
{
    return static_cast<BoardView*>(widget());
}

bool BoardViewAccessible::isValid() const
{
    // Qt announces the view's own focus after the view has announced its tile's; the
    // view's is not passed on, so a client hears one focus, the tile's.
    return QAccessibleWidget::isValid() && !view()->isFocusArriving();
}

QAccessible::State BoardViewAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = false; // the tile with the focus frame has it
    return s;
}

int BoardViewAccessible::childCount() const
{
    const Board* board = view()->board();
    return board ? board->places() : 0;
}

QAccessibleInterface* BoardViewAccessible::child(int index) const
{
    return cell(index);
}

int BoardViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::Cell || child->parent() != this)
        return -1;
    const auto* found = static_cast<const BoardCellAccessible*>(child);
    return found->isOnBoard() ? found->place() : -1;
}

QAccessibleInterface* BoardViewAccessible::childAt(int x, int y) const
{
    const Board* board = view()->board();
    const QPoint point = view()->mapFromGlobal(QPoint(x, y));
    if (const int place = view()->tileAt(point); place >= 0)
        return cell(place);
    // A blank has no tile drawn; find its place from the grid.
    if (board) {
        for (const int blank : board->blanks()) {
            if (view()->tileRect(blank).contains(point))
                return cell(blank);
        }
    }
    return nullptr;
}

QAccessibleInterface* BoardViewAccessible::focusChild() const
{
    const int place = view()->focusPlace();
    if (!view()->hasFocus() || place < 0 || place >= childCount())
        return nullptr;
    return cell(place);
}

void* BoardViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* BoardViewAccessible::cellAt(int row, int column) const
{
    const Board* board = view()->board();
    if (!board || row < 0 || column < 0 || row >= board->height() || column >= board->width())
        return nullptr;
    return cell(board->placeAt(row, column));
}

int BoardViewAccessible::columnCount() const
{
    const Board* board = view()->board();
    return board ? board->width() : 0;
}

int BoardViewAccessible::rowCount() const
{
    const Board* board = view()->board();
    return board ? board->height() : 0;
}

QAccessibleInterface* BoardViewAccessible::cell(int place) const
{
    const Board* board = view()->board();
    if (!board || place < 0 || place >= board->places())
        return nullptr;
    const auto found = m_cells.find(place);
    if (found != m_cells.end())
        return QAccessible::accessibleInterface(found->second);
    auto* made = new BoardCellAccessible(view(), place);
    m_cells.emplace(place, QAccessible::registerAccessibleInterface(made));
    return made;
}

BoardCellAccessible::BoardCellAccessible(BoardView* view, int place) : m_view(view), m_place(place) {}

bool BoardCellAccessible::isOnBoard() const
{
    return m_view && m_view->board() && m_place < m_view->board()->places();
}

bool BoardCellAccessible::isValid() const
{
    // Valid while the view lives, on the board or not: a client asking about a place a
    // smaller board no longer has is told it is not showing, not that it does not exist.
    return !m_view.isNull();
}

QWindow* BoardCellAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* BoardCellAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString BoardCellAccessible::text(QAccessible::Text t) const
{
    if (!isOnBoard() || t != QAccessible::Name)
        return {};
    const Board& board = *m_view->board();
    return board.isBlank(m_place) ? blankCellName() : QString::fromStdString(board.caption(m_place));
}

QRect BoardCellAccessible::rect() const
{
    if (!isOnBoard())
        return {};
    const QRect local = m_view->tileRect(m_place);
    return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State BoardCellAccessible::state() const
{
    QAccessible::State s;
    if (!isOnBoard()) {
        s.invisible = true;
        return s;
    }
    const bool blank = m_view->board()->isBlank(m_place);
    s.focusable = !blank;
    s.focused = !blank && m_view->hasFocus() && m_view->focusPlace() == m_place;
    return s;
}

void* BoardCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

int BoardCellAccessible::columnIndex() const
{
    return isOnBoard() ? m_view->board()->column(m_place) : -1;
}

int BoardCellAccessible::rowIndex() const
{
    return isOnBoard() ? m_view->board()->row(m_place) : -1;
}

QStringList BoardCellAccessible::actionNames() const
{
    if (!isOnBoard() || m_view->board()->isBlank(m_place))
        return {};
    return {pressAction()};
}

void BoardCellAccessible::doAction(const QString& actionName)
{
    // Pressed once the client has its answer, as Qt's own buttons are: a press that wins
    // opens a message, and the client must not wait on it.
    if (actionName == pressAction() && isOnBoard())
        QMetaObject::invokeMethod(m_view, [view = m_view, place = m_place] {
            if (view)
                view->pressTile(place);
        }, Qt::QueuedConnection);
}

namespace {

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("vantirelle::BoardView"))
        return new BoardViewAccessible(static_cast<BoardView*>(object));
    if (className == QLatin1String("vantirelle::SpokenLabel"))
        return new LabelAccessible(static_cast<SpokenLabel*>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(accessibleFactory);
        installed = true;
    }
}

} // namespace vantirelle

#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <unordered_map>

namespace vantirelle {

class BoardView;

// Exposes the board view as a group and each tile it draws as a push button named by
// its caption, with a press action, so a screen reader user plays as with real buttons.
// Children are the drawn tiles in reading order; blanks are left out.
class BoardViewAccessible : public QAccessibleWidget {
public:
    explicit BoardViewAccessible(BoardView* view);
    ~BoardViewAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The interface of one place, made on first use and kept with the view.
    QAccessibleInterface* tileInterface(int place) const;

    BoardView* view() const;

private:
    mutable std::unordered_map<int, QAccessible::Id> m_tiles;
};

class TileAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TileAccessible(BoardView* view, int place);

    int place() const { return m_place; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<BoardView> m_view;
    int m_place;
};

// Makes Qt use BoardViewAccessible for every BoardView. Safe to call more than once.
void installBoardAccessibility();

} // namespace vantirelle

#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <unordered_map>

namespace vantirelle {

class BoardView;

// Exposes the board view as a table of rows and columns, one cell for every place: a
// tile's cell is named by its caption and has a press action that slides it as a click
// does; a blank's cell is named "blank". A cell stands for a place and lives as long as
// the view, so what a client holds keeps answering whatever board comes next.
class BoardViewAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardViewAccessible(BoardView* view);
    ~BoardViewAccessible() override;

    bool isValid() const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {} // cells are places: nothing to drop

    // The cell of one place, made on first use and kept with the view.
    QAccessibleInterface* cell(int place) const;

    BoardView* view() const;

private:
    mutable std::unordered_map<int, QAccessible::Id> m_cells;
};

class BoardCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
public:
    BoardCellAccessible(BoardView* view, int place);

    int place() const { return m_place; }
    // The place is on the board in the view now (a larger board may have gone).
    bool isOnBoard() const;

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
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<BoardView> m_view;
    int m_place;
};

// The name a blank place's cell goes by.
QString blankCellName();

// Makes Qt use these interfaces for every BoardView, and LabelAccessible for every
// SpokenLabel. Safe to call more than once.
void installAccessibility();

} // namespace vantirelle

// The accessible interfaces of the grid (a table of cells), the digit display and the comment
// panel, and the events that keep assistive technology up to date with them.
#include "widgets/WidgetsAccessible.h"

#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"
#include "widgets/SecretPanel.h"
#include "widgets/TurnStone.h"

#include <QAccessibleWidget>
#include <QMetaObject>

#include <map>
#include <utility>

namespace {

class TGridTable;

// One cell of the grid. Cells have no object of their own: the table makes each when it is first
// asked for, and deletes them all with itself.
class TGridCell final : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleActionInterface {
public:
    TGridCell(TGridTable* table, int col, int row);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Grid().CellName(Col, Row) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return Col; }
    int rowIndex() const override { return Row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return {pressAction(), showMenuAction()}; }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override {
        return {name == pressAction() ? QStringLiteral("Space") : QStringLiteral("Menu")};
    }

    TRxDrawGrid& Grid() const;
    QString toldName; // the name assistive technology was last told of

private:
    TGridTable* Table;
    int Col, Row;
};

class TGridTable final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TGridTable(TRxDrawGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~TGridTable() override {
        for (const auto& [place, id] : Cells) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    TRxDrawGrid& Grid() const { return *static_cast<TRxDrawGrid*>(widget()); }

    // The cell's interface, made when first asked for.
    TGridCell* Cell(int col, int row) const {
        auto [at, made] = Cells.try_emplace({col, row}, 0);
        if (made) {
            at->second = QAccessible::registerAccessibleInterface(
                new TGridCell(const_cast<TGridTable*>(this), col, row));
        }
        return static_cast<TGridCell*>(QAccessible::accessibleInterface(at->second));
    }
    // The cell's interface if assistive technology has ever seen it.
    TGridCell* KnownCell(int col, int row) const {
        const auto at = Cells.find({col, row});
        return at == Cells.end()
                   ? nullptr
                   : static_cast<TGridCell*>(QAccessible::accessibleInterface(at->second));
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int cols = columnCount();
        return index >= 0 && index < childCount() ? Cell(index % cols, index / cols) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const TGridCell*>(child);
        return cell != nullptr && &cell->Grid() == &Grid()
                   ? cell->rowIndex() * columnCount() + cell->columnIndex()
                   : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Grid().mapFromGlobal(QPoint(x, y)) - Grid().ClientOrigin();
        int col = -1, row = -1;
        Grid().MouseToCell(at.x(), at.y(), col, row);
        return cellAt(row, col);
    }
    QAccessibleInterface* focusChild() const override {
        return Grid().hasFocus() ? Cell(Grid().FocusCol(), Grid().FocusRow()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const bool shown = row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
        return shown ? Cell(column, row) : nullptr;
    }
    int columnCount() const override { return Grid().ShownCols(); }
    int rowCount() const override { return Grid().ShownRows(); }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> Cells;
};

TGridCell::TGridCell(TGridTable* table, int col, int row)
    : toldName(table->Grid().CellName(col, row)), Table(table), Col(col), Row(row) {}

TRxDrawGrid& TGridCell::Grid() const {
    return Table->Grid();
}

bool TGridCell::isValid() const {
    return Table->isValid() && Col < Table->columnCount() && Row < Table->rowCount();
}

QWindow* TGridCell::window() const {
    return Table->window();
}

QAccessibleInterface* TGridCell::parent() const {
    return Table;
}

QRect TGridCell::rect() const {
    const QRect cell = Grid().CellRect(Col, Row).translated(Grid().ClientOrigin());
    return {Grid().mapToGlobal(cell.topLeft()), cell.size()};
}

QAccessible::State TGridCell::state() const {
    QAccessible::State s;
    s.focusable = true;
    s.focused = Grid().hasFocus() && Grid().FocusCol() == Col && Grid().FocusRow() == Row;
    s.invisible = !Grid().isVisible();
    s.disabled = !Grid().isEnabled();
    return s;
}

void TGridCell::doAction(const QString& name) {
    // Run after the call returns: a click may open a modal dialog, which would hold the caller.
    const Qt::MouseButton button = name == showMenuAction() ? Qt::RightButton : Qt::LeftButton;
    TRxDrawGrid* grid = &Grid();
    const int col = Col, row = Row;
    QMetaObject::invokeMethod(
        grid,
        [grid, col, row, button] {
            grid->SetFocusCell(col, row);
            grid->ClickCell(col, row, button);
        },
        Qt::QueuedConnection);
}

// A display, panel or picture named by its accessible name and what it shows.
class TShownText final : public QAccessibleWidget {
public:
    TShownText(QWidget* control, QString (*shown)(const QWidget*),
               QAccessible::Role role = QAccessible::StaticText)
        : QAccessibleWidget(control, role), Shown(shown) {}

    QString text(QAccessible::Text t) const override {
        const QString value = Shown(widget());
        if (t == QAccessible::Value) {
            return value;
        }
        if (t != QAccessible::Name) {
            return QAccessibleWidget::text(t);
        }
        const QString name = widget()->accessibleName();
        return name.isEmpty() || value.isEmpty() ? name + value
                                                 : name + QStringLiteral(": ") + value;
    }

private:
    QString (*Shown)(const QWidget*);
};

QString DigitsShown(const QWidget* control) {
    return static_cast<const TDigits*>(control)->ShownText();
}

QString PanelShown(const QWidget* control) {
    return static_cast<const TSecretPanel*>(control)->Lines().join(QLatin1Char(' ')).simplified();
}

QString TurnShown(const QWidget* control) {
    return static_cast<const TTurnStone*>(control)->ToMove() ? QStringLiteral("to move")
                                                             : QString();
}

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<TRxDrawGrid*>(object)) {
        return new TGridTable(grid);
    }
    if (auto* digits = qobject_cast<TDigits*>(object)) {
        return new TShownText(digits, DigitsShown);
    }
    if (auto* panel = qobject_cast<TSecretPanel*>(object)) {
        return new TShownText(panel, PanelShown);
    }
    if (auto* stone = qobject_cast<TTurnStone*>(object)) {
        return new TShownText(stone, TurnShown, QAccessible::Graphic);
    }
    return nullptr;
}

TGridTable* TableOf(TRxDrawGrid& grid) {
    return QAccessible::isActive()
               ? dynamic_cast<TGridTable*>(QAccessible::queryAccessibleInterface(&grid))
               : nullptr;
}

} // namespace

void InstallWidgetsAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

void AccessibleCellChanged(TRxDrawGrid& grid, int Col, int Row) {
    TGridTable* table = TableOf(grid);
    TGridCell* cell = table != nullptr ? table->KnownCell(Col, Row) : nullptr;
    if (cell == nullptr) {
        return;
    }
    const QString name = cell->text(QAccessible::Name);
    if (name != std::exchange(cell->toldName, name)) {
        QAccessibleEvent event(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void AccessibleFocusCell(TRxDrawGrid& grid) {
    TGridTable* table = TableOf(grid);
    if (table == nullptr || !grid.hasFocus()) {
        return;
    }
    QAccessibleEvent event(&grid, QAccessible::Focus);
    event.setChild(table->indexOfChild(table->Cell(grid.FocusCol(), grid.FocusRow())));
    QAccessible::updateAccessibility(&event);
}

void AccessibleShownChanged(QWidget* control) {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

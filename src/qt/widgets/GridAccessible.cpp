#include "qt/widgets/GridAccessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include "editor/GridCells.h"
#include "qt/widgets/DrawGrid.h"

namespace {

constexpr int kCols = TDrawGrid::kColCount;
constexpr int kRows = TDrawGrid::kRowCount;

// One cell. It has no object of its own: it lives as long as the grid's table interface,
// which registers it with QAccessible and deletes it.
class TGridCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TGridCellAccessible(TDrawGrid* grid, int col, int row) : grid_(grid), col_(col), row_(row) {}

  bool isValid() const override { return !grid_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!grid_) return QString();
    if (t == QAccessible::Name) return grid_->CellName(col_, row_);
    if (t == QAccessible::Description) return QString::fromStdString(quarvel::CellPlace({col_, row_}));
    return QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!grid_) return QRect();
    const QRect cell = grid_->CellRect(col_, row_);
    return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!grid_) return s;
    s.focusable = true;
    s.selectable = true;
    const bool current = grid_->Col() == col_ && grid_->Row() == row_;
    s.selected = current;
    s.focused = current && grid_->hasFocus();
    s.invisible = !grid_->isVisible();
    s.disabled = !grid_->isEnabled();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override { return grid_ && grid_->Col() == col_ && grid_->Row() == row_; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<TDrawGrid> grid_;
  int col_;
  int row_;
};

class TGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TGridAccessible(TDrawGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

  ~TGridAccessible() override {
    for (QAccessible::Id id : std::as_const(cellIds_)) QAccessible::deleteAccessibleInterface(id);
  }

  TDrawGrid* Grid() const { return static_cast<TDrawGrid*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  int childCount() const override { return quarvel::kGridCellCount; }
  QAccessibleInterface* child(int index) const override {
    const auto cell = quarvel::ChildCell(index);
    return cell ? Cell(cell->Col, cell->Row) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this) return -1;
    return quarvel::ChildIndex({cell->columnIndex(), cell->rowIndex()});
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    int col = 0, row = 0;
    if (!Grid()->CellAt(Grid()->mapFromGlobal(QPoint(x, y)), col, row)) return nullptr;
    return Cell(col, row);
  }
  QAccessibleInterface* focusChild() const override {
    return Grid()->hasFocus() ? Cell(Grid()->Col(), Grid()->Row()) : nullptr;
  }

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= kRows || column < 0 || column >= kCols) return nullptr;
    return Cell(column, row);
  }
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override { return {Cell(Grid()->Col(), Grid()->Row())}; }
  QString columnDescription(int column) const override { return QString::fromStdString(quarvel::ColumnName(column)); }
  int columnCount() const override { return kCols; }
  QString rowDescription(int row) const override { return QString::fromStdString(quarvel::RowName(row)); }
  int rowCount() const override { return kRows; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // The current cell moves only through the grid itself, which asks its owner first.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QAccessibleInterface* Cell(int col, int row) const {
    const int index = quarvel::ChildIndex({col, row});
    if (const auto found = cellIds_.constFind(index); found != cellIds_.constEnd()) {
      return QAccessible::accessibleInterface(*found);
    }
    auto* cell = new TGridCellAccessible(Grid(), col, row);
    cellIds_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }

  mutable QHash<int, QAccessible::Id> cellIds_;
};

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TDrawGrid") && object && object->isWidgetType()) {
    return new TGridAccessible(static_cast<TDrawGrid*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallGridAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(GridFactory);
    return true;
  }();
  (void)installed;
}

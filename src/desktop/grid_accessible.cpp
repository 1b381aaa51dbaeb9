// The accessible table of a GridView and its cells. Cells are numbered row by row, the order a
// reader walks them, and are followed by the grid's child widgets (the in-place editor).
#include "desktop/grid_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <array>

#include "desktop/grid_view.h"

namespace sudoku {
namespace {

constexpr int kCells = 81;

class CellAccessible : public QAccessibleInterface {
 public:
  CellAccessible(GridView* grid, int index) : grid_(grid), col_(index % 9), row_(index / 9) {}

  bool isValid() const override { return grid_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return grid_ != nullptr ? grid_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return grid_ != nullptr ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text kind) const override {
    if (grid_ == nullptr) return {};
    if (kind == QAccessible::Name) return grid_->CellDescription(col_, row_);
    if (kind == QAccessible::Value) return grid_->CellText(col_, row_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (grid_ == nullptr) return {};
    const QRect local = grid_->CellRect(col_, row_);
    return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (grid_ == nullptr) return state;
    state.invisible = !grid_->isVisible();
    state.focusable = grid_->focusPolicy() != Qt::NoFocus;
    state.selectable = true;
    const bool current = grid_->CurrentCol() == col_ && grid_->CurrentRow() == row_;
    state.selected = current;
    state.focused = current && grid_->hasFocus();
    return state;
  }

 private:
  QPointer<GridView> grid_;
  int col_;
  int row_;
};

class GridAccessible : public QAccessibleWidget {
 public:
  explicit GridAccessible(GridView* grid) : QAccessibleWidget(grid, QAccessible::Table) {
    for (int i = 0; i < kCells; ++i) {
      cells_[std::size_t(i)] = new CellAccessible(grid, i);
      ids_[std::size_t(i)] = QAccessible::registerAccessibleInterface(cells_[std::size_t(i)]);
    }
  }
  ~GridAccessible() override {
    for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
  }

  // The last announcement: what just happened on the board.
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return static_cast<GridView*>(widget())->Announcement();
    return QAccessibleWidget::text(kind);
  }
  int childCount() const override { return kCells + QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0) return nullptr;
    if (index < kCells) return cells_[std::size_t(index)];
    return QAccessibleWidget::child(index - kCells);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < kCells; ++i) {
      if (cells_[std::size_t(i)] == child) return i;
    }
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : kCells + widget;
  }
  // The cursor's cell while the grid itself has the focus; the open editor while it has it.
  QAccessibleInterface* focusChild() const override {
    auto* grid = static_cast<GridView*>(widget());
    if (!grid->hasFocus()) return QAccessibleWidget::focusChild();
    return cells_[std::size_t(grid->CurrentRow() * 9 + grid->CurrentCol())];
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    auto* grid = static_cast<GridView*>(widget());
    const QPoint local = grid->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < kCells; ++i) {
      if (grid->CellRect(i % 9, i / 9).contains(local)) return cells_[std::size_t(i)];
    }
    return nullptr;
  }

 private:
  std::array<CellAccessible*, kCells> cells_{};
  std::array<QAccessible::Id, kCells> ids_{};
};

QAccessibleInterface* MakeGridAccessible(const QString&, QObject* object) {
  auto* grid = qobject_cast<GridView*>(object);
  return grid != nullptr ? new GridAccessible(grid) : nullptr;
}

}  // namespace

void InstallGridAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(MakeGridAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace sudoku

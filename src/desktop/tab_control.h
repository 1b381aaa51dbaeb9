// A tab control whose tabs the program draws itself and whose user switches can be refused.
#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <functional>

namespace sudoku {

class OwnerDrawnTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit OwnerDrawnTabBar(QWidget* parent = nullptr);

  // Asked when the user clicks another tab; false keeps the tab shown.
  std::function<bool()> changing;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  QSize tabSizeHint(int index) const override;
};

// QTabWidget with the owner-drawn bar; pages are QWidgets named after their sheets.
class TabControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);
  OwnerDrawnTabBar* Bar() const { return bar_; }

 private:
  OwnerDrawnTabBar* bar_;
};

}  // namespace sudoku

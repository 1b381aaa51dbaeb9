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

  // Asked when the user picks another tab (a click, a tab's mnemonic, the tab keys of the
  // control, the arrow keys on the focused bar); false keeps the tab shown.
  std::function<bool()> changing;

  // Whether the user may leave the tab shown.
  bool MayChange() const { return !changing || changing(); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  QSize tabSizeHint(int index) const override;
};

// QTabWidget with the owner-drawn bar; pages are QWidgets named after their sheets.
class TabControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);
  OwnerDrawnTabBar* Bar() const { return bar_; }

  // Told the new index when the current tab changes, before the new page is shown; a widget of
  // that page taking the focus as it appears already finds the change made.
  std::function<void(int)> switching;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  OwnerDrawnTabBar* bar_;
};

}  // namespace sudoku

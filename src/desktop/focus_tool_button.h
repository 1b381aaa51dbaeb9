// A tool button that shows the keyboard focus: the window's flat buttons draw none of their own.
#pragma once

#include <QPainter>
#include <QToolButton>

namespace sudoku {

class FocusToolButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QToolButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
  }
};

}  // namespace sudoku

// Painting, clicks and keys of a colour swatch.
#include "desktop/swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sudoku {

Swatch::Swatch(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
  setFixedSize(20, 20);
  setFocusPolicy(Qt::TabFocus);
}

void Swatch::SetCircle(bool circle) {
  if (circle_ == circle) return;
  circle_ = circle;
  update();
}

void Swatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(colour_);
  if (circle_) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
  } else {
    painter.drawRect(0, 0, width() - 1, height() - 1);
  }
  if (hasFocus()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(4, 4, width() - 9, height() - 9);
  }
}

void Swatch::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
    QWidget::keyPressEvent(event);
    return;
  }
  emit Pressed(0, width() / 2, height() / 2);
}

void Swatch::mousePressEvent(QMouseEvent* event) {
  int button = 0;
  if (event->button() == Qt::RightButton) button = 1;
  if (event->button() == Qt::MiddleButton) button = 2;
  const QPoint p = event->position().toPoint();
  emit Pressed(button, p.x(), p.y());
}

}  // namespace sudoku

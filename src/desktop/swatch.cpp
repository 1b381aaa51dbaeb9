// Painting and clicks of a colour swatch.
#include "desktop/swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace sudoku {

Swatch::Swatch(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
  setFixedSize(20, 20);
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
}

void Swatch::mousePressEvent(QMouseEvent* event) {
  int button = 0;
  if (event->button() == Qt::RightButton) button = 1;
  if (event->button() == Qt::MiddleButton) button = 2;
  const QPoint p = event->position().toPoint();
  emit Pressed(button, p.x(), p.y());
}

}  // namespace sudoku

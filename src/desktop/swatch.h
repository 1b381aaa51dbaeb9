// A colour shape of the swatch bar: a filled square, or a filled circle when selected. The Tab
// key reaches it (a click leaves the focus where it is), and Space or Enter chooses it.
#pragma once

#include <QColor>
#include <QWidget>

namespace sudoku {

class Swatch : public QWidget {
  Q_OBJECT
 public:
  Swatch(const QColor& colour, QWidget* parent = nullptr);
  QColor Colour() const { return colour_; }
  bool Circle() const { return circle_; }
  void SetCircle(bool circle);

 signals:
  void Pressed(int button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor colour_;
  bool circle_ = false;
};

}  // namespace sudoku

// Tab faces in the two program colours, caption 5 pixels in, and the guard on user switches.
#include "desktop/tab_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sudoku {

namespace {

const QColor kActiveTab(240, 112, 32);
const QColor kInactiveTab(255, 255, 128);

}  // namespace

OwnerDrawnTabBar::OwnerDrawnTabBar(QWidget* parent) : QTabBar(parent) {
  setFocusPolicy(Qt::TabFocus);
  setDrawBase(false);
  setExpanding(false);
}

QSize OwnerDrawnTabBar::tabSizeHint(int index) const {
  const QFontMetrics metrics(font());
  return QSize(metrics.horizontalAdvance(tabText(index)) + 14, metrics.height() + 8);
}

void OwnerDrawnTabBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  for (int i = 0; i < count(); ++i) {
    const QRect r = tabRect(i);
    painter.fillRect(r, i == currentIndex() ? kActiveTab : kInactiveTab);
    painter.setPen(isTabEnabled(i) ? Qt::black : Qt::gray);
    painter.drawText(QRect(r.left() + 5, r.top() + 2, r.width() - 5, r.height() - 2),
                     Qt::AlignLeft | Qt::AlignTop, tabText(i));
    if (i == currentIndex() && hasFocus()) {
      painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      painter.drawRect(r.adjusted(2, 2, -3, -3));
    }
  }
}

void OwnerDrawnTabBar::mousePressEvent(QMouseEvent* event) {
  const int target = tabAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && target >= 0 && target != currentIndex() &&
      !MayChange()) {
    return;
  }
  QTabBar::mousePressEvent(event);
}

bool OwnerDrawnTabBar::event(QEvent* event) {
  // A caption's "&" makes the next character a mnemonic that would switch tabs on its own.
  if (event->type() == QEvent::Shortcut && !MayChange()) return true;
  return QTabBar::event(event);
}

void OwnerDrawnTabBar::keyPressEvent(QKeyEvent* event) {
  const bool moves = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
  if (moves && !MayChange()) {
    event->accept();
    return;
  }
  QTabBar::keyPressEvent(event);
}

void OwnerDrawnTabBar::wheelEvent(QWheelEvent*) {}

TabControl::TabControl(QWidget* parent) : QTabWidget(parent), bar_(new OwnerDrawnTabBar(this)) {
  // Connected ahead of setTabBar's own connection, so it runs before the page switch.
  connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
    if (switching) switching(index);
  });
  setTabBar(bar_);
  setDocumentMode(true);
}

void TabControl::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const bool switchesTab = control && (key == Qt::Key_Tab || key == Qt::Key_Backtab ||
                                       key == Qt::Key_PageUp || key == Qt::Key_PageDown);
  if (switchesTab && !bar_->MayChange()) {
    event->accept();
    return;
  }
  QTabWidget::keyPressEvent(event);
}

}  // namespace sudoku

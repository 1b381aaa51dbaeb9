// Pausing with the event loop running for everything but user input.
#include "desktop/qt_painting_pause.h"

#include <QEventLoop>
#include <QTimer>

namespace sudoku {

void QtPaintingPause::Wait(int ms) {
  if (sync_) sync_();
  // A loop of its own sleeps between events; processEvents with a time bound would return at
  // once when nothing is pending and spin a core for the whole pause.
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace sudoku

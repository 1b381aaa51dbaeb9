// Pausing with the event loop running for everything but user input.
#include "desktop/qt_painting_pause.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>

namespace sudoku {

void QtPaintingPause::Wait(int ms) {
  if (sync_) sync_();
  QElapsedTimer elapsed;
  elapsed.start();
  for (qint64 left = ms; left > 0; left = ms - elapsed.elapsed()) {
    QCoreApplication::processEvents(
        QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents,
        int(std::min<qint64>(left, 50)));
  }
}

}  // namespace sudoku

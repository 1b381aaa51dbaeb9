// Local date and time from QDateTime.
#include "desktop/qt_clock.h"

#include <QDateTime>

namespace sudoku {

DateTime QtClock::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(),   date.month(),  date.day(), time.hour(),
          time.minute(), time.second(), time.msec()};
}

}  // namespace sudoku

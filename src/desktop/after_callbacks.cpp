// The queue of work put off until after the browser callbacks.
#include "desktop/after_callbacks.h"

#include <QTimer>

namespace sudoku {

void AfterCallbacks::Post(std::function<void()> work) {
  queue_.push_back(std::move(work));
  if (scheduled_ || running_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] { RunAll(); });
}

void AfterCallbacks::RunAll() {
  scheduled_ = false;
  running_ = true;
  while (!queue_.empty()) {
    const std::function<void()> work = std::move(queue_.front());
    queue_.pop_front();
    work();
  }
  running_ = false;
}

}  // namespace sudoku

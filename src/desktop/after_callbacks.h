// Work put off until the browser callback that asked for it has returned: boxes raised from
// inside the engine's callbacks, and the questions about a download.
#pragma once

#include <QObject>
#include <deque>
#include <functional>

namespace sudoku {

class AfterCallbacks : public QObject {
 public:
  explicit AfterCallbacks(QObject* parent = nullptr) : QObject(parent) {}

  // Runs work from the event loop once the current callback has returned. Works run one at a
  // time in the order posted: one posted while another shows a box runs after that box.
  void Post(std::function<void()> work);

 private:
  void RunAll();

  std::deque<std::function<void()>> queue_;
  bool scheduled_ = false;
  bool running_ = false;
};

}  // namespace sudoku

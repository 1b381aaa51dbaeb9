// Keeps the challenge requests on the one challenge pane from overlapping: while one routine
// waits for a page, the window goes on handling events, and a timer tick or a click may arrive.
#pragma once

#include <deque>
#include <functional>

namespace sudoku {

class RequestGuard {
 public:
  // Runs work now; while another routine is under way it is skipped (a tick is not worth
  // keeping: the next one comes in ten seconds).
  void Tick(const std::function<void()>& work);
  // Runs work now, or after the routine under way has ended (in the order of the clicks).
  void Click(const std::function<void()>& work);
  bool Busy() const { return busy_; }

 private:
  // Runs work and then every click queued meanwhile; an error of one does not stop the others,
  // and the first error is rethrown at the end.
  void RunNow(const std::function<void()>& work);

  bool busy_ = false;
  std::deque<std::function<void()>> queued_;
};

}  // namespace sudoku

// The busy guard of the challenge pane.
#include "challenge/request_guard.h"

#include <exception>

namespace sudoku {

void RequestGuard::Tick(const std::function<void()>& work) {
  if (!busy_) RunNow(work);
}

void RequestGuard::Click(const std::function<void()>& work) {
  if (busy_) {
    queued_.push_back(work);
    return;
  }
  RunNow(work);
}

void RequestGuard::RunNow(const std::function<void()>& work) {
  busy_ = true;
  std::exception_ptr firstError;
  auto attempt = [&firstError](const std::function<void()>& what) {
    try {
      what();
    } catch (...) {
      if (!firstError) firstError = std::current_exception();
    }
  };
  attempt(work);
  while (!queued_.empty()) {
    const std::function<void()> next = std::move(queued_.front());
    queued_.pop_front();
    attempt(next);
  }
  busy_ = false;
  if (firstError) std::rethrow_exception(firstError);
}

}  // namespace sudoku

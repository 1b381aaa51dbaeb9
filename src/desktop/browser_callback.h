// Marks the stretches of code that run inside the browser engine's own callbacks, where no modal
// loop may run: the engine answers nothing (no page, no script) until the callback returns.
#pragma once

namespace sudoku {

// Held while a browser callback runs; nests.
class BrowserCallback {
 public:
  BrowserCallback() { ++depth_; }
  ~BrowserCallback() { --depth_; }
  BrowserCallback(const BrowserCallback&) = delete;
  BrowserCallback& operator=(const BrowserCallback&) = delete;

  // True while any browser callback is under way on this (the only) thread.
  static bool Active() { return depth_ > 0; }

 private:
  static inline int depth_ = 0;
};

}  // namespace sudoku

// The long challenge pauses over Qt: the window and its web panes keep painting while the user's
// input waits.
#pragma once

#include <functional>

#include "challenge/painting_pause.h"

namespace sudoku {

class QtPaintingPause : public PaintingPause {
 public:
  // sync brings the widgets in line with the logic's model before the pause begins.
  explicit QtPaintingPause(std::function<void()> sync) : sync_(std::move(sync)) {}
  void Wait(int ms) override;

 private:
  std::function<void()> sync_;
};

}  // namespace sudoku

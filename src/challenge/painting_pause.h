// The long pauses of the challenge (the end of a match, abandoning, the ranking): the user can
// do nothing meanwhile, but the window, the challenge pane's page included, keeps painting.
#pragma once

namespace sudoku {

class PaintingPause {
 public:
  virtual ~PaintingPause() = default;
  // Blocks for ms without taking user input while the window and its panes go on painting.
  // Timer ticks may arrive meanwhile.
  virtual void Wait(int ms) = 0;
};

}  // namespace sudoku

// The keys the grid reports to the game, by name: the shell translates its toolkit's keys into
// these, and the game's cursor rules read nothing else.
#pragma once

namespace sudoku {

// The navigation keys the cursor rules remember; every other key is kKeyOther.
enum KeyCode : int {
  kKeyOther,
  kKeyTab,
  kKeyPageUp,
  kKeyPageDown,
  kKeyEnd,
  kKeyHome,
  kKeyLeft,
  kKeyUp,
  kKeyRight,
  kKeyDown,
};

}  // namespace sudoku

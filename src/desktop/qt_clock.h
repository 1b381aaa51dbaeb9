// The Clock port over the system clock.
#pragma once

#include "play/ports.h"

namespace sudoku {

class QtClock : public Clock {
 public:
  DateTime Now() override;
};

}  // namespace sudoku

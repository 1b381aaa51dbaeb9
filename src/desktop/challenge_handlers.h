// The challenge window's handlers by event name: its timers, buttons and menu items.
#pragma once

#include "challenge/challenge_window.h"
#include "desktop/shell_binding.h"

namespace sudoku {

void AddChallengeHandlers(ChallengeWindow& window, Handlers& handlers);

}  // namespace sudoku

// The logical solver: places a digit in a candidate grid and draws the consequences by a fixed
// sequence of passes (basic mode: passes 1-3; full mode: passes 1-8, placing what it finds).
#pragma once

#include "solver/board.h"
#include "solver/candidate_grid.h"
#include "solver/step_log.h"

namespace sudoku {

enum class PlaceMode { Basic, Full };

// Returns the grid after placing digit at (col, row). board tells the givens (never placed by
// pass 8) and, for the first step record, the starting position; steps, when given and its
// PassoPasso is set, receives a record for every cell found. digit is 0..9 (0 leaves the text
// "0", a contradiction); any other value is placed as 0.
CandidateGrid PlaceDigit(const CandidateGrid& grid, int col, int row, PlaceMode mode, int digit,
                         const Board& board, StepLog* steps = nullptr);

}  // namespace sudoku

// The step records of the logical solution: each cell found while a step-by-step solution is
// under way, with the board and the candidates at that moment.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver/board.h"
#include "solver/candidate_grid.h"

namespace sudoku {

struct StepRecord {
  std::array<std::int32_t, 81> Values{};  // digit of every filled or found cell, 0 = empty
  CandidateGrid Candidates;               // the grid when the step's cell was found
  // The cell found at this step and its digit (kept, not derived from Values: the first
  // record shows no change when the cell found already held that digit as an entry).
  std::int32_t Col = -1, Row = -1, Digit = 0;
};

struct StepLog {
  static constexpr int kMaxSteps = 200;
  // Passi[k] is record k, 1..NumPassi; Passi[0] is the position the replay starts from.
  std::vector<StepRecord> Passi = std::vector<StepRecord>(kMaxSteps + 1);
  std::int32_t NumPassi = 0;
  std::int32_t PassoCorrente = 0;
  bool PassoPasso = false;  // steps are recorded only while set

  // Appends the record of cell (col, row) found with digit in grid, unless the log is full or
  // the last record already holds that digit there. The first record copies the board.
  void RecordStep(const Board& board, int col, int row, const CandidateGrid& grid, int digit);
};

}  // namespace sudoku

// Appending a step record while a step-by-step solution is under way.
#include "solver/step_log.h"

namespace sudoku {

void StepLog::RecordStep(const Board& board, int col, int row, const CandidateGrid& grid,
                         int digit) {
  if (NumPassi >= kMaxSteps) return;
  const int cell = CellIndex(col, row);
  if (NumPassi > 0 && Passi[NumPassi].Values[cell] == digit) return;
  ++NumPassi;
  StepRecord& record = Passi[NumPassi];
  if (NumPassi == 1) {
    for (int c = 0; c < 9; ++c) {
      for (int r = 0; r < 9; ++r) record.Values[CellIndex(c, r)] = board.ValoreCella(c, r);
    }
  } else {
    record.Values = Passi[NumPassi - 1].Values;
  }
  record.Candidates = grid;
  record.Values[cell] = digit;
  record.Col = col;
  record.Row = row;
  record.Digit = digit;
}

}  // namespace sudoku

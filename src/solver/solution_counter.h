// The solution counter: builds the candidate grid of a board and counts its solutions,
// depth-first, up to a limit, keeping the last solution reached.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "solver/board.h"
#include "solver/candidate_grid.h"
#include "solver/step_log.h"

namespace sudoku {

struct CountState {
  std::int32_t NumSoluzioni = 0;             // solutions reached since the caller set it to 0
  std::array<std::int32_t, 81> Soluzione{};  // the last solution reached, [col][row]
};

// The candidate grid of the position: every filled cell placed in column-major order with
// PlaceDigit in full mode (recording steps into steps when its PassoPasso is set).
CandidateGrid BuildCandidates(const Board& board, StepLog* steps = nullptr);

// Counts the solutions of grid in column-major lexicographic order until state.NumSoluzioni
// reaches limit. Returns 1 when grid itself is complete and valid, else 0. advance is called
// once per trial placement (the progress bar).
std::int32_t CountSolutions(const CandidateGrid& grid, std::int32_t limit, CountState& state,
                            const std::function<void()>& advance = {});

// BuildCandidates then CountSolutions on the board, with the same NumSoluzioni and Soluzione
// (the trials, and so the calls of advance, may differ). A board whose filled cells are digits
// 1..9 and that has a solution is counted on its plain givens, without the candidate grid.
void CountBoard(const Board& board, std::int32_t limit, CountState& state,
                const std::function<void()>& advance = {});

// CountBoard(GivensBoard(values), ...), with the board built only when the count needs the
// candidate grid.
void CountGivens(const std::array<std::int32_t, 81>& values, std::int32_t limit, CountState& state,
                 const std::function<void()>& advance = {});

// The publish command's thinning: given the 81 values of a board with a unique solution
// (0 = empty, [col][row]), empties every digit that the others determine by propagation alone,
// in column-major order, each judged without the digits emptied before it. advance is called
// once per filled cell judged. candidates, when given, receives the candidate grid built for
// the last digit emptied (what the candidates tab shows afterwards); it is left as it was when
// no digit is emptied.
std::array<std::int32_t, 81> ReducePuzzle(const std::array<std::int32_t, 81>& values,
                                          const std::function<void()>& advance = {},
                                          CandidateGrid* candidates = nullptr);

}  // namespace sudoku

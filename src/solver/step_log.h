// The step records of the logical solution: each cell found while a step-by-step solution is
// under way, with the board and the candidates at that moment, and the deduction that found it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "solver/board.h"
#include "solver/candidate_grid.h"

namespace sudoku {

// The deduction that left a found cell with one candidate: the pass of the logical solver and
// the unit it worked on.
enum class StepPass : std::int8_t {
  None,          // not known: the cell was not found by the logical solver
  Placed,        // a placed digit left its peer with one candidate
  NakedPair,     // two equal two-digit cells cleared their digits from the unit
  Triple,        // three equal three-digit cells did the same
  PairInTriple,  // a two-digit cell inside two equal three-digit cells
  HiddenSingle,  // the only place of a digit in the unit
  BoxPair,       // a box's pair against the other boxes of its column or row of boxes
  Quad,          // two three-digit cells inside two equal four-digit cells
};
enum class UnitKind : std::int8_t { None, Column, Row, Box };

struct StepReason {
  StepPass Pass = StepPass::None;
  // The unit the pass worked on: a column or row 0..8, or a box numbered as BoxOfCell does.
  UnitKind Kind = UnitKind::None;
  std::int8_t Unit = -1;
  // BoxPair: the lines (Column or Row) along which the box's band of boxes lies.
  UnitKind Lines = UnitKind::None;
  // Placed: the cell (col * 9 + row) and digit that were placed.
  std::int8_t FromCell = -1, FromDigit = 0;
  bool operator==(const StepReason&) const = default;
};

struct StepRecord {
  std::array<std::int32_t, 81> Values{};  // digit of every filled or found cell, 0 = empty
  CandidateGrid Candidates;               // the grid when the step's cell was found
  // The cell found at this step and its digit (kept, not derived from Values: the first
  // record shows no change when the cell found already held that digit as an entry).
  std::int32_t Col = -1, Row = -1, Digit = 0;
  StepReason Reason;  // why the cell was left with that digit alone
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
  void RecordStep(const Board& board, int col, int row, const CandidateGrid& grid, int digit,
                  const StepReason& reason = {});
};

// The record's cell, digit and deduction as a player reads them, in English or Italian:
// "Column 3, row 5: 7 - the only place for 7 in row 5" (columns and rows counted from 1).
std::string ExplainStep(const StepRecord& record, bool english);

}  // namespace sudoku

// Why a cell holds its digit, told from the board a player sees: the simplest reason that is true
// there (the last cell of a unit, a single candidate, a single place, or one of those after a
// pattern), or, when the board holds none yet, what the reason rests on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "solver/board.h"
#include "solver/board_patterns.h"
#include "solver/step_log.h"

namespace sudoku {

// A reason true on one board.
struct CellReason {
  enum class Kind : std::int8_t {
    LastInUnit,  // every other cell of Unit is filled
    OnlyDigit,   // the cell's only candidate (Seen: the digits named from its row, column, box)
    OnlyPlace,   // the only place for the digit in Unit
  };
  Kind What = Kind::OnlyDigit;
  int Unit = -1;
  std::array<std::uint16_t, 3> Seen{};
  std::optional<Pattern> After;  // OnlyDigit or OnlyPlace hold once it removes its candidates
  bool operator==(const CellReason&) const = default;
};

// The simplest reason on values (cell empty there) for digit at cell, or none.
std::optional<CellReason> SimpleReason(const BoardValues& values, int cell, int digit);

struct Placement {
  int Cell = 0, Digit = 0;
  bool operator==(const Placement&) const = default;
};

struct Explanation {
  enum class Basis : std::int8_t {
    Board,          // Why holds on the board
    Later,          // Why holds once the cells of Later are filled too
    Ahead,          // no simple reason: the solver finds it Ahead cells further on
    TrialAndError,  // the logical solver does not reach the cell
  };
  int Cell = 0, Digit = 0;
  bool PlayersBoard = false;      // the hint's board, not a replayed step's
  std::vector<int> WrongEntries;  // cells the player filled with a wrong digit, ascending
  Basis On = Basis::Board;
  CellReason Why;
  std::vector<Placement> Later;
  int Ahead = 0;
};

// Why the cell of record k of log holds its digit, on the board the replay shows before it: the
// starting position plus the cells of records 1 to k - 1.
Explanation ExplainStep(const StepLog& log, int k);

// Why the hint's digit belongs at cell, on the player's board: its givens and entries, solution
// being the board's only solution. An entry that differs from the solution is named and never
// used as a reason.
Explanation ExplainHint(const Board& board, const BoardValues& solution, int cell);

// The explanation as a player reads it, in English or Italian: "Column 3, row 5: 7 - the only
// place for 7 in row 5" (columns and rows counted from 1).
std::string ExplanationText(const Explanation& explanation, bool english);

}  // namespace sudoku

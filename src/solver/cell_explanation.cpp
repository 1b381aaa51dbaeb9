// Finding the simplest reason that holds on a board for a cell's digit, and, when there is none,
// the fewest cells still to come on which one rests.
#include "solver/cell_explanation.h"

#include "solver/solution_counter.h"
#include "solver/units.h"

namespace sudoku {
namespace {

using units::kBoxes;
using units::kUnits;

constexpr std::uint16_t Bit(int digit) {
  return std::uint16_t(1u << digit);
}

// The column, row and box of a cell, as units.
std::array<int, 3> UnitsOfCell(int cell) {
  return {cell / 9, units::kRows + cell % 9, kBoxes + BoxOfCell(cell / 9, cell % 9)};
}

// The unit (box, then row, then column) in which cell is the only place for digit.
std::optional<int> OnlyPlaceIn(const BoardCandidates& candidates, int cell, int digit) {
  const auto of = UnitsOfCell(cell);
  for (int unit : {of[2], of[1], of[0]}) {
    int places = 0;
    for (int other : kUnits[unit]) places += (candidates[other] & Bit(digit)) ? 1 : 0;
    if (places == 1) return unit;
  }
  return std::nullopt;
}

std::optional<CellReason> ClaimOn(const BoardCandidates& candidates, int cell, int digit) {
  CellReason reason;
  if (candidates[cell] == Bit(digit)) return reason;
  if (const auto unit = OnlyPlaceIn(candidates, cell, digit)) {
    reason.What = CellReason::Kind::OnlyPlace;
    reason.Unit = *unit;
    return reason;
  }
  return std::nullopt;
}

// The digits of the cell's row, then the new ones of its column, then those of its box.
std::array<std::uint16_t, 3> SeenDigits(const BoardValues& values, int cell) {
  const auto of = UnitsOfCell(cell);
  std::array<std::uint16_t, 3> seen{};
  std::uint16_t named = 0;
  const int order[] = {of[1], of[0], of[2]};
  for (int k = 0; k < 3; ++k) {
    for (int other : kUnits[order[k]]) seen[k] |= Bit(values[other]);
    seen[k] &= std::uint16_t(0x3FE & ~named);
    named |= seen[k];
  }
  return seen;
}

std::vector<Placement> Records(const StepLog& log, int first, int last) {
  std::vector<Placement> records;
  for (int k = first; k <= last; ++k) {
    const StepRecord& record = log.Passi[k];
    records.push_back({CellIndex(record.Col, record.Row), record.Digit});
  }
  return records;
}

// The explanation on values or, failing that, on values with the fewest of ahead filled: the
// shortest leading run of ahead that gives a reason, less each of its cells that is not needed.
Explanation Explain(BoardValues values, int cell, int digit, const std::vector<Placement>& ahead) {
  Explanation explanation;
  explanation.Cell = cell;
  explanation.Digit = digit;
  values[cell] = 0;
  if (const auto why = SimpleReason(values, cell, digit)) {
    explanation.Why = *why;
    return explanation;
  }
  std::vector<Placement> added;
  for (const Placement& next : ahead) {
    if (next.Cell == cell || values[next.Cell] != 0) continue;
    values[next.Cell] = next.Digit;
    added.push_back(next);
    if (!SimpleReason(values, cell, digit)) continue;
    for (std::size_t k = 0; k < added.size();) {
      values[added[k].Cell] = 0;
      if (SimpleReason(values, cell, digit)) {
        added.erase(added.begin() + std::ptrdiff_t(k));
      } else {
        values[added[k].Cell] = added[k].Digit;
        ++k;
      }
    }
    explanation.On = Explanation::Basis::Later;
    explanation.Why = *SimpleReason(values, cell, digit);
    explanation.Later = added;
    return explanation;
  }
  explanation.On = Explanation::Basis::Ahead;
  return explanation;
}

}  // namespace

std::optional<CellReason> SimpleReason(const BoardValues& values, int cell, int digit) {
  const BoardCandidates candidates = CandidatesOfBoard(values);
  if (!(candidates[cell] & Bit(digit))) return std::nullopt;
  const auto of = UnitsOfCell(cell);
  for (int unit : {of[2], of[1], of[0]}) {
    int empty = 0;
    for (int other : kUnits[unit]) empty += values[other] == 0 ? 1 : 0;
    if (empty == 1) return CellReason{CellReason::Kind::LastInUnit, unit, {}, std::nullopt};
  }
  if (auto reason = ClaimOn(candidates, cell, digit)) {
    if (reason->What == CellReason::Kind::OnlyDigit) reason->Seen = SeenDigits(values, cell);
    return reason;
  }
  for (const Pattern& pattern : PatternsOf(candidates)) {
    if (auto reason = ClaimOn(ApplyPattern(pattern, candidates), cell, digit)) {
      reason->After = pattern;
      return reason;
    }
  }
  return std::nullopt;
}

Explanation ExplainStep(const StepLog& log, int k) {
  const StepRecord& record = log.Passi[k];
  return Explain(record.Values, CellIndex(record.Col, record.Row), record.Digit,
                 Records(log, k + 1, log.NumPassi));
}

Explanation ExplainHint(const Board& board, const BoardValues& solution, int cell) {
  Board trusted = board;
  BoardValues values{};
  std::vector<int> wrong;
  for (int other = 0; other < 81; ++other) {
    const int col = other / 9, row = other % 9;
    values[other] = board.ValoreCella(col, row);
    if (board.IsGiven(col, row) || values[other] == 0 || values[other] == solution[other]) {
      continue;
    }
    wrong.push_back(other);
    values[other] = 0;
    trusted.Texts[other].clear();
  }
  StepLog log;
  log.PassoPasso = true;
  BuildCandidates(trusted, &log);
  int reachedAt = 0;
  for (int k = 1; k <= log.NumPassi && reachedAt == 0; ++k) {
    if (CellIndex(log.Passi[k].Col, log.Passi[k].Row) == cell) reachedAt = k;
  }
  // What the solver finds before the cell, or all it finds when it never reaches it.
  const int before = reachedAt > 0 ? reachedAt - 1 : log.NumPassi;
  Explanation explanation = Explain(values, cell, solution[cell], Records(log, 1, before));
  if (explanation.On == Explanation::Basis::Ahead) {
    if (reachedAt == 0) explanation.On = Explanation::Basis::TrialAndError;
    explanation.Ahead = before;
  }
  explanation.PlayersBoard = true;
  explanation.WrongEntries = wrong;
  return explanation;
}

}  // namespace sudoku

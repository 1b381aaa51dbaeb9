// Building the candidates of a board, counting solutions, and thinning a published puzzle.
#include "solver/solution_counter.h"

#include <bit>

#include "solver/lex_search.h"
#include "solver/placement_engine.h"

namespace sudoku {

namespace {

constexpr std::uint16_t kAllNine = CandidateSet::kAllNine;

// What the counter sees of the grid handed in, before any branching.
struct Examination {
  bool contradiction = false;
  int branchCell = -1;  // first open cell in column-major order, -1 when complete
  std::array<std::int32_t, 81> values{};
};

Examination Examine(const engine::Cells& cells) {
  Examination exam;
  for (int cell = 0; cell < 81; ++cell) {
    const CandidateSet set(cells[cell]);
    if (set.Size() == 1) {
      if (set.Has(0))
        exam.contradiction = true;
      else
        exam.values[cell] = std::countr_zero(set.Bits());
    } else if (set.Size() > 1) {
      if (exam.branchCell < 0) exam.branchCell = cell;
    } else {
      exam.contradiction = true;
    }
  }
  return exam;
}

// The completeness test of a grid handed in whole: every column and every row adds up to 45.
// Boxes are not summed; callers that hand in grids built by placement get complete grids only
// when they are valid, and the ones they build otherwise rely on exactly this test.
bool LinesAddUp(const std::array<std::int32_t, 81>& values) {
  for (int k = 0; k < 9; ++k) {
    int column = 0, row = 0;
    for (int j = 0; j < 9; ++j) {
      column += values[CellIndex(k, j)];
      row += values[CellIndex(j, k)];
    }
    if (column != 45 || row != 45) return false;
  }
  return true;
}

bool CompleteAndAddsUp(const engine::Cells& cells) {
  const Examination exam = Examine(cells);
  return !exam.contradiction && exam.branchCell < 0 && LinesAddUp(exam.values);
}

// True when every cell holds one digit 1..9 and every unit holds all nine: placing a cell's
// own digit again then changes nothing.
bool IsSolvedGrid(const engine::Cells& cells) {
  for (std::uint16_t set : cells) {
    if ((set & (set - 1)) != 0 || (set & kAllNine) == 0) return false;
  }
  for (int k = 0; k < 9; ++k) {
    std::uint16_t column = 0, row = 0, box = 0;
    for (int j = 0; j < 9; ++j) {
      column |= cells[CellIndex(k, j)];
      row |= cells[CellIndex(j, k)];
      const auto [c, r] = CellOfBox(k, j);
      box |= cells[CellIndex(c, r)];
    }
    if (column != kAllNine || row != kAllNine || box != kAllNine) return false;
  }
  return true;
}

// A chain of full placements that skips the ones that cannot change a solved grid.
class PlacementChain {
 public:
  PlacementChain(const engine::Cells& start, const engine::PlacementContext& context)
      : cells_(start), context_(context), solved_(IsSolvedGrid(start)) {}

  void Place(int cell, int digit) {
    if (solved_ && digit >= 1 && digit <= 9 && cells_[cell] == (1u << digit)) return;
    cells_ = engine::Place(cells_, cell, true, digit, context_);
    solved_ = IsSolvedGrid(cells_);
  }
  const engine::Cells& Cells() const { return cells_; }

 private:
  engine::Cells cells_;
  const engine::PlacementContext& context_;
  bool solved_;
};

}  // namespace

CandidateGrid BuildCandidates(const Board& board, StepLog* steps) {
  const engine::PlacementContext context = engine::MakeContext(board, steps);
  engine::Cells cells;
  cells.fill(kAllNine);
  std::vector<engine::CellDigit> filled;
  for (int cell = 0; cell < 81; ++cell) {
    const int col = cell / 9, row = cell % 9;
    if (board.Texts[cell].empty() && !board.IsGiven(col, row)) continue;
    filled.push_back({cell, board.ValoreCella(col, row)});
  }
  return engine::ToGrid(engine::PlaceAll(cells, filled, true, context));
}

std::int32_t CountSolutions(const CandidateGrid& grid, std::int32_t limit, CountState& state,
                            const std::function<void()>& advance) {
  const engine::Cells cells = engine::ToCells(grid);
  const Examination exam = Examine(cells);
  if (exam.contradiction) return 0;
  if (exam.branchCell < 0) {
    if (!LinesAddUp(exam.values)) return 0;
    ++state.NumSoluzioni;
    state.Soluzione = exam.values;
    return 1;
  }
  engine::LexSearch(cells, limit, state, advance);
  return 0;
}

// Why the plain givens give the same count: every elimination of a full placement is sound (the
// placed digit leaves its peers; naked pairs, triples and quads, a pair inside two equal
// triples, hidden singles and the box-pair band rule each remove only digits that no solution
// of the givens can hold there), so on a board that has a solution the candidate grid keeps
// every solution, no cell empties, and each filled cell stays its own digit. Its complete valid
// grids are then exactly the solutions of the givens; the top-level examination finds it
// complete only when that solution is unique, and otherwise the column-major count sees the
// same set in the same order. A board without solution, or with a filled cell that is no digit
// 1..9, takes the candidate grid: there the placements decide what the count sees.
namespace {

// The count on the plain grid of filled cells (bit d for digit d): true when it found a
// solution, and then state holds the result; otherwise state is left as it was.
bool CountPlain(const engine::Cells& plain, std::int32_t limit, CountState& state,
                const std::function<void()>& advance) {
  if (state.NumSoluzioni >= limit) return false;
  CountState trial = state;
  engine::LexSearch(plain, limit, trial, advance);
  if (trial.NumSoluzioni == state.NumSoluzioni) return false;
  state = trial;
  return true;
}

}  // namespace

void CountBoard(const Board& board, std::int32_t limit, CountState& state,
                const std::function<void()>& advance) {
  engine::Cells plain;
  plain.fill(kAllNine);
  bool digitsOnly = true;
  for (int cell = 0; cell < 81 && digitsOnly; ++cell) {
    const int col = cell / 9, row = cell % 9;
    if (board.Texts[cell].empty() && !board.IsGiven(col, row)) continue;
    const int digit = board.ValoreCella(col, row);
    digitsOnly = digit >= 1 && digit <= 9;
    plain[cell] = std::uint16_t(1u << (digitsOnly ? digit : 0));
  }
  if (digitsOnly && CountPlain(plain, limit, state, advance)) return;
  CountSolutions(BuildCandidates(board), limit, state, advance);
}

void CountGivens(const std::array<std::int32_t, 81>& values, std::int32_t limit, CountState& state,
                 const std::function<void()>& advance) {
  engine::Cells plain;
  bool digitsOnly = true;
  for (int cell = 0; cell < 81; ++cell) {
    const std::int32_t value = values[cell];
    digitsOnly = digitsOnly && value >= 0 && value <= 9;
    plain[cell] = value > 0 && value <= 9 ? std::uint16_t(1u << value) : kAllNine;
  }
  if (!digitsOnly) {
    CountBoard(GivensBoard(values), limit, state, advance);
  } else if (!CountPlain(plain, limit, state, advance)) {
    CountSolutions(BuildCandidates(GivensBoard(values)), limit, state, advance);
  }
}

std::array<std::int32_t, 81> ReducePuzzle(const std::array<std::int32_t, 81>& values,
                                          const std::function<void()>& advance,
                                          CandidateGrid* candidates) {
  const Board noGivens;
  const engine::PlacementContext context = engine::MakeContext(noGivens, nullptr);
  std::array<std::int32_t, 81> kept = values;
  engine::Cells fresh;
  fresh.fill(kAllNine);
  // The placements of the kept cells before the one judged: shared by every later judgement.
  PlacementChain before(fresh, context);
  for (int judged = 0; judged < 81; ++judged) {
    if (kept[judged] <= 0) continue;
    if (advance) advance();
    PlacementChain others = before;
    for (int cell = judged + 1; cell < 81; ++cell) {
      if (kept[cell] > 0) others.Place(cell, kept[cell]);
    }
    // CountSolutions returns 1 exactly when the grid handed in is complete and adds up, so its
    // search below an open grid cannot change the verdict and is not run.
    if (CompleteAndAddsUp(others.Cells())) {
      kept[judged] = 0;
      if (candidates != nullptr) *candidates = engine::ToGrid(others.Cells());
    } else {
      before.Place(judged, kept[judged]);
    }
  }
  return kept;
}

}  // namespace sudoku

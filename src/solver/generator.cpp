// Making puzzles: a random complete grid, emptied cell by cell while the solution stays unique.
#include "solver/generator.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "solver/lex_search.h"
#include "solver/solution_counter.h"
#include "solver/units.h"

namespace sudoku {

namespace {

Board GivensBoard(const std::array<std::int32_t, 81>& givens) {
  Board board;
  for (int cell = 0; cell < 81; ++cell) {
    if (givens[cell] > 0) board.Schema[cell] = "1" + std::to_string(givens[cell]);
  }
  return board;
}

std::int32_t CountUpTo(const std::array<std::int32_t, 81>& givens, std::int32_t limit,
                       CountState& state, long* trials = nullptr) {
  state.NumSoluzioni = 0;
  CountSolutions(BuildCandidates(GivensBoard(givens)), limit, state, [&] {
    if (trials != nullptr) ++*trials;
  });
  return state.NumSoluzioni;
}

std::vector<int> Shuffled(int n, Random& random) {
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  for (int i = n - 1; i > 0; --i) std::swap(order[i], order[random.Next(0, i)]);
  return order;
}

// Three random boxes down the diagonal share no unit; the counter completes them to the first
// solution in its order.
std::array<std::int32_t, 81> RandomSolution(Random& random) {
  std::array<std::int32_t, 81> seed{};
  for (int box : {0, 4, 8}) {
    const std::vector<int> digits = Shuffled(9, random);
    for (int k = 0; k < 9; ++k) seed[units::kUnits[units::kBoxes + box][k]] = digits[k] + 1;
  }
  CountState state;
  CountUpTo(seed, 1, state);
  return state.Soluzione;
}

// Singles only: every placed digit leaves its peers; a cell left with one candidate, or the
// only place of a digit in a unit, is placed in turn.
bool SinglesSolve(const std::array<std::int32_t, 81>& givens) {
  std::array<std::uint16_t, 81> cells;
  cells.fill(CandidateSet::kAllNine);
  std::array<bool, 81> placed{};
  std::vector<int> pending;
  auto place = [&](int cell, std::uint16_t bit) {
    cells[cell] = bit;
    pending.push_back(cell);
  };
  for (int cell = 0; cell < 81; ++cell) {
    if (givens[cell] > 0) place(cell, std::uint16_t(1u << givens[cell]));
  }
  for (bool progress = true; progress;) {
    while (!pending.empty()) {
      const int cell = pending.back();
      pending.pop_back();
      if (placed[cell]) continue;
      placed[cell] = true;
      for (std::uint8_t peer : units::kPeers[cell]) {
        if (!(cells[peer] & cells[cell])) continue;
        cells[peer] &= std::uint16_t(~cells[cell]);
        if (cells[peer] == 0) return false;
        if ((cells[peer] & (cells[peer] - 1)) == 0) pending.push_back(peer);
      }
    }
    progress = false;
    for (const units::Unit& unit : units::kUnits) {
      for (int digit = 1; digit <= 9; ++digit) {
        const std::uint16_t bit = std::uint16_t(1u << digit);
        int where = -1, seen = 0;
        for (std::uint8_t cell : unit) {
          if (cells[cell] & bit) where = cell, ++seen;
        }
        if (seen == 1 && cells[where] != bit) {
          place(where, bit);
          progress = true;
        }
      }
    }
  }
  return std::all_of(placed.begin(), placed.end(), [](bool p) { return p; });
}

int CountGivens(const std::array<std::int32_t, 81>& givens) {
  return int(std::count_if(givens.begin(), givens.end(), [](std::int32_t v) { return v > 0; }));
}

}  // namespace

PuzzleMeasure MeasurePuzzle(const std::array<std::int32_t, 81>& givens) {
  PuzzleMeasure measure;
  measure.singlesSolve = SinglesSolve(givens);
  const CandidateGrid grid = BuildCandidates(GivensBoard(givens));
  for (const CandidateSet& set : grid.Cells) measure.openAfterLogic += set.Size() > 1;
  CountState state;
  CountSolutions(grid, 2, state, [&] { ++measure.trials; });
  return measure;
}

int PuzzleLevel(const PuzzleMeasure& measure) {
  if (measure.singlesSolve) return 1;
  if (measure.openAfterLogic == 0) return 2;
  if (measure.trials <= kLevel3Trials) return 3;
  if (measure.trials <= kLevel4Trials) return 4;
  return 5;
}

GeneratedPuzzle GeneratePuzzle(Random& random, const GeneratorOptions& options) {
  GeneratedPuzzle puzzle;
  puzzle.solution = RandomSolution(random);
  puzzle.givens = puzzle.solution;
  const int target = std::clamp(options.givens, 17, 81);
  CountState state;
  for (int cell : Shuffled(81, random)) {
    if (CountGivens(puzzle.givens) <= target) break;
    const int mirror = 80 - cell;  // (8 - col, 8 - row)
    if (puzzle.givens[cell] == 0) continue;
    std::array<std::int32_t, 81> trial = puzzle.givens;
    trial[cell] = 0;
    if (options.symmetric) trial[mirror] = 0;
    if (CountUpTo(trial, 2, state) == 1) puzzle.givens = trial;
  }
  puzzle.level = PuzzleLevel(MeasurePuzzle(puzzle.givens));
  return puzzle;
}

}  // namespace sudoku

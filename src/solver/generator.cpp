// Making puzzles: a random complete grid, emptied cell by cell while the solution stays unique.
#include "solver/generator.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <vector>

#include "solver/lex_search.h"
#include "solver/placement_engine.h"
#include "solver/solution_counter.h"
#include "solver/units.h"

namespace sudoku {

namespace {

// The solutions of the givens alone, counted up to limit by the fast search (no logical
// placement first: only the count, the solution and the trials of this search are used here).
// trials, when given, receives the search's trial placements.
CountState CountPlain(const std::array<std::int32_t, 81>& givens, std::int32_t limit,
                      long* trials = nullptr) {
  engine::Cells cells;
  for (int cell = 0; cell < 81; ++cell) {
    cells[cell] = givens[cell] > 0 ? std::uint16_t(1u << givens[cell]) : CandidateSet::kAllNine;
  }
  CountState state;
  std::function<void()> advance;
  if (trials != nullptr) advance = [trials] { ++*trials; };
  engine::LexSearch(cells, limit, state, advance);
  return state;
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
  return CountPlain(seed, 1).Soluzione;
}

}  // namespace

PuzzleMeasure MeasurePuzzle(const std::array<std::int32_t, 81>& givens) {
  PuzzleMeasure measure;
  // The fast search propagates exactly naked and hidden singles before its first trial.
  long plainTrials = 0;
  measure.singlesSolve = CountPlain(givens, 1, &plainTrials).NumSoluzioni == 1 && plainTrials == 0;
  const CandidateGrid grid = BuildCandidates(GivensBoard(givens));
  for (const CandidateSet& set : grid.Cells) measure.openAfterLogic += set.Size() > 1;
  // The trials of the column-major search alone, the measure the level thresholds were set by.
  CountState state;
  if (measure.openAfterLogic > 0) {
    engine::LexSearch(
        engine::ToCells(grid), 2, state, [&] { ++measure.trials; }, true);
  }
  return measure;
}

int PuzzleLevel(const PuzzleMeasure& measure) {
  if (measure.singlesSolve) return 1;
  if (measure.openAfterLogic == 0) return 2;
  if (measure.trials <= kLevel3Trials) return 3;
  if (measure.trials <= kLevel4Trials) return 4;
  return 5;
}

namespace {

// A random solution emptied cell by cell in random order (see GeneratePuzzle), or with
// leftFirst column by column from the first, in random order inside each column.
GeneratedPuzzle Dig(Random& random, const GeneratorOptions& options, bool leftFirst) {
  GeneratedPuzzle puzzle;
  puzzle.solution = RandomSolution(random);
  puzzle.givens = puzzle.solution;
  const int target = std::clamp(options.givens, 17, 81);
  int givens = 81;
  std::vector<int> order = Shuffled(81, random);
  if (leftFirst) {
    std::stable_sort(order.begin(), order.end(), [](int a, int b) { return a / 9 < b / 9; });
  }
  for (int cell : order) {
    if (givens <= target) break;
    const int mirror = 80 - cell;  // (8 - col, 8 - row)
    if (puzzle.givens[cell] == 0) continue;
    std::array<std::int32_t, 81> trial = puzzle.givens;
    trial[cell] = 0;
    if (options.symmetric) trial[mirror] = 0;
    if (CountPlain(trial, 2).NumSoluzioni != 1) continue;
    givens -= options.symmetric && mirror != cell ? 2 : 1;
    puzzle.givens = trial;
  }
  puzzle.level = PuzzleLevel(MeasurePuzzle(puzzle.givens));
  return puzzle;
}

}  // namespace

GeneratedPuzzle GeneratePuzzle(Random& random, const GeneratorOptions& options) {
  return Dig(random, options, false);
}

GeneratedPuzzle GeneratePuzzleOfLevel(Random& random, int level, const GeneratorOptions& options) {
  level = std::clamp(level, 1, 5);
  for (;;) {
    const GeneratedPuzzle puzzle = Dig(random, options, level >= 4);
    if (puzzle.level == level) return puzzle;
  }
}

}  // namespace sudoku

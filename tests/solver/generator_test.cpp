// The generator: unique solutions, the givens target, symmetry, reproducibility and levels.
#include <gtest/gtest.h>

#include <algorithm>

#include "reference/reference_solver.h"
#include "solver/generator.h"
#include "solver/solution_counter.h"
#include "test_grids.h"

namespace sudoku {
namespace {

int Givens(const std::array<std::int32_t, 81>& values) {
  int n = 0;
  for (std::int32_t v : values) n += v > 0;
  return n;
}

CountState CountOf(const std::array<std::int32_t, 81>& values) {
  CountState state;
  CountSolutions(BuildCandidates(GivensBoard(values)), 10, state);
  return state;
}

TEST(Generator, PuzzlesHaveOneSolutionAndKeepItsDigits) {
  SeededRandom random(21);
  for (int n = 0; n < 12; ++n) {
    const GeneratorOptions options{n % 2 == 0 ? 17 : 30, n % 3 == 0};
    const GeneratedPuzzle puzzle = GeneratePuzzle(random, options);
    const CountState state = CountOf(puzzle.givens);
    ASSERT_EQ(state.NumSoluzioni, 1);
    EXPECT_EQ(state.Soluzione, puzzle.solution);
    for (int cell = 0; cell < 81; ++cell) {
      if (puzzle.givens[cell] > 0) {
        EXPECT_EQ(puzzle.givens[cell], puzzle.solution[cell]);
      }
      if (options.symmetric) {
        EXPECT_EQ(puzzle.givens[cell] > 0, puzzle.givens[80 - cell] > 0);
      }
    }
    EXPECT_GE(Givens(puzzle.givens), options.givens - (options.symmetric ? 1 : 0));
    if (options.givens == 30) {
      EXPECT_LE(Givens(puzzle.givens), 30);
    }
    EXPECT_EQ(puzzle.level, PuzzleLevel(MeasurePuzzle(puzzle.givens)));
  }
}

TEST(Generator, SameSeedSamePuzzles) {
  SeededRandom first(7), second(7);
  EXPECT_EQ(GeneratePuzzle(first).givens, GeneratePuzzle(second).givens);
  EXPECT_EQ(GeneratePuzzle(first).givens, GeneratePuzzle(second).givens);
}

TEST(Generator, LevelsGrowWithWhatLogicLeavesOpen) {
  EXPECT_EQ(PuzzleLevel({true, 0, 0}), 1);
  EXPECT_EQ(PuzzleLevel({false, 0, 0}), 2);
  EXPECT_EQ(PuzzleLevel({false, 30, kLevel3Trials}), 3);
  EXPECT_EQ(PuzzleLevel({false, 30, kLevel3Trials + 1}), 4);
  EXPECT_EQ(PuzzleLevel({false, 60, kLevel4Trials + 1}), 5);

  SeededRandom random(8);
  std::string nearlySolved = testing::RandomSolution(random);
  nearlySolved[40] = '.';
  const PuzzleMeasure easy = MeasurePuzzle(ValuesOfRowMajor(nearlySolved));
  EXPECT_TRUE(easy.singlesSolve);
  EXPECT_EQ(easy.openAfterLogic, 0);
  EXPECT_EQ(easy.trials, 0);

  // Over many generated minimal puzzles every level turns up, and the measures agree with it.
  std::array<int, 6> seen{};
  for (int n = 0; n < 60; ++n) {
    const GeneratedPuzzle puzzle = GeneratePuzzle(random, {17, false});
    const PuzzleMeasure measure = MeasurePuzzle(puzzle.givens);
    ++seen[puzzle.level];
    if (puzzle.level >= 3) {
      EXPECT_GT(measure.openAfterLogic, 0);
    }
    if (puzzle.level <= 2) {
      EXPECT_EQ(measure.trials, 0);
    }
  }
  for (int level = 1; level <= 4; ++level) EXPECT_GT(seen[level], 0) << level;
}

// Whether naked and hidden singles alone fill the grid, placed one at a time until none is left.
bool SinglesSolve(std::array<std::int32_t, 81> values) {
  auto fits = [&](int cell, int digit) {
    for (int other = 0; other < 81; ++other) {
      const bool peer = other / 9 == cell / 9 || other % 9 == cell % 9 ||
                        (other / 27 == cell / 27 && other % 9 / 3 == cell % 9 / 3);
      if (other != cell && peer && values[other] == digit) return false;
    }
    return values[cell] == 0;
  };
  for (bool placed = true; placed;) {
    placed = false;
    for (int cell = 0; cell < 81; ++cell) {  // naked singles
      int count = 0, last = 0;
      for (int digit = 1; digit <= 9; ++digit) {
        if (fits(cell, digit)) ++count, last = digit;
      }
      if (count == 1) values[cell] = last, placed = true;
    }
    for (int unit = 0; unit < 27; ++unit) {  // hidden singles: columns, rows, boxes
      for (int digit = 1; digit <= 9; ++digit) {
        int count = 0, last = -1;
        for (int k = 0; k < 9; ++k) {
          const int cell = unit < 9 ? unit * 9 + k
                           : unit < 18
                               ? k * 9 + unit - 9
                               : ((unit - 18) / 3 * 3 + k / 3) * 9 + (unit - 18) % 3 * 3 + k % 3;
          if (fits(cell, digit)) ++count, last = cell;
        }
        if (count == 1) values[last] = digit, placed = true;
      }
    }
  }
  return std::find(values.begin(), values.end(), 0) == values.end();
}

// Whether the plain reference implementation of the logical solver, placing the givens as the
// candidates are built, leaves every cell with one candidate.
bool ReferenceLogicSolves(const std::array<std::int32_t, 81>& givens) {
  const reference::Grid grid = reference::BuildCandidates(GivensBoard(givens), nullptr);
  for (int col = 1; col <= 9; ++col) {
    for (int row = 1; row <= 9; ++row) {
      if (grid.cell[col][row].size() != 1) return false;
    }
  }
  return true;
}

TEST(Generator, PuzzlesOfTheLevelAskedAsSinglesAndTheLogicAloneSeeThem) {
  SeededRandom random(31);
  for (int level = 1; level <= 5; ++level) {
    for (int n = 0; n < 2; ++n) {
      const GeneratedPuzzle puzzle =
          GeneratePuzzleOfLevel(random, level, {22, n == 1 && level < 5});
      EXPECT_EQ(puzzle.level, level);
      const CountState state = CountOf(puzzle.givens);
      ASSERT_EQ(state.NumSoluzioni, 1) << level;
      EXPECT_EQ(state.Soluzione, puzzle.solution) << level;
      EXPECT_EQ(SinglesSolve(puzzle.givens), level == 1) << level;
      EXPECT_EQ(ReferenceLogicSolves(puzzle.givens), level <= 2) << level;
    }
  }
}

}  // namespace
}  // namespace sudoku

// The generator: unique solutions, the givens target, symmetry and levels, the last checked
// by a singles solver of its own and by the literal logical solver.
#include <gtest/gtest.h>

#include <algorithm>

#include "solver/generator.h"
#include "solver/reference/reference_solver.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

TEST(Generator, LevelThresholds) {
  EXPECT_EQ(PuzzleLevel({true, 0, 0}), 1);
  EXPECT_EQ(PuzzleLevel({false, 0, 0}), 2);
  EXPECT_EQ(PuzzleLevel({false, 30, kLevel3Trials}), 3);
  EXPECT_EQ(PuzzleLevel({false, 30, kLevel3Trials + 1}), 4);
  EXPECT_EQ(PuzzleLevel({false, 30, kLevel4Trials}), 4);
  EXPECT_EQ(PuzzleLevel({false, 60, kLevel4Trials + 1}), 5);
}

// Whether naked and hidden singles alone fill the grid, placed until none is left.
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
      for (int digit = 1; digit <= 9; ++digit)
        if (fits(cell, digit)) ++count, last = digit;
      if (count == 1) values[cell] = last, placed = true;
    }
    for (int unit = 0; unit < 27; ++unit)  // hidden singles: rows, columns, boxes
      for (int digit = 1; digit <= 9; ++digit) {
        int count = 0, last = -1;
        for (int cell = 0; cell < 81; ++cell) {
          const int box = 18 + cell / 27 * 3 + cell % 9 / 3;
          if ((unit == cell / 9 || unit == 9 + cell % 9 || unit == box) && fits(cell, digit))
            ++count, last = cell;
        }
        if (count == 1) values[last] = digit, placed = true;
      }
  }
  return std::find(values.begin(), values.end(), 0) == values.end();
}

// Puzzles of each level asked, half of them symmetric, then minimal ones of any level: one
// solution, the givens its digits down to the target, and a level that singles alone and the
// literal logical solver agree with.
TEST(Generator, PuzzlesAreUniqueSymmetricAndTrulyRated) {
  SeededRandom random(31);
  for (int n = 0; n < 50; ++n) {
    const bool symmetric = n < 8 && n % 2 == 1;  // level 5 symmetric puzzles are rare
    const GeneratorOptions options{n < 10 ? 22 : 17, symmetric};
    const GeneratedPuzzle puzzle = n < 10 ? GeneratePuzzleOfLevel(random, n / 2 + 1, options)
                                          : GeneratePuzzle(random, options);
    SCOPED_TRACE(RowMajorText(puzzle.givens));
    EXPECT_TRUE(n >= 10 || puzzle.level == n / 2 + 1);
    CountState state;
    CountSolutions(BuildCandidates(GivensBoard(puzzle.givens)), 10, state);
    ASSERT_EQ(state.NumSoluzioni, 1);
    EXPECT_EQ(state.Soluzione, puzzle.solution);
    int givens = 0;
    for (int cell = 0; cell < 81; ++cell) {
      givens += puzzle.givens[cell] > 0;
      EXPECT_TRUE(puzzle.givens[cell] == 0 || puzzle.givens[cell] == puzzle.solution[cell]);
      EXPECT_TRUE(!symmetric || (puzzle.givens[cell] > 0) == (puzzle.givens[80 - cell] > 0));
    }
    EXPECT_GE(givens, options.givens - symmetric);
    EXPECT_EQ(SinglesSolve(puzzle.givens), puzzle.level == 1);
    const reference::Grid logic = reference::BuildCandidates(GivensBoard(puzzle.givens), nullptr);
    bool solved = true;
    for (int cell = 0; cell < 81; ++cell)
      solved &= logic.cell[cell / 9 + 1][cell % 9 + 1].size() == 1;
    EXPECT_EQ(solved, puzzle.level <= 2);
  }
}

}  // namespace
}  // namespace sudoku

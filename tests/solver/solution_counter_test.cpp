// Counting: limits, the order in which solutions are met, contradictions, the top-level
// completeness test, the progress callback and the reduction of a published puzzle.
#include <gtest/gtest.h>

#include "solver/solution_counter.h"
#include "test_grids.h"

namespace sudoku {
namespace {

using testing::BoardOf;

struct Count {
  std::int32_t result;
  CountState state;
  int advances;
};

Count CountBoard(const std::string& text, std::int32_t limit, std::int32_t startAt = 0) {
  Count count{0, {}, 0};
  count.state.NumSoluzioni = startAt;
  count.result =
      CountSolutions(BuildCandidates(BoardOf(text)), limit, count.state, [&] { ++count.advances; });
  return count;
}

const std::string kEmpty(81, '.');

TEST(CountSolutions, EmptyBoardStopsAtTheLimitOnTheSameSolutionsAsTheLiteralSearch) {
  for (std::int32_t limit : {1, 10, 60}) {
    const Count count = CountBoard(kEmpty, limit);
    EXPECT_EQ(count.state.NumSoluzioni, limit);
    EXPECT_EQ(count.result, 0);
    EXPECT_GT(count.advances, 0);
  }
  reference::Counter literal;
  reference::CountSolutions(reference::Grid::Full(), 10, literal, Board());
  const Count count = CountBoard(kEmpty, 10);
  for (int cell = 0; cell < 81; ++cell) {
    ASSERT_EQ(count.state.Soluzione[cell], literal.Soluzione[cell / 9 + 1][cell % 9 + 1]);
  }
  // Column-major lexicographic order: the first solution fills column 0 with 1..9.
  const auto first = CountBoard(kEmpty, 1).state.Soluzione;
  for (int row = 0; row < 9; ++row) EXPECT_EQ(first[CellIndex(0, row)], row + 1);
}

TEST(CountSolutions, CompleteBoardCountsWithoutBranching) {
  SeededRandom random(3);
  const std::string solution = testing::RandomSolution(random);
  const Count count = CountBoard(solution, 2);
  EXPECT_EQ(count.result, 1);
  EXPECT_EQ(count.state.NumSoluzioni, 1);
  EXPECT_EQ(count.advances, 0);
  EXPECT_EQ(RowMajorText(count.state.Soluzione), solution);
}

TEST(CountSolutions, ClashingDigitsGiveNoSolutionAndKeepTheLastOne) {
  SeededRandom random(4);
  const std::string solution = testing::RandomSolution(random);
  std::string row = testing::RandomPartialFill(solution, 30, random);
  row[0] = '5', row[8] = '5';
  std::string column = kEmpty, box = kEmpty;
  column[0] = '7', column[72] = '7';
  box[0] = '2', box[20] = '2';
  for (const std::string& text : {row, column, box}) {
    Count count{0, {}, 0};
    count.state.Soluzione.fill(4);
    count.result = CountSolutions(BuildCandidates(BoardOf(text)), 10, count.state);
    EXPECT_EQ(count.state.NumSoluzioni, 0) << text;
    EXPECT_EQ(count.state.Soluzione[40], 4);
  }
}

// A grid handed in complete is judged by its row and column sums alone, as the callers that
// hand in grids of their own expect.
TEST(CountSolutions, CompleteGridHandedInIsCheckedByLineSumsOnly) {
  CandidateGrid latin;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row)
      latin.At(col, row) = CandidateSet::Single((col + row) % 9 + 1);
  }
  CountState state;
  EXPECT_EQ(CountSolutions(latin, 2, state), 1);
  EXPECT_EQ(state.NumSoluzioni, 1);
  latin.At(0, 0) = CandidateSet::Single(0);
  EXPECT_EQ(CountSolutions(latin, 2, state), 0);
  latin.At(0, 0) = CandidateSet::Single(2);
  EXPECT_EQ(CountSolutions(latin, 2, state), 0);
  EXPECT_EQ(state.NumSoluzioni, 1);
}

// A puzzle with exactly three solutions: cells are emptied at random, skipping those that let
// the count pass three. Checked against the literal search.
std::string PuzzleWithThreeSolutions(Random& random) {
  for (;;) {
    std::string text = testing::RandomSolution(random);
    for (int tries = 0; tries < 400; ++tries) {
      const int cell = random.Next(0, 80);
      if (text[cell] == '.') continue;
      const char digit = text[cell];
      text[cell] = '.';
      const std::int32_t count = CountBoard(text, 4).state.NumSoluzioni;
      if (count == 3) return text;
      if (count > 3) text[cell] = digit;
    }
  }
}

TEST(CountSolutions, ExactCountsBelowTheLimitAndTheLimitAbove) {
  SeededRandom random(5);
  const std::string three = PuzzleWithThreeSolutions(random);
  EXPECT_EQ(CountBoard(three, 4).state.NumSoluzioni, 3);
  EXPECT_EQ(CountBoard(three, 60).state.NumSoluzioni, 3);
  EXPECT_EQ(CountBoard(three, 3).state.NumSoluzioni, 3);
  EXPECT_EQ(CountBoard(three, 2).state.NumSoluzioni, 2);
  reference::Counter literal;
  reference::CountSolutions(reference::BuildCandidates(BoardOf(three), nullptr), 10, literal,
                            BoardOf(three));
  EXPECT_EQ(literal.NumSoluzioni, 3);
  EXPECT_EQ(CountBoard(three, 10).state.Soluzione[17], literal.Soluzione[2][9]);
}

TEST(CountSolutions, CountingGoesOnFromWhereTheCallerLeftIt) {
  EXPECT_EQ(CountBoard(kEmpty, 5, 3).state.NumSoluzioni, 5);
  const Count full = CountBoard(kEmpty, 5, 5);
  EXPECT_EQ(full.state.NumSoluzioni, 5);
  EXPECT_EQ(full.advances, 0);
  EXPECT_EQ(CountBoard(kEmpty, 5, 9).state.NumSoluzioni, 9);
}

TEST(ReducePuzzle, KeepsAUniquePuzzleOfTheSameSolution) {
  SeededRandom random(6);
  for (int n = 0; n < 5; ++n) {
    const std::string solution = testing::RandomSolution(random);
    int advances = 0;
    CandidateGrid shown;
    const auto reduced = ReducePuzzle(
        ValuesOfRowMajor(solution), [&] { ++advances; }, &shown);
    const std::string text = RowMajorText(reduced);
    int kept = 0;
    for (int i = 0; i < 81; ++i) {
      if (text[i] == '0') continue;
      ++kept;
      EXPECT_EQ(text[i], solution[i]);
    }
    EXPECT_LT(kept, 81);
    EXPECT_GE(advances, kept);
    const Count count = CountBoard(text, 2);
    EXPECT_EQ(count.state.NumSoluzioni, 1);
    EXPECT_EQ(RowMajorText(count.state.Soluzione), solution);
    for (int cell = 0; cell < 81; ++cell) {
      EXPECT_EQ(shown.Cells[cell], CandidateSet::Single(count.state.Soluzione[cell]));
    }
    // Nothing left is redundant any more.
    EXPECT_EQ(RowMajorText(ReducePuzzle(reduced)), text);
  }
}

}  // namespace
}  // namespace sudoku

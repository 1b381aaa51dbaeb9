// Counting: the limit and where a count stops, the completeness test of a grid handed in, the
// reduction of a published puzzle; and the step log's bounds.
#include <gtest/gtest.h>

#include <tuple>

#include "solver/generator.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

// The empty grid stops at the limit, and a count goes on from where the caller left it. Which
// solutions are found, in which order, is the literal search's (reference_agreement_test).
TEST(CountSolutions, StopsAtTheLimitAndGoesOnFromTheCallersCount) {
  for (const auto& [limit, startAt, want] :
       {std::tuple{1, 0, 1}, {10, 0, 10}, {60, 0, 60}, {5, 3, 5}, {5, 5, 5}, {5, 9, 9}}) {
    CountState state;
    state.NumSoluzioni = startAt;
    int advances = 0;
    CountSolutions(CandidateGrid::Full(), limit, state, [&] { ++advances; });
    EXPECT_EQ(state.NumSoluzioni, want) << limit << " from " << startAt;
    EXPECT_EQ(advances > 0, startAt < limit) << limit << " from " << startAt;
  }
}

// A grid handed in complete is judged by its row and column sums alone, as the callers that
// hand in grids of their own expect.
TEST(CountSolutions, CompleteGridHandedInIsCheckedByLineSumsOnly) {
  CandidateGrid latin;
  for (int cell = 0; cell < 81; ++cell)
    latin.Cells[cell] = CandidateSet::Single((cell / 9 + cell % 9) % 9 + 1);
  CountState state;
  EXPECT_EQ(CountSolutions(latin, 2, state), 1);
  latin.At(0, 0) = CandidateSet::Single(0);
  EXPECT_EQ(CountSolutions(latin, 2, state), 0);
  latin.At(0, 0) = CandidateSet::Single(2);
  EXPECT_EQ(CountSolutions(latin, 2, state), 0);
  EXPECT_EQ(state.NumSoluzioni, 1);
}

// Which digits go is the literal implementation's (reference_agreement_test); here the progress
// calls, the candidates shown afterwards and that nothing left is redundant.
TEST(ReducePuzzle, ReportsProgressAndTheCandidatesLeft) {
  SeededRandom random(6);
  const auto solution = GeneratePuzzle(random, {.givens = 81}).solution;
  int advances = 0;
  CandidateGrid shown;
  const auto reduced = ReducePuzzle(
      solution, [&] { ++advances; }, &shown);
  const auto kept = std::count_if(reduced.begin(), reduced.end(), [](int v) { return v > 0; });
  EXPECT_LT(kept, 81);
  EXPECT_GE(advances, kept);
  for (int cell = 0; cell < 81; ++cell)
    EXPECT_EQ(shown.Cells[cell], CandidateSet::Single(solution[cell]));
  EXPECT_EQ(ReducePuzzle(reduced), reduced);  // nothing left is redundant
}

TEST(StepLog, RecordsOnlyWhenAskedAndStopsAtTwoHundred) {
  const Board board = GivensBoard(ValuesOfRowMajor("12345678"));
  StepLog log;
  BuildCandidates(board, &log);
  EXPECT_EQ(log.NumPassi, 0);
  for (int k = 0; k < 300; ++k) log.RecordStep(board, k % 9, 1, CandidateGrid(), (k / 9) % 9 + 1);
  EXPECT_EQ(log.NumPassi, StepLog::kMaxSteps);
}

}  // namespace
}  // namespace sudoku

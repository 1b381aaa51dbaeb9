// The bit-set engine against the literal string implementation on many random positions:
// candidate grids, step records, counts, solutions and the reduction must come out identical.
#include <gtest/gtest.h>

#include <numeric>

#include "solver/generator.h"
#include "solver/place_digit.h"
#include "solver/reference/reference_solver.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

// Every cell's candidate text, column-major, separated by '|'.
std::string Describe(const CandidateGrid& grid) {
  std::string text;
  for (const CandidateSet& set : grid.Cells) text += set.Text() + "|";
  return text;
}

std::string Describe(const reference::Grid& grid) {
  std::string text;
  for (int cell = 0; cell < 81; ++cell) text += grid.cell[cell / 9 + 1][cell % 9 + 1] + "|";
  return text;
}

// A random solution (three random boxes completed by the counter) with keep of its cells, the
// others '.'.
std::string RandomPartialFill(Random& random, int keep) {
  const std::string solution = RowMajorText(GeneratePuzzle(random, {.givens = 81}).solution);
  std::vector<int> order(81);
  std::iota(order.begin(), order.end(), 0);
  for (int i = 80; i > 0; --i) std::swap(order[i], order[random.Next(0, i)]);
  std::string text(81, '.');
  for (int i = 0; i < keep; ++i) text[order[i]] = solution[order[i]];
  return text;
}

// A partial fill of a valid solution, sometimes with one digit changed so that the board
// contradicts itself, as givens or as entered texts, and sometimes with a text that is no digit.
Board RandomPosition(SeededRandom& random, int minKeep, int maxKeep) {
  std::string text = RandomPartialFill(random, random.Next(minKeep, maxKeep));
  if (random.Next(0, 5) == 0) text[random.Next(0, 80)] = char('1' + random.Next(0, 8));
  const auto values = ValuesOfRowMajor(text);
  const bool asGivens = random.Next(0, 1) == 0;
  Board board;
  for (int cell = 0; cell < 81; ++cell)
    if (values[cell] != 0)
      (asGivens ? board.Schema : board.Texts)[cell] =
          (asGivens ? "1" : "") + std::to_string(values[cell]);
  if (random.Next(0, 7) == 0) board.Texts[random.Next(0, 80)] = random.Next(0, 1) ? "x" : "12";
  return board;
}

void ExpectSameSteps(const StepLog& log, const reference::Steps& expected) {
  ASSERT_EQ(log.NumPassi, expected.NumPassi);
  for (int k = 1; k <= log.NumPassi; ++k) {
    const StepRecord& record = log.Passi[k];
    const reference::Record& want = expected.Passi[k];
    EXPECT_EQ(std::vector<int>({record.Col + 1, record.Row + 1, record.Digit}),
              std::vector<int>({want.col, want.row, want.digit}));
    EXPECT_EQ(Describe(record.Candidates), Describe(want.candidates)) << "step " << k;
    for (int cell = 0; cell < 81; ++cell)
      ASSERT_EQ(record.Values[cell], want.values[cell / 9 + 1][cell % 9 + 1]) << "step " << k;
  }
}

// Building the candidates with step records, then one placement of any digit 0..9, candidate or
// not, in either mode; and the candidates shown to the player: every filled cell placed in
// basic mode.
TEST(ReferenceAgreement, PlacementsAndStepRecords) {
  SeededRandom random(11);
  for (int n = 0; n < 300; ++n) {
    SCOPED_TRACE(n);
    const Board board = RandomPosition(random, 5, 45);
    StepLog log;
    reference::Steps expected;
    log.PassoPasso = expected.PassoPasso = true;
    const CandidateGrid grid = BuildCandidates(board, &log);
    const reference::Grid want = reference::BuildCandidates(board, &expected);
    ASSERT_EQ(Describe(grid), Describe(want));
    ExpectSameSteps(log, expected);

    const int col = random.Next(0, 8), row = random.Next(0, 8), digit = random.Next(0, 9);
    const bool full = random.Next(0, 1) == 0;
    log.NumPassi = expected.NumPassi = 0;  // a fresh log for the placement
    const CandidateGrid placed =
        PlaceDigit(grid, col, row, full ? PlaceMode::Full : PlaceMode::Basic, digit, board, &log);
    ASSERT_EQ(Describe(placed), Describe(reference::PlaceDigit(want, col + 1, row + 1, full, digit,
                                                               board, &expected)))
        << col << row << digit;
    ExpectSameSteps(log, expected);

    CandidateGrid shown = CandidateGrid::Full();
    reference::Grid shownWant = reference::Grid::Full();
    for (int cell = 0; cell < 81; ++cell) {
      const int value = board.ValoreCella(cell / 9, cell % 9);
      if (value == 0) continue;
      shown = PlaceDigit(shown, cell / 9, cell % 9, PlaceMode::Basic, value, board);
      shownWant = reference::PlaceDigit(shownWant, cell / 9 + 1, cell % 9 + 1, false, value, board,
                                        nullptr);
    }
    ASSERT_EQ(Describe(shown), Describe(shownWant));
  }
}

// The count on the candidate grid and on the board alone (which may skip the grid), against
// the literal search.
void ExpectSameCount(const Board& board, std::int32_t limit) {
  SCOPED_TRACE(limit);
  CountState state, direct;
  const std::int32_t result = CountSolutions(BuildCandidates(board), limit, state);
  reference::Counter expected;
  EXPECT_EQ(result, reference::CountSolutions(reference::BuildCandidates(board, nullptr), limit,
                                              expected, board));
  ASSERT_EQ(state.NumSoluzioni, expected.NumSoluzioni);
  for (int cell = 0; cell < 81; ++cell)
    ASSERT_EQ(state.Soluzione[cell], expected.Soluzione[cell / 9 + 1][cell % 9 + 1]);
  CountBoard(board, limit, direct);
  EXPECT_EQ(std::pair(direct.NumSoluzioni, direct.Soluzione),
            std::pair(state.NumSoluzioni, state.Soluzione));
}

// Sparse boards have from a few to thousands of solutions: below the limit the whole set is
// known and the last in order must be kept, above it the first ones in order. Then unique
// puzzles that need many trials.
TEST(ReferenceAgreement, CountsAndSolutionsAtEveryLimit) {
  SeededRandom random(14);
  for (int n = 0; n < 70; ++n) {
    SCOPED_TRACE(n);
    const Board board = RandomPosition(random, n < 60 ? 24 : 26, n < 60 ? 45 : 34);
    for (std::int32_t limit : {1, 2, 5, 10, 30, 60}) {
      if (n >= 60 || limit == (n % 4 == 0 ? 5 : 2)) ExpectSameCount(board, limit);
    }
  }
  for (int n = 0; n < 4; ++n)
    ExpectSameCount(GivensBoard(GeneratePuzzle(random, {17}).givens), 1 + n % 2);
}

// Givens as values, some repeated or out of range, counted without a board first.
TEST(ReferenceAgreement, CountsOfGivenValues) {
  SeededRandom random(18);
  for (int n = 0; n < 40; ++n) {
    auto values = ValuesOfRowMajor(RandomPartialFill(random, random.Next(22, 40)));
    values[random.Next(0, 80)] = n % 8 == 7 ? (n % 16 == 7 ? 12 : -3) : random.Next(0, 9);
    CountState state, direct;
    CountSolutions(BuildCandidates(GivensBoard(values)), 3, state);
    CountGivens(values, 3, direct);
    ASSERT_EQ(direct.NumSoluzioni, state.NumSoluzioni) << RowMajorText(values);
    EXPECT_EQ(direct.Soluzione, state.Soluzione) << RowMajorText(values);
  }
}

TEST(ReferenceAgreement, Reduction) {
  SeededRandom random(15);
  for (int n = 0; n < 4; ++n) {
    const auto values = ValuesOfRowMajor(RandomPartialFill(random, n % 2 == 0 ? 81 : 45));
    EXPECT_EQ(RowMajorText(ReducePuzzle(values)), RowMajorText(reference::ReducePuzzle(values)));
  }
}

}  // namespace
}  // namespace sudoku

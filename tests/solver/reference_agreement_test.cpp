// The bit-set engine against the literal string implementation on many random positions:
// candidate grids, step records, counts, solutions and the reduction must come out identical.
#include <gtest/gtest.h>

#include "solver/generator.h"
#include "solver/place_digit.h"
#include "solver/solution_counter.h"
#include "test_grids.h"

namespace sudoku {
namespace {

using testing::BoardOf;
using testing::Describe;
using testing::RandomPartialFill;
using testing::RandomSolution;

// A random position: a partial fill of a valid solution, sometimes with one digit changed so
// that the board contradicts itself, as givens or as entered texts.
struct Position {
  std::string text;
  Board board;
};

Position RandomPosition(SeededRandom& random, int minKeep, int maxKeep) {
  Position position;
  position.text = RandomPartialFill(RandomSolution(random), random.Next(minKeep, maxKeep), random);
  if (random.Next(0, 5) == 0) {
    const int cell = random.Next(0, 80);
    position.text[cell] = char('1' + random.Next(0, 8));
  }
  position.board = BoardOf(position.text, random.Next(0, 1) == 0);
  if (random.Next(0, 7) == 0)
    position.board.Texts[random.Next(0, 80)] = random.Next(0, 1) ? "x" : "12";
  return position;
}

// The same puzzle with its digits relabelled at random and, half the time, transposed.
std::string Relabelled(const std::string& text, SeededRandom& random) {
  std::string digits = "123456789";
  for (int i = 8; i > 0; --i) std::swap(digits[i], digits[random.Next(0, i)]);
  const bool transpose = random.Next(0, 1) == 1;
  std::string out(81, '.');
  for (int i = 0; i < 81; ++i) {
    const char ch = text[transpose ? (i % 9) * 9 + i / 9 : i];
    out[i] = ch == '.' ? '.' : digits[ch - '1'];
  }
  return out;
}

void ExpectSameCount(const Board& board, std::int32_t limit, const std::string& what) {
  CountState state;
  const std::int32_t result = CountSolutions(BuildCandidates(board), limit, state);
  reference::Counter expected;
  const std::int32_t want =
      reference::CountSolutions(reference::BuildCandidates(board, nullptr), limit, expected, board);
  ASSERT_EQ(state.NumSoluzioni, expected.NumSoluzioni) << what << " limit " << limit;
  EXPECT_EQ(result, want);
  for (int cell = 0; cell < 81; ++cell) {
    ASSERT_EQ(state.Soluzione[cell], expected.Soluzione[cell / 9 + 1][cell % 9 + 1])
        << what << " limit " << limit;
  }
  // The count on the board alone, which may skip the candidate grid.
  CountState direct;
  CountBoard(board, limit, direct);
  ASSERT_EQ(direct.NumSoluzioni, expected.NumSoluzioni) << what << " limit " << limit;
  EXPECT_EQ(direct.Soluzione, state.Soluzione) << what << " limit " << limit;
}

void ExpectSameSteps(const StepLog& log, const reference::Steps& expected) {
  ASSERT_EQ(log.NumPassi, expected.NumPassi);
  for (int k = 1; k <= log.NumPassi; ++k) {
    const StepRecord& record = log.Passi[k];
    const reference::Record& want = expected.Passi[k];
    EXPECT_EQ(record.Col + 1, want.col);
    EXPECT_EQ(record.Row + 1, want.row);
    EXPECT_EQ(record.Digit, want.digit);
    EXPECT_NE(record.Reason.Pass, StepPass::None) << "step " << k;  // every step explained
    EXPECT_EQ(Describe(record.Candidates), Describe(want.candidates)) << "step " << k;
    for (int cell = 0; cell < 81; ++cell) {
      ASSERT_EQ(record.Values[cell], want.values[cell / 9 + 1][cell % 9 + 1]) << "step " << k;
    }
  }
}

TEST(ReferenceAgreement, BuildCandidatesAndStepRecords) {
  SeededRandom random(11);
  for (int n = 0; n < 250; ++n) {
    const Position position = RandomPosition(random, 8, 40);
    StepLog log;
    log.PassoPasso = true;
    reference::Steps expected;
    expected.PassoPasso = true;
    const CandidateGrid grid = BuildCandidates(position.board, &log);
    const reference::Grid want = reference::BuildCandidates(position.board, &expected);
    ASSERT_EQ(Describe(grid), Describe(want)) << position.text;
    ExpectSameSteps(log, expected);
  }
}

// Single placements of any digit 0..9, candidate or not, into grids part-way through a build,
// in both modes.
TEST(ReferenceAgreement, SinglePlacementsOfAnyDigit) {
  SeededRandom random(12);
  const Board noGivens;
  for (int n = 0; n < 250; ++n) {
    const Position position = RandomPosition(random, 5, 30);
    const Board& board = position.board;
    const CandidateGrid grid = BuildCandidates(board);
    const reference::Grid refGrid = reference::BuildCandidates(board, nullptr);
    const int col = random.Next(0, 8), row = random.Next(0, 8), digit = random.Next(0, 9);
    const bool full = random.Next(0, 1) == 0;
    StepLog log;
    log.PassoPasso = true;
    reference::Steps expected;
    expected.PassoPasso = true;
    const CandidateGrid placed =
        PlaceDigit(grid, col, row, full ? PlaceMode::Full : PlaceMode::Basic, digit, board, &log);
    const reference::Grid want =
        reference::PlaceDigit(refGrid, col + 1, row + 1, full, digit, board, &expected);
    ASSERT_EQ(Describe(placed), Describe(want)) << position.text << " " << col << row << digit;
    ExpectSameSteps(log, expected);
  }
}

// The candidates shown to the player: every filled cell placed in basic mode.
TEST(ReferenceAgreement, BasicModeSequences) {
  SeededRandom random(13);
  for (int n = 0; n < 200; ++n) {
    const Position position = RandomPosition(random, 10, 50);
    CandidateGrid grid = CandidateGrid::Full();
    reference::Grid want = reference::Grid::Full();
    for (int cell = 0; cell < 81; ++cell) {
      const int value = position.board.ValoreCella(cell / 9, cell % 9);
      if (value == 0) continue;
      grid = PlaceDigit(grid, cell / 9, cell % 9, PlaceMode::Basic, value, position.board);
      want = reference::PlaceDigit(want, cell / 9 + 1, cell % 9 + 1, false, value, position.board,
                                   nullptr);
    }
    ASSERT_EQ(Describe(grid), Describe(want)) << position.text;
  }
}

TEST(ReferenceAgreement, CountsAndSolutions) {
  SeededRandom random(14);
  for (int n = 0; n < 80; ++n) {
    const Position position = RandomPosition(random, 24, 45);
    ExpectSameCount(position.board, n % 4 == 0 ? 5 : 2, position.text);
  }
}

// Sparse boards have from a few to thousands of solutions: below the limit the whole set is
// known and the last in order must be kept, above it the first ones in order.
TEST(ReferenceAgreement, CountsAtEveryLimit) {
  SeededRandom random(16);
  for (int n = 0; n < 10; ++n) {
    const Position position = RandomPosition(random, 26, 34);
    for (std::int32_t limit : {1, 2, 10, 30, 60})
      ExpectSameCount(position.board, limit, position.text);
  }
}

// Unique puzzles that need many trials, relabelled and transposed so that the search meets
// them in other orders.
TEST(ReferenceAgreement, HardPuzzlesRelabelledAndTransposed) {
  SeededRandom random(17);
  for (int n = 0; n < 6; ++n) {
    const GeneratedPuzzle puzzle = GeneratePuzzle(random, {.givens = 17});
    const std::string text = Relabelled(RowMajorText(puzzle.givens), random);
    ExpectSameCount(BoardOf(text), 2, text);
    ExpectSameCount(BoardOf(text), 1, text);
  }
}

// Givens as values, some repeated or out of range, counted without a board first.
TEST(ReferenceAgreement, CountsOfGivenValues) {
  SeededRandom random(18);
  for (int n = 0; n < 40; ++n) {
    const Position position = RandomPosition(random, 22, 40);
    std::array<std::int32_t, 81> values{};
    for (int i = 0; i < 81; ++i) {
      const char ch = position.text[i];
      values[CellIndex(i % 9, i / 9)] = ch >= '1' && ch <= '9' ? ch - '0' : 0;
    }
    if (n % 8 == 7) values[random.Next(0, 80)] = n % 16 == 7 ? 12 : -3;
    const Board board = GivensBoard(values);
    CountState state;
    CountSolutions(BuildCandidates(board), 3, state);
    CountState direct;
    CountGivens(values, 3, direct);
    ASSERT_EQ(direct.NumSoluzioni, state.NumSoluzioni) << position.text;
    EXPECT_EQ(direct.Soluzione, state.Soluzione) << position.text;
  }
}

TEST(ReferenceAgreement, Reduction) {
  SeededRandom random(15);
  for (int n = 0; n < 4; ++n) {
    const std::string solution = RandomSolution(random);
    const std::string start = n % 2 == 0 ? solution : RandomPartialFill(solution, 45, random);
    const auto values = ValuesOfRowMajor(start);
    EXPECT_EQ(RowMajorText(ReducePuzzle(values)), RowMajorText(reference::ReducePuzzle(values)))
        << start;
  }
}

}  // namespace
}  // namespace sudoku

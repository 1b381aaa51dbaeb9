// Placement: eliminations, the passes' characteristic deductions, modes, resets and steps.
#include <gtest/gtest.h>

#include "solver/place_digit.h"
#include "test_grids.h"

namespace sudoku {
namespace {

CandidateSet SetOf(const std::string& digits) {
  std::uint16_t bits = 0;
  for (char ch : digits) bits |= std::uint16_t(1u << (ch - '0'));
  return CandidateSet(bits);
}

const Board kNoGivens;

TEST(PlaceDigit, FreshGridLosesThePlacedDigitOnlyInItsUnits) {
  const CandidateGrid grid = PlaceDigit(CandidateGrid::Full(), 0, 0, PlaceMode::Full, 5, kNoGivens);
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const bool peer = col == 0 || row == 0 || (col < 3 && row < 3);
      const std::string want = col == 0 && row == 0 ? "5" : peer ? "12346789" : "123456789";
      EXPECT_EQ(grid.Text(col, row), want) << col << "," << row;
    }
  }
}

TEST(PlaceDigit, NakedPairClearsItsRow) {
  CandidateGrid grid = CandidateGrid::Full();
  grid.At(2, 4) = SetOf("37");
  grid.At(6, 4) = SetOf("37");
  const CandidateGrid placed = PlaceDigit(grid, 0, 0, PlaceMode::Basic, 1, kNoGivens);
  for (int col = 0; col < 9; ++col) {
    if (col == 2 || col == 6)
      EXPECT_EQ(placed.Text(col, 4), "37");
    else
      EXPECT_EQ(placed.Text(col, 4), col == 0 ? "245689" : "1245689") << col;
  }
}

TEST(PlaceDigit, PairInsideTripleRemovesOnlyTheThirdDigitAndOnlyInFullMode) {
  CandidateGrid grid = CandidateGrid::Full();
  grid.At(1, 8) = SetOf("12");
  grid.At(4, 8) = SetOf("123");
  grid.At(7, 8) = SetOf("123");
  const CandidateGrid full = PlaceDigit(grid, 0, 0, PlaceMode::Full, 9, kNoGivens);
  const CandidateGrid basic = PlaceDigit(grid, 0, 0, PlaceMode::Basic, 9, kNoGivens);
  EXPECT_EQ(full.Text(3, 8), "12456789");
  EXPECT_EQ(basic.Text(3, 8), "123456789");
  EXPECT_EQ(full.Text(4, 8), "123");
  EXPECT_EQ(full.Text(1, 8), "12");
}

TEST(PlaceDigit, HiddenSingleIsPlacedInFullModeOnly) {
  // In column 4 only row 6 can still hold a 4: every other cell of the column has lost it.
  CandidateGrid grid = CandidateGrid::Full();
  for (int row = 0; row < 9; ++row) {
    if (row != 6) grid.At(4, row) = SetOf("12356789");
  }
  const CandidateGrid full = PlaceDigit(grid, 0, 0, PlaceMode::Full, 1, kNoGivens);
  EXPECT_EQ(full.Text(4, 6), "4");
  EXPECT_FALSE(full.At(0, 6).Has(4));  // placed: 4 left its row
  EXPECT_FALSE(full.At(5, 7).Has(4));  // and its box
  const CandidateGrid basic = PlaceDigit(grid, 0, 0, PlaceMode::Basic, 1, kNoGivens);
  EXPECT_EQ(basic.Text(4, 6), "123456789");
  EXPECT_TRUE(basic.At(0, 6).Has(4));
}

TEST(PlaceDigit, PlacedCellHoldsTheDigitEvenWhenItWasNoCandidate) {
  CandidateGrid grid = CandidateGrid::Full();
  grid.At(3, 3) = SetOf("12");
  EXPECT_EQ(PlaceDigit(grid, 3, 3, PlaceMode::Full, 7, kNoGivens).Text(3, 3), "7");
  // Zero is no candidate anywhere; placing it leaves the contradiction text "0".
  const CandidateGrid zero = PlaceDigit(grid, 3, 3, PlaceMode::Basic, 0, kNoGivens);
  EXPECT_EQ(zero.Text(3, 3), "0");
  EXPECT_EQ(zero.Text(3, 4), "123456789");
  EXPECT_EQ(PlaceDigit(grid, 3, 3, PlaceMode::Basic, 12, kNoGivens).Text(3, 3), "0");
}

TEST(PlaceDigit, ClashingDigitsEmptyTheEarlierCell) {
  CandidateGrid grid = PlaceDigit(CandidateGrid::Full(), 0, 0, PlaceMode::Full, 5, kNoGivens);
  grid = PlaceDigit(grid, 0, 8, PlaceMode::Full, 5, kNoGivens);
  EXPECT_EQ(grid.Text(0, 0), "");
  EXPECT_EQ(grid.Text(0, 8), "5");
}

TEST(PlaceDigit, GivensAreNeverPlacedByTheFinalScan) {
  // Row 0 holds 1..8; its last cell is left with 9 alone.
  const std::string row = "12345678.";
  const Board texts = testing::BoardOf(row + std::string(72, '.'), false);
  Board givens = texts;
  givens.Schema[CellIndex(8, 0)] = "19";
  CandidateGrid grid = CandidateGrid::Full();
  for (int col = 0; col < 7; ++col) {
    grid = PlaceDigit(grid, col, 0, PlaceMode::Full, col + 1, texts);
  }
  const CandidateGrid open = PlaceDigit(grid, 7, 0, PlaceMode::Full, 8, texts);
  const CandidateGrid given = PlaceDigit(grid, 7, 0, PlaceMode::Full, 8, givens);
  EXPECT_EQ(open.Text(8, 0), "9");
  EXPECT_FALSE(open.At(8, 5).Has(9));  // placed: 9 left its column
  EXPECT_EQ(given.Text(8, 0), "9");
  EXPECT_TRUE(given.At(8, 5).Has(9));  // a given waits for its own placement
}

TEST(PlaceDigit, StepsAreRecordedOnlyWhileRequestedAndOnlyInFullMode) {
  const Board board = testing::BoardOf("12345678." + std::string(72, '.'), false);
  CandidateGrid grid = CandidateGrid::Full();
  for (int col = 0; col < 7; ++col)
    grid = PlaceDigit(grid, col, 0, PlaceMode::Full, col + 1, board);
  StepLog log;
  PlaceDigit(grid, 7, 0, PlaceMode::Full, 8, board, &log);
  EXPECT_EQ(log.NumPassi, 0);
  log.PassoPasso = true;
  PlaceDigit(grid, 7, 0, PlaceMode::Basic, 8, board, &log);
  EXPECT_EQ(log.NumPassi, 0);
  PlaceDigit(grid, 7, 0, PlaceMode::Full, 8, board, &log);
  ASSERT_EQ(log.NumPassi, 1);
  EXPECT_EQ(log.Passi[1].Col, 8);
  EXPECT_EQ(log.Passi[1].Digit, 9);
  EXPECT_EQ(log.Passi[1].Values[CellIndex(8, 0)], 9);
  EXPECT_EQ(log.Passi[1].Values[CellIndex(7, 0)], 8);  // the board's entry
  EXPECT_EQ(log.Passi[1].Candidates.Text(8, 0), "9");
}

TEST(StepLog, SkipsWhatTheLastRecordHoldsAndStopsAtTwoHundred) {
  const Board board = testing::BoardOf("3" + std::string(80, '.'), false);
  const CandidateGrid grid = CandidateGrid::Full();
  StepLog log;
  log.RecordStep(board, 0, 0, grid, 3);  // the first record compares with nothing
  log.RecordStep(board, 0, 0, grid, 3);
  EXPECT_EQ(log.NumPassi, 1);
  log.RecordStep(board, 1, 0, grid, 6);
  log.RecordStep(board, 0, 0, grid, 3);  // carried forward into the last record
  EXPECT_EQ(log.NumPassi, 2);
  log.RecordStep(board, 0, 0, grid, 4);
  EXPECT_EQ(log.NumPassi, 3);
  EXPECT_EQ(log.Passi[3].Values[CellIndex(1, 0)], 6);
  EXPECT_EQ(log.Passi[1].Values[CellIndex(1, 0)], 0);
  for (int k = 0; k < 300; ++k) log.RecordStep(board, k % 9, 1, grid, (k / 9) % 9 + 1);
  EXPECT_EQ(log.NumPassi, StepLog::kMaxSteps);
}

TEST(CandidateGrid, TextsBoxesAndLists) {
  EXPECT_EQ(CandidateGrid::Full().Text(4, 4), "123456789");
  EXPECT_EQ(SetOf("931").Text(), "139");
  EXPECT_EQ(CandidateSet().Text(), "");
  CandidateGrid grid = CandidateGrid::Full();
  EXPECT_TRUE(RemoveCandidate(grid, 2, 7, 4));
  EXPECT_FALSE(RemoveCandidate(grid, 2, 7, 4));
  EXPECT_FALSE(RemoveCandidate(grid, 2, 7, 0));
  EXPECT_EQ(grid.Text(2, 7), "12356789");
  grid.At(1, 1) = SetOf("27");
  EXPECT_EQ(CandidateList(grid, 1, 1), (std::array<std::int32_t, 9>{2, 7, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(BoxOfCell(0, 4), 1);
  EXPECT_EQ(BoxOfCell(4, 0), 3);
  EXPECT_EQ(BoxOfCell(8, 8), 8);
  for (int box = 0; box < 9; ++box) {
    for (int k = 0; k < 9; ++k) {
      const auto [col, row] = CellOfBox(box, k);
      EXPECT_EQ(BoxOfCell(col, row), box);
      if (k > 0) {  // column-major inside the box
        const auto [prevCol, prevRow] = CellOfBox(box, k - 1);
        EXPECT_LT(CellIndex(prevCol, prevRow), CellIndex(col, row));
      }
    }
  }
}

TEST(Board, ValueComesFromTextThenGivenDigit) {
  Board board;
  board.Schema[CellIndex(2, 3)] = "17";
  EXPECT_EQ(board.ValoreCella(2, 3), 7);
  board.Texts[CellIndex(2, 3)] = "7";
  EXPECT_EQ(board.ValoreCella(2, 3), 7);
  board.Schema[CellIndex(4, 4)] = "09";  // open cell with a stale digit
  EXPECT_EQ(board.ValoreCella(4, 4), 0);
  EXPECT_FALSE(board.IsGiven(4, 4));
}

}  // namespace
}  // namespace sudoku

// The deduction told for each recorded step: one hand-made position per pass and unit kind,
// each set up so that the pass named is the first to leave the target cell with one candidate.
#include <gtest/gtest.h>

#include <sstream>

#include "solver/place_digit.h"

namespace sudoku {
namespace {

// "cr:digits cr:digits ..." (column and row 0..8) over a grid of all nine candidates.
CandidateGrid GridOf(const std::string& cells) {
  CandidateGrid grid = CandidateGrid::Full();
  std::istringstream in(cells);
  for (std::string item; in >> item;) {
    std::uint16_t bits = 0;
    for (char ch : item.substr(3)) bits |= std::uint16_t(1u << (ch - '0'));
    grid.At(item[0] - '0', item[1] - '0') = CandidateSet(bits);
  }
  return grid;
}

// Places digit at column 9, row 9 (9 or 8, which take part in no pattern below) and tells the
// step found at (col, row).
std::string Explained(const std::string& cells, int col, int row, bool english = true,
                      int digit = 9) {
  StepLog log;
  log.PassoPasso = true;
  PlaceDigit(GridOf(cells), 8, 8, PlaceMode::Full, digit, Board(), &log);
  for (int k = 1; k <= log.NumPassi; ++k) {
    const StepRecord& record = log.Passi[k];
    if (record.Col == col && record.Row == row) return ExplainStep(record, english);
  }
  return "no step";
}

// Every cell of the unit except the one at (col, row) without digit: "cr:digits" items.
std::string Without(const std::string& unit, int col, int row, const std::string& digits) {
  std::string items;
  for (int k = 0; k < 9; ++k) {
    const int c = unit == "col" ? col : unit == "row" ? k : col / 3 * 3 + k / 3;
    const int r = unit == "col" ? k : unit == "row" ? row : row / 3 * 3 + k % 3;
    if (c != col || r != row) items += std::to_string(c) + std::to_string(r) + ":" + digits + " ";
  }
  return items;
}

TEST(StepExplanation, NamesThePassAndTheUnitThatFoundTheCell) {
  struct Case {
    std::string cells;
    int col, row;
    std::string want;
  };
  const Case cases[] = {
      {"80:49", 8, 0,
       "Column 9, row 1: 4 - the only candidate left after the 9 at column 9, row 9"},
      {"00:12 04:12 08:123", 0, 8,
       "Column 1, row 9: 3 - the only candidate left after the pair in column 1"},
      {"00:12 40:12 80:123", 8, 0,
       "Column 9, row 1: 3 - the only candidate left after the pair in row 1"},
      {"00:12 11:12 22:123", 2, 2,
       "Column 3, row 3: 3 - the only candidate left after the pair in the top left box"},
      {"00:123 03:123 06:123 01:1234", 0, 1,
       "Column 1, row 2: 4 - the only candidate left after the triple in column 1"},
      {"00:123 30:123 60:123 10:1234", 1, 0,
       "Column 2, row 1: 4 - the only candidate left after the triple in row 1"},
      {"33:123 44:123 55:123 34:1234", 3, 4,
       "Column 4, row 5: 4 - the only candidate left after the triple in the centre box"},
      {"00:12 03:123 06:123 01:34", 0, 1,
       "Column 1, row 2: 4 - the only candidate left after the pair inside the triple in column 1"},
      {"00:12 30:123 60:123 10:34", 1, 0,
       "Column 2, row 1: 4 - the only candidate left after the pair inside the triple in row 1"},
      {"06:12 17:123 28:123 07:34", 0, 7,
       "Column 1, row 8: 4 - the only candidate left after the pair inside the triple in the "
       "bottom left box"},
      {Without("col", 0, 6, "12356789"), 0, 6,
       "Column 1, row 7: 4 - the only place for 4 in column 1"},
      {Without("row", 6, 0, "12356789"), 6, 0,
       "Column 7, row 1: 4 - the only place for 4 in row 1"},
      {Without("box", 5, 2, "12356789"), 5, 2,
       "Column 6, row 3: 4 - the only place for 4 in the top middle box"},
      {"00:12 11:12 23:23456789 24:23456789 25:23456789 06:15", 0, 6,
       "Column 1, row 7: 5 - the only candidate left after the pair in the top left box against "
       "its column of boxes"},
      {"00:12 11:12 32:23456789 42:23456789 52:23456789 60:15", 6, 0,
       "Column 7, row 1: 5 - the only candidate left after the pair in the top left box against "
       "its row of boxes"},
      {"00:123 03:123 06:1234 01:1234 04:45", 0, 4,
       "Column 1, row 5: 5 - the only candidate left after the quad in column 1"},
      {"00:123 30:123 60:1234 10:1234 40:45", 4, 0,
       "Column 5, row 1: 5 - the only candidate left after the quad in row 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Explained(c.cells, c.col, c.row), c.want) << c.cells;
}

TEST(StepExplanation, ItalianTexts) {
  const std::pair<std::string, std::string> cases[] = {
      {"80:48", "Colonna 9, riga 1: 4 - unico candidato rimasto dopo l'8 in colonna 9, riga 9"},
      {Without("row", 8, 0, "23456789"), "Colonna 9, riga 1: 1 - unico posto per l'1 nella riga 1"},
      {"60:123 71:123 82:123 80:1234",
       "Colonna 9, riga 1: 4 - unico candidato rimasto dopo la terna nel riquadro in alto a "
       "destra"},
  };
  for (const auto& [cells, want] : cases)
    EXPECT_EQ(Explained(cells, 8, 0, false, 8), want) << cells;
  StepRecord unreached;
  unreached.Col = 2;
  unreached.Row = 4;
  unreached.Digit = 7;
  EXPECT_EQ(ExplainStep(unreached, false),
            "Colonna 3, riga 5: 7 - il risolutore logico da solo non arriva a questa cella: serve "
            "procedere per tentativi");
}

}  // namespace
}  // namespace sudoku

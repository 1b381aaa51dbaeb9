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
  const std::string kLeft = " - the only candidate left after the ";
  struct Case {
    std::string cells;
    int col, row;
    std::string want;  // after "Column c, row r: "; Italian texts start with "Colonna"
  };
  const Case cases[] = {
      {"80:49", 8, 0, "4" + kLeft + "9 at column 9, row 9"},
      {"00:12 04:12 08:123", 0, 8, "3" + kLeft + "pair in column 1"},
      {"00:12 40:12 80:123", 8, 0, "3" + kLeft + "pair in row 1"},
      {"00:12 11:12 22:123", 2, 2, "3" + kLeft + "pair in the top left box"},
      {"00:123 03:123 06:123 01:1234", 0, 1, "4" + kLeft + "triple in column 1"},
      {"00:123 30:123 60:123 10:1234", 1, 0, "4" + kLeft + "triple in row 1"},
      {"33:123 44:123 55:123 34:1234", 3, 4, "4" + kLeft + "triple in the centre box"},
      {"00:12 03:123 06:123 01:34", 0, 1, "4" + kLeft + "pair inside the triple in column 1"},
      {"00:12 30:123 60:123 10:34", 1, 0, "4" + kLeft + "pair inside the triple in row 1"},
      {"06:12 17:123 28:123 07:34", 0, 7,
       "4" + kLeft + "pair inside the triple in the bottom left box"},
      {Without("col", 0, 6, "12356789"), 0, 6, "4 - the only place for 4 in column 1"},
      {Without("row", 6, 0, "12356789"), 6, 0, "4 - the only place for 4 in row 1"},
      {Without("box", 5, 2, "12356789"), 5, 2, "4 - the only place for 4 in the top middle box"},
      {"00:12 11:12 23:23456789 24:23456789 25:23456789 06:15", 0, 6,
       "5" + kLeft + "pair in the top left box against its column of boxes"},
      {"00:12 11:12 32:23456789 42:23456789 52:23456789 60:15", 6, 0,
       "5" + kLeft + "pair in the top left box against its row of boxes"},
      {"00:123 03:123 06:1234 08:1234 04:45", 0, 4, "5" + kLeft + "quad in column 1"},
      {"00:123 30:123 60:1234 80:1234 40:45", 4, 0, "5" + kLeft + "quad in row 1"},
      {"80:48", 8, 0,
       "Colonna 9, riga 1: 4 - unico candidato rimasto dopo l'8 in colonna 9, riga 9"},
      {Without("row", 8, 0, "23456789"), 8, 0,
       "Colonna 9, riga 1: 1 - unico posto per l'1 nella riga 1"},
      {"60:123 71:123 82:123 80:1234", 8, 0,
       "Colonna 9, riga 1: 4 - unico candidato rimasto dopo la terna nel riquadro in alto a "
       "destra"},
  };
  for (const Case& c : cases) {
    // A digit is placed at column 9, row 9 (9 in English, 8 in Italian: neither takes part in a
    // pattern above), and the step found at the case's cell is told.
    const bool english = c.want.rfind("Colonna", 0) != 0;
    StepLog log;
    log.PassoPasso = true;
    PlaceDigit(GridOf(c.cells), 8, 8, PlaceMode::Full, english ? 9 : 8, Board(), &log);
    std::string told = "no step";
    for (int k = 1; k <= log.NumPassi; ++k) {
      if (log.Passi[k].Col == c.col && log.Passi[k].Row == c.row)
        told = ExplainStep(log.Passi[k], english);
    }
    const std::string where =
        "Column " + std::to_string(c.col + 1) + ", row " + std::to_string(c.row + 1) + ": ";
    EXPECT_EQ(told, english ? where + c.want : c.want) << c.cells;
  }
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

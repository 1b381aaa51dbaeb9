// The two layers of the board that the solver reads: the puzzle codes and the cell texts.
// Cells are indexed [col][row] as col * 9 + row, col and row 0..8 (column-major).
#pragma once

#include <array>
#include <string>

namespace sudoku {

inline constexpr int CellIndex(int col, int row) {
  return col * 9 + row;
}

struct Board {
  // Puzzle codes: "1d" is a given digit d, "0" (with any stale second character) an open cell.
  std::array<std::string, 81> Schema;
  // The text of every cell of the playing grid: empty or one digit "1".."9".
  std::array<std::string, 81> Texts;

  Board() { Schema.fill("0"); }

  bool IsGiven(int col, int row) const {
    const std::string& code = Schema[CellIndex(col, row)];
    return !code.empty() && code[0] == '1';
  }
  // The cell's value: its text's number, else its given digit, else 0.
  int ValoreCella(int col, int row) const;
};

}  // namespace sudoku

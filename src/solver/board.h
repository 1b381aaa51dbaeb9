// The two layers of the board that the solver reads: the puzzle codes and the cell texts.
// Cells are indexed [col][row] as col * 9 + row, col and row 0..8 (column-major).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

// The board of a puzzle whose values ([col][row], 0 = empty) are all givens (Schema "1d").
Board GivensBoard(const std::array<std::int32_t, 81>& values);

// Values [col][row] as 81 characters row by row from the top, '0' for an empty cell, and back
// ('1'..'9' a digit, any other character an empty cell, missing characters empty).
std::string RowMajorText(const std::array<std::int32_t, 81>& values);
std::array<std::int32_t, 81> ValuesOfRowMajor(std::string_view text);

}  // namespace sudoku

// The words a screen reader says for one cell of the playing board, in either language.
#pragma once

#include <cstdint>
#include <string>

#include "play/ports.h"

namespace sudoku {

// What a player can see on a cell. col and row count from 0; digit is 0 for an empty cell;
// mark is the colour painted over the cell, if any; notes is a mask of bits 1..9.
struct CellFacts {
  int col = 0;
  int row = 0;
  int digit = 0;
  bool given = false;
  bool marked = false;
  Rgb mark;
  std::uint16_t notes = 0;
};

// "Riga 3, colonna 5: 7, dato" / "Row 3, column 5: 7, given", then the colour mark and the
// notes when there are any. Rows and columns are counted from 1. Latin-1 text.
std::string DescribeCell(const CellFacts& cell, bool english);

// A cell of the candidates grid: its place, then its candidates as shown or that it has none.
std::string DescribeCandidates(int col, int row, const std::string& shown, bool english);

// What a screen reader says for an empty cell of a list, after the column's caption.
std::string NoValueWords(bool english);

}  // namespace sudoku

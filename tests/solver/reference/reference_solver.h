// A deliberately plain implementation of placement, step records and counting on strings of
// candidate digits, copying grids exactly as the algorithm describes. Slow; it exists to check
// the bit-set engine against and to measure it by. Cells are 1-based (column, row) here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "solver/board.h"

namespace sudoku::reference {

struct Grid {
  std::string cell[10][10];  // [column][row], 1..9
  static Grid Full();
};

struct Record {
  std::int32_t values[10][10] = {};
  Grid candidates;
  int col = 0, row = 0, digit = 0;
};

struct Steps {
  std::vector<Record> Passi = std::vector<Record>(201);
  int NumPassi = 0;
  bool PassoPasso = false;
};

struct Counter {
  std::int32_t NumSoluzioni = 0;
  std::int32_t Soluzione[10][10] = {};
};

Grid PlaceDigit(const Grid& grid, int x, int y, bool full, int d, const Board& board, Steps* steps);
Grid BuildCandidates(const Board& board, Steps* steps);
std::int32_t CountSolutions(const Grid& grid, std::int32_t limit, Counter& counter,
                            const Board& board);
// values[col][row] 0-based as col * 9 + row, as the engine's.
std::array<std::int32_t, 81> ReducePuzzle(const std::array<std::int32_t, 81>& values);

}  // namespace sudoku::reference

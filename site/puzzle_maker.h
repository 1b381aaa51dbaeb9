// Where the site's puzzles come from: the project's generator and solution counter behind the
// site's texts. Grids here are 81-character texts of "0" (empty) to "9", row by row from the top.
#pragma once

#include <string>

#include "solver/random.h"

namespace sudoku::site {

struct MadePuzzle {
  std::string Digits;    // the givens, row by row
  std::string Solution;  // the unique solution, row by row
  int Level = 1;         // 1 (easiest) to 5
  int Givens = 0;
  bool Symmetric = false;
};

// A puzzle with exactly one solution, thinned towards targetGivens clues (it may keep more when
// no further clue can go, or one fewer when the last pair goes), with cells removed in
// centrally symmetric pairs when symmetric is set. The same random source makes the same puzzle.
MadePuzzle MakePuzzle(Random& random, bool symmetric, int targetGivens);
// The same, of the level asked (1 to 5).
MadePuzzle MakePuzzleOfLevel(Random& random, bool symmetric, int targetGivens, int level);

// The number of solutions of digits, counted up to limit; solution (when given) receives the
// last one counted. A text that is not 81 digits, or whose givens clash, has none.
int CountSolutionsUpTo(const std::string& digits, int limit, std::string* solution = nullptr);

// The difficulty level of a puzzle with a unique solution: 1 when singles solve it, up to 5.
int RateLevel(const std::string& digits);

// The texts that convert the catalogue's row-by-row order and the board's column-by-column order.
std::string RowsToColumns(const std::string& rowMajor);
std::string ColumnsToRows(const std::string& columnMajor);

}  // namespace sudoku::site

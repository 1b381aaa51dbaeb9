// The site's puzzles: made by the project's generator, counted and rated by its solver; only the
// conversion to and from the site's row-by-row texts is done here.
#include "site/puzzle_maker.h"

#include <algorithm>

#include "solver/board.h"
#include "solver/generator.h"
#include "solver/solution_counter.h"

namespace sudoku::site {
namespace {

bool IsDigitText(const std::string& digits) {
  return digits.size() == 81 && digits.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

int CountSolutionsUpTo(const std::string& digits, int limit, std::string* solution) {
  if (!IsDigitText(digits)) return 0;
  CountState state;
  CountSolutions(BuildCandidates(GivensBoard(ValuesOfRowMajor(digits))), limit, state);
  if (solution != nullptr && state.NumSoluzioni > 0) *solution = RowMajorText(state.Soluzione);
  return state.NumSoluzioni;
}

int RateLevel(const std::string& digits) {
  if (!IsDigitText(digits)) return 1;
  return PuzzleLevel(MeasurePuzzle(ValuesOfRowMajor(digits)));
}

namespace {

MadePuzzle Made(const GeneratedPuzzle& generated, bool symmetric) {
  MadePuzzle made;
  made.Digits = RowMajorText(generated.givens);
  made.Solution = RowMajorText(generated.solution);
  made.Givens = int(81 - std::count(made.Digits.begin(), made.Digits.end(), '0'));
  made.Level = generated.level;
  made.Symmetric = symmetric;
  return made;
}

}  // namespace

MadePuzzle MakePuzzle(Random& random, bool symmetric, int targetGivens) {
  return Made(GeneratePuzzle(random, {targetGivens, symmetric}), symmetric);
}

MadePuzzle MakePuzzleOfLevel(Random& random, bool symmetric, int targetGivens, int level) {
  return Made(GeneratePuzzleOfLevel(random, level, {targetGivens, symmetric}), symmetric);
}

std::string RowsToColumns(const std::string& rowMajor) {
  std::string out(81, '0');
  for (int col = 0; col < 9; ++col)
    for (int row = 0; row < 9; ++row) out[col * 9 + row] = rowMajor[row * 9 + col];
  return out;
}

std::string ColumnsToRows(const std::string& columnMajor) {
  // The transposition is its own inverse.
  return RowsToColumns(columnMajor);
}

}  // namespace sudoku::site

// The value of a board cell, read from its text or its given digit.
#include "solver/board.h"

namespace sudoku {

namespace {

// A text holding exactly one digit character gives that digit; anything else counts as 0,
// which the solver treats as a contradiction when it has to place it.
int DigitOf(const std::string& text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
  return 0;
}

}  // namespace

int Board::ValoreCella(int col, int row) const {
  const std::string& text = Texts[CellIndex(col, row)];
  if (!text.empty()) return DigitOf(text);
  if (IsGiven(col, row)) {
    const std::string& code = Schema[CellIndex(col, row)];
    return code.size() >= 2 ? DigitOf(code.substr(1, 1)) : 0;
  }
  return 0;
}

}  // namespace sudoku

// The value of a board cell, read from its text or its given digit; boards and row texts of values.
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

Board GivensBoard(const std::array<std::int32_t, 81>& values) {
  Board board;
  for (int cell = 0; cell < 81; ++cell) {
    if (values[cell] > 0) board.Schema[cell] = "1" + std::to_string(values[cell]);
  }
  return board;
}

std::string RowMajorText(const std::array<std::int32_t, 81>& values) {
  std::string text;
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) text += char('0' + values[CellIndex(col, row)]);
  }
  return text;
}

std::array<std::int32_t, 81> ValuesOfRowMajor(std::string_view text) {
  std::array<std::int32_t, 81> values{};
  for (std::size_t i = 0; i < 81 && i < text.size(); ++i) {
    if (text[i] >= '1' && text[i] <= '9') values[CellIndex(int(i % 9), int(i / 9))] = text[i] - '0';
  }
  return values;
}

}  // namespace sudoku

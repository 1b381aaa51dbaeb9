// Test helpers: parsing boards from strings, describing grids, random valid solutions.
#include "test_grids.h"

#include <algorithm>
#include <numeric>

namespace sudoku::testing {

namespace {

int CharDigit(char ch) {
  return ch >= '1' && ch <= '9' ? ch - '0' : 0;
}

std::vector<int> Shuffled(int n, Random& random) {
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  for (int i = n - 1; i > 0; --i) std::swap(order[i], order[random.Next(0, i)]);
  return order;
}

}  // namespace

Board BoardOf(const std::string& text, bool asGivens) {
  Board board;
  for (int i = 0; i < 81; ++i) {
    const int digit = CharDigit(text[i]);
    if (digit == 0) continue;
    const int cell = CellIndex(i % 9, i / 9);
    if (asGivens)
      board.Schema[cell] = std::string("1") + text[i];
    else
      board.Texts[cell] = std::string(1, text[i]);
  }
  return board;
}

std::string Describe(const CandidateGrid& grid) {
  std::string text;
  for (int cell = 0; cell < 81; ++cell) text += grid.Cells[cell].Text() + "|";
  return text;
}

std::string Describe(const reference::Grid& grid) {
  std::string text;
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) text += grid.cell[c][r] + "|";
  }
  return text;
}

std::string RandomSolution(Random& random) {
  const std::vector<int> digits = Shuffled(9, random);
  const std::vector<int> bands = Shuffled(3, random), stacks = Shuffled(3, random);
  std::vector<int> rows, cols;
  for (int band : bands) {
    for (int k : Shuffled(3, random)) rows.push_back(band * 3 + k);
  }
  for (int stack : stacks) {
    for (int k : Shuffled(3, random)) cols.push_back(stack * 3 + k);
  }
  std::string text(81, '.');
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int pattern = (rows[r] * 3 + rows[r] / 3 + cols[c]) % 9;
      text[r * 9 + c] = char('1' + digits[pattern]);
    }
  }
  return text;
}

std::string RandomPartialFill(const std::string& solution, int keep, Random& random) {
  std::string text(81, '.');
  const std::vector<int> order = Shuffled(81, random);
  for (int i = 0; i < keep; ++i) text[order[i]] = solution[order[i]];
  return text;
}

}  // namespace sudoku::testing

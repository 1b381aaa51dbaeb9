// Reading and writing puzzles as text.
#include "play/puzzle_text.h"

#include <vector>

#include "solver/board.h"

namespace sudoku {
namespace {

bool IsBorderLine(const std::string& line) {
  bool any = false;
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == '\r') continue;
    if (c != '-' && c != '=' && c != '+') return false;
    any = true;
  }
  return any && line.find_first_of("+=") != std::string::npos;
}

}  // namespace

std::optional<Givens> ParsePuzzleText(const std::string& text, std::string* why) {
  std::vector<std::int32_t> cells;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (IsBorderLine(line)) continue;
    for (char c : line) {
      if (c == ' ' || c == '\t' || c == '\r' || c == '|' || c == '+') continue;
      if (c >= '1' && c <= '9') {
        cells.push_back(c - '0');
      } else if (c == '.' || c == '0' || c == '-') {
        cells.push_back(0);
      } else {
        if (why != nullptr) *why = std::string("character '") + c + "'";
        return std::nullopt;
      }
    }
  }
  if (cells.size() != 81) {
    if (why != nullptr) *why = std::to_string(cells.size()) + " cells";
    return std::nullopt;
  }
  Givens givens{};
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col)
      givens[CellIndex(col, row)] = cells[std::size_t(row * 9 + col)];
  }
  return givens;
}

std::optional<Givens> ParsePuzzleLine(const std::string& line) {
  return ParsePuzzleText(line.substr(0, line.find_first_of(" \t\r")));
}

std::string PuzzleLine(const Givens& givens) {
  std::string line;
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const std::int32_t value = givens[CellIndex(col, row)];
      line += value >= 1 && value <= 9 ? char('0' + value) : '.';
    }
  }
  return line;
}

}  // namespace sudoku

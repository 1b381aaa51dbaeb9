// The puzzle-line reader shared by the commands of sudoku-cli.
#include "puzzle_input.h"

#include <istream>
#include <ostream>
#include <streambuf>

namespace sudoku::cli {

namespace {

// The longest line kept; the rest of a longer one is read and dropped, so no input line is held
// whole in memory.
constexpr std::size_t kMaxLineLength = 4096;

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

void DropLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

// Reads one line without its "\n", keeping at most kMaxLineLength characters; tooLong tells
// whether more were dropped. False at the end of the stream when nothing was left to read.
bool ReadBoundedLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::streambuf* input = in.rdbuf();
  using Traits = std::streambuf::traits_type;
  int ch = input->sbumpc();
  if (ch == Traits::eof()) return false;
  for (; ch != Traits::eof() && ch != '\n'; ch = input->sbumpc()) {
    if (line.size() < kMaxLineLength) {
      line += Traits::to_char_type(ch);
    } else {
      tooLong = true;
    }
  }
  return true;
}

}  // namespace

bool IsSkippedLine(const std::string& line) {
  for (char ch : line) {
    if (!IsBlank(ch)) return ch == '#';
  }
  return true;
}

std::optional<PuzzleLine> ParsePuzzleLine(std::string line, std::string& why) {
  DropLineEnd(line);
  PuzzleLine puzzle;
  for (std::size_t i = 0; i < 81; ++i) {
    if (i >= line.size()) {
      why = "a puzzle needs 81 cells, this line has " + std::to_string(i);
      return std::nullopt;
    }
    const char ch = line[i];
    if (ch != '.' && (ch < '0' || ch > '9')) {
      why = "cell " + std::to_string(i + 1) + " is '" + std::string(1, ch) +
            "'; cells are 1-9, or . or 0 for an empty cell";
      return std::nullopt;
    }
    puzzle.values[(i % 9) * 9 + i / 9] = ch == '.' ? 0 : ch - '0';
  }
  if (line.size() > 81) {
    if (!IsBlank(line[81])) {
      why = "more than 81 cells, or text not separated from them by a space";
      return std::nullopt;
    }
    std::size_t start = 81;
    while (start < line.size() && IsBlank(line[start])) ++start;
    puzzle.rest = line.substr(start);
  }
  return puzzle;
}

int ForEachPuzzle(std::istream& in, std::ostream& err,
                  const std::function<void(const PuzzleLine&)>& onPuzzle) {
  int malformed = 0;
  std::string line;
  bool tooLong = false;
  for (int number = 1; ReadBoundedLine(in, line, tooLong); ++number) {
    if (IsSkippedLine(line)) continue;
    std::string why;
    std::optional<PuzzleLine> puzzle;
    if (tooLong) {
      why = "longer than " + std::to_string(kMaxLineLength) + " characters";
    } else {
      puzzle = ParsePuzzleLine(line, why);
    }
    if (!puzzle) {
      err << "sudoku-cli: line " << number << ": " << why << "\n";
      ++malformed;
      continue;
    }
    puzzle->lineNumber = number;
    onPuzzle(*puzzle);
  }
  return malformed;
}

Board EntriesBoard(const PuzzleLine& puzzle) {
  Board board;
  for (int cell = 0; cell < 81; ++cell) {
    if (puzzle.values[cell] > 0) board.Texts[cell] = std::to_string(puzzle.values[cell]);
  }
  return board;
}

}  // namespace sudoku::cli

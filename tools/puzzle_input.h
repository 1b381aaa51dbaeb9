// Reading puzzles from a text stream, one a line: 81 cells row by row ("." or "0" empty,
// "1".."9" a digit), optionally followed by whitespace and any text (a level, a name).
// Blank lines and lines beginning with "#" are skipped; CR LF line ends are accepted.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "solver/board.h"

namespace sudoku::cli {

struct PuzzleLine {
  int lineNumber = 0;
  std::array<std::int32_t, 81> values{};  // [col][row] (col * 9 + row), 0 = empty
  std::string rest;                       // what follows the cells and the whitespace
};

// The puzzle of one line, or nullopt with why set when the line is malformed. Blank and
// comment lines are not puzzles: callers skip them first (IsSkippedLine).
std::optional<PuzzleLine> ParsePuzzleLine(std::string line, std::string& why);
bool IsSkippedLine(const std::string& line);

// Calls onPuzzle for every puzzle of in, in order. A malformed line, one of more than 4096
// characters included, is reported on err as "sudoku-cli: line N: why" and skipped. Returns the
// number of malformed lines.
int ForEachPuzzle(std::istream& in, std::ostream& err,
                  const std::function<void(const PuzzleLine&)>& onPuzzle);

// The puzzle as a board of entered texts without givens, as a puzzle the user composed is (as
// a loaded puzzle, it is GivensBoard(puzzle.values)).
Board EntriesBoard(const PuzzleLine& puzzle);

}  // namespace sudoku::cli

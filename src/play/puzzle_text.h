// Puzzles as text, as players exchange them: 81 cells in a line or a 9 x 9 grid.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sudoku {

// The givens of a puzzle, [col][row], 0 = empty.
using Givens = std::array<std::int32_t, 81>;

// Reads a puzzle written row by row: digits 1-9 for givens and ".", "0" or "-" for empty
// cells, with any spaces and line breaks between them, and the "|" and "+" of a drawn grid;
// lines made only of "-", "=" and "+" (a grid's borders) are passed over. Exactly 81 cells are
// needed. On failure, why (when given) says what is wrong.
std::optional<Givens> ParsePuzzleText(const std::string& text, std::string* why = nullptr);

// The puzzle on one line: the first word of the line read as above (text after the first
// space or tab is a comment, as in the usual collections).
std::optional<Givens> ParsePuzzleLine(const std::string& line);

// 81 characters row by row, "." for an empty cell.
std::string PuzzleLine(const Givens& givens);

}  // namespace sudoku

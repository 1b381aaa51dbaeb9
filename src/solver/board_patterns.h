// The candidates of a plain board and the patterns that remove some of them (subsets, a box's
// digit on one line and back, a box pair against its band), each with what it removes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sudoku {

// A board's digits [col][row] (col * 9 + row), 0 = empty.
using BoardValues = std::array<std::int32_t, 81>;
// For every empty cell of a board the digits no cell of its column, row or box holds (bit d for
// digit d); 0 for a filled cell.
using BoardCandidates = std::array<std::uint16_t, 81>;

BoardCandidates CandidatesOfBoard(const BoardValues& values);

// Units are numbered as in the solver: 0-8 the columns, 9-17 the rows, 18-26 the boxes (box b
// covering columns 3 * (b / 3) on and rows 3 * (b % 3) on).
enum class PatternKind : std::int8_t {
  Subset,    // Cells of Unit hold between them only Digits, as many as they are: a pair,
             // triple or quad; Digits leave the rest of Unit
  Pointing,  // Digit's places in box Unit all lie on line Other: Digit leaves the rest of Other
  Claiming,  // Digit's places on line Unit all lie in box Other: Digit leaves the rest of Other
  BoxPair,   // the pair Cells of box Unit (candidates Digits, on two lines of its band) holds
             // Digit on those two lines, and box Other has no place for Digit on the band's
             // third line Line: so Digit of box Target, the band's third box, goes on Line
};

struct Pattern {
  PatternKind Kind = PatternKind::Subset;
  int Unit = -1, Other = -1, Target = -1, Line = -1;
  std::vector<int> Cells;    // ascending
  std::uint16_t Digits = 0;  // bit d for digit d
  int Digit = 0;
  bool operator==(const Pattern&) const = default;
};

// The candidates of a board less what the pattern removes.
BoardCandidates ApplyPattern(const Pattern& pattern, BoardCandidates candidates);

// Every pattern on candidates that removes at least one candidate, simplest kinds first:
// pairs, a box's digit on one line, a line's digit in one box, triples, box pairs, quads.
std::vector<Pattern> PatternsOf(const BoardCandidates& candidates);

}  // namespace sudoku

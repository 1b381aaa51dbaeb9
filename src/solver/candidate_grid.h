// The candidate grid: for every cell the set of digits still possible there, as a bit set.
// Its text form is the ascending digit string ("123456789", "5", "" for a contradiction).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "solver/board.h"

namespace sudoku {

// A set of digit characters '0'..'9'. '0' only ever appears when a 0 digit was placed,
// and then the text is "0".
class CandidateSet {
 public:
  static constexpr std::uint16_t kAllNine = 0x3FE;  // digits 1..9

  constexpr CandidateSet() = default;
  constexpr explicit CandidateSet(std::uint16_t bits) : bits_(bits) {}
  static constexpr CandidateSet Single(int digit) {
    return CandidateSet(std::uint16_t(1u << digit));
  }

  constexpr std::uint16_t Bits() const { return bits_; }
  constexpr bool Has(int digit) const { return (bits_ >> digit) & 1u; }
  int Size() const;
  std::string Text() const;  // the digits in ascending order
  constexpr bool operator==(const CandidateSet&) const = default;

 private:
  std::uint16_t bits_ = 0;
};

struct CandidateGrid {
  std::array<CandidateSet, 81> Cells;  // [col][row], see CellIndex

  static CandidateGrid Full();  // every cell "123456789"
  CandidateSet& At(int col, int row) { return Cells[CellIndex(col, row)]; }
  const CandidateSet& At(int col, int row) const { return Cells[CellIndex(col, row)]; }
  std::string Text(int col, int row) const { return At(col, row).Text(); }
  bool operator==(const CandidateGrid&) const = default;
};

// Box of a cell, 0..8, numbered down the columns of boxes (box 1 = columns 0-2 x rows 3-5).
int BoxOfCell(int col, int row);
// Cell at position k (0..8, column-major inside the box) of box b (0..8): {col, row}.
std::array<int, 2> CellOfBox(int box, int k);

}  // namespace sudoku

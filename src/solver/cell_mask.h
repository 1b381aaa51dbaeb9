// A set of the 81 cells as two machine words, for tests over many cells at once.
#pragma once

#include <bit>
#include <cstdint>

namespace sudoku::engine {

// Bit i of lo for cells 0..63, bit i - 64 of hi for cells 64..80.
struct CellMask {
  std::uint64_t lo = 0, hi = 0;

  static constexpr CellMask All() { return {~std::uint64_t(0), (std::uint64_t(1) << 17) - 1}; }
  constexpr void Add(int cell) { (cell < 64 ? lo : hi) |= std::uint64_t(1) << (cell & 63); }
  constexpr void Remove(int cell) { (cell < 64 ? lo : hi) &= ~(std::uint64_t(1) << (cell & 63)); }
  constexpr bool Has(int cell) const { return ((cell < 64 ? lo : hi) >> (cell & 63)) & 1u; }
  constexpr CellMask operator&(const CellMask& other) const {
    return {lo & other.lo, hi & other.hi};
  }
  constexpr CellMask operator|(const CellMask& other) const {
    return {lo | other.lo, hi | other.hi};
  }
  constexpr CellMask operator~() const { return {~lo, ~hi & All().hi}; }
  constexpr bool Empty() const { return (lo | hi) == 0; }
  constexpr bool operator==(const CellMask&) const = default;
  int Lowest() const { return lo != 0 ? std::countr_zero(lo) : 64 + std::countr_zero(hi); }
  void DropLowest() { lo != 0 ? lo &= lo - 1 : hi &= hi - 1; }
  // How many cells it holds: a word-parallel count, since the portable popcount is a library
  // call on the baseline instruction set.
  constexpr int Count() const { return CountBits(lo) + CountBits(hi); }
  static constexpr int CountBits(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return int((x * 0x0101010101010101u) >> 56);
  }
  // Whether it holds at least n cells.
  bool AtLeast(int n) const {
    CellMask rest = *this;
    for (int k = 1; k < n && !rest.Empty(); ++k) rest.DropLowest();
    return !rest.Empty();
  }
  // Its cells from first (0..81) up.
  CellMask From(int first) const {
    if (first >= 64) return {0, hi & (~std::uint64_t(0) << (first - 64))};
    return {lo & (~std::uint64_t(0) << first), hi};
  }
};

}  // namespace sudoku::engine

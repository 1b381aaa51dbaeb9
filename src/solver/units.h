// The 27 units of the grid as tables of cell indices (col * 9 + row), shared by the placement
// passes and the fast search. Units 0-8 are the columns, 9-17 the rows, 18-26 the boxes.
#pragma once

#include <array>
#include <cstdint>

namespace sudoku::units {

using Unit = std::array<std::uint8_t, 9>;

inline constexpr int kColumns = 0, kRows = 9, kBoxes = 18;

constexpr std::array<Unit, 27> MakeUnits() {
  std::array<Unit, 27> all{};
  for (int u = 0; u < 9; ++u) {
    for (int k = 0; k < 9; ++k) {
      all[kColumns + u][k] = std::uint8_t(u * 9 + k);
      all[kRows + u][k] = std::uint8_t(k * 9 + u);
      all[kBoxes + u][k] = std::uint8_t((3 * (u / 3) + k / 3) * 9 + 3 * (u % 3) + k % 3);
    }
  }
  return all;
}

inline constexpr std::array<Unit, 27> kUnits = MakeUnits();

// The 20 other cells that share a column, a row or a box with each cell.
constexpr std::array<std::array<std::uint8_t, 20>, 81> MakePeers() {
  std::array<std::array<std::uint8_t, 20>, 81> peers{};
  for (int cell = 0; cell < 81; ++cell) {
    const int col = cell / 9, row = cell % 9;
    int n = 0;
    for (int other = 0; other < 81; ++other) {
      const int c = other / 9, r = other % 9;
      const bool shares = c == col || r == row || (c / 3 == col / 3 && r / 3 == row / 3);
      if (other != cell && shares) peers[cell][n++] = std::uint8_t(other);
    }
  }
  return peers;
}

inline constexpr std::array<std::array<std::uint8_t, 20>, 81> kPeers = MakePeers();

// Number of digits in a candidate bit set (bits 0..9): a table, since the portable popcount
// is a library call on the baseline instruction set.
constexpr std::array<std::uint8_t, 1024> MakeSetSizes() {
  std::array<std::uint8_t, 1024> sizes{};
  for (int set = 1; set < 1024; ++set) sizes[set] = std::uint8_t(sizes[set >> 1] + (set & 1));
  return sizes;
}

inline constexpr std::array<std::uint8_t, 1024> kSetSizes = MakeSetSizes();

inline int SetSize(std::uint16_t set) {
  return kSetSizes[set & 1023u];
}

}  // namespace sudoku::units

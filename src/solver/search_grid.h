// The counter's search state: candidate bit sets with singles propagation that rescans only the
// units whose cells changed since their last scan.
#pragma once

#include <array>
#include <cstdint>

#include "solver/cell_mask.h"

namespace sudoku::engine {

struct SearchGrid {
  std::array<std::uint16_t, 81> cells{};   // [col][row], bit d = digit d possible
  std::uint32_t dirty = 0;                 // units (bit per unit, see units.h) not yet scanned
  std::array<std::uint16_t, 27> placed{};  // digits assigned in each unit
  std::array<CellMask, 10> where{};        // where[d]: the cells whose set holds bit d

  // Makes cell the single bit (one of its candidates) and removes bit from its peers, then the
  // digit of every peer left single from its own peers, and so on. False when a cell is left
  // without a candidate; the grid is then unusable.
  bool Assign(int cell, std::uint16_t bit);
  // Hidden singles in the dirty units until none is dirty. False on a unit where some digit has
  // no place left.
  bool Propagate();
  // Propagate, then locked candidates (a digit confined to one line within a box leaves the
  // rest of the line, one confined to one box within a line leaves the rest of the box) once,
  // and Propagate again when they removed anything.
  bool PropagateWithLocks();
  // A cell with the fewest candidates above one (of those with two, the one with the most open
  // peers); -1 when no cell has more than one. Only after a successful Propagate.
  int FewestCell() const;
  // How many cells are assigned.
  int Determined() const;

 private:
  // One round of locked candidates over every box and line; changed tells whether any
  // candidate went. False when a cell is left without a candidate.
  bool LockedCandidates(bool& changed);
  // Removes bits from the cell; a cell left single is assigned after the round.
  bool Strip(int cell, std::uint16_t bits, std::uint8_t* singles, int& count);
};

// The grid of start (digits 1..9 only) with every single cell assigned, or false when start
// admits no complete grid by those eliminations alone.
bool StartGrid(const std::array<std::uint16_t, 81>& start, SearchGrid& grid);

}  // namespace sudoku::engine

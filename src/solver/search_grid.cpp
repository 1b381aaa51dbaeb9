// Singles propagation of the counter's search: naked singles through the peer table, hidden
// singles per unit, both driven by the set of units whose cells changed.
#include "solver/search_grid.h"

#include <bit>

#include "solver/units.h"

namespace sudoku::engine {

namespace {

constexpr std::uint16_t kDigitBits = 0x3FE;

constexpr std::array<std::uint32_t, 81> MakeCellUnits() {
  std::array<std::uint32_t, 81> masks{};
  for (int unit = 0; unit < 27; ++unit) {
    for (std::uint8_t cell : units::kUnits[unit]) masks[cell] |= 1u << unit;
  }
  return masks;
}

// The three units of every cell, as a unit bit set.
constexpr std::array<std::uint32_t, 81> kCellUnits = MakeCellUnits();

bool IsSingle(std::uint16_t set) {
  return (set & (set - 1)) == 0;
}

}  // namespace

bool SearchGrid::Assign(int first, std::uint16_t bit) {
  std::uint8_t pending[81];
  int top = 0;
  cells[first] = bit;
  dirty |= kCellUnits[first];
  pending[top++] = std::uint8_t(first);
  while (top > 0) {
    const int cell = pending[--top];
    const std::uint16_t placed = cells[cell];
    for (std::uint8_t peer : units::kPeers[cell]) {
      std::uint16_t& set = cells[peer];
      if (!(set & placed)) continue;
      set &= std::uint16_t(~placed);
      if (set == 0) return false;
      dirty |= kCellUnits[peer];
      if (IsSingle(set)) pending[top++] = peer;
    }
  }
  return true;
}

bool SearchGrid::Propagate() {
  while (dirty != 0) {
    const units::Unit& unit = units::kUnits[std::countr_zero(dirty)];
    dirty &= dirty - 1;
    std::uint16_t once = 0, twice = 0, solved = 0;
    for (std::uint8_t cell : unit) {
      const std::uint16_t set = cells[cell];
      twice |= once & set;
      once |= set;
      if (IsSingle(set)) solved |= set;
    }
    if (once != kDigitBits) return false;
    for (std::uint16_t hidden = once & ~twice & ~solved; hidden != 0; hidden &= hidden - 1) {
      const std::uint16_t bit = std::uint16_t(hidden & -hidden);
      int target = -1;
      for (std::uint8_t cell : unit) {
        if (cells[cell] & bit) target = cell;
      }
      // An earlier hidden single of this unit may have taken the digit's only place.
      if (target < 0) return false;
      if (!IsSingle(cells[target]) && !Assign(target, bit)) return false;
    }
  }
  return true;
}

bool SearchGrid::Strip(int cell, std::uint16_t bits, std::uint8_t* singles, int& count) {
  std::uint16_t& set = cells[cell];
  if (!(set & bits)) return true;
  const bool wasSingle = IsSingle(set);
  set &= std::uint16_t(~bits);
  if (set == 0) return false;
  dirty |= kCellUnits[cell];
  if (!wasSingle && IsSingle(set)) singles[count++] = std::uint8_t(cell);
  return true;
}

bool SearchGrid::LockedCandidates(bool& changed) {
  // Segments: the three cells a line shares with a box. byRows[row][stack], byCols[col][band].
  std::uint16_t byRows[9][3], byCols[9][3];
  for (int line = 0; line < 9; ++line) {
    for (int third = 0; third < 3; ++third) {
      const int rowCell = 3 * third * 9 + line, colCell = line * 9 + 3 * third;
      byRows[line][third] = cells[rowCell] | cells[rowCell + 9] | cells[rowCell + 18];
      byCols[line][third] = cells[colCell] | cells[colCell + 1] | cells[colCell + 2];
    }
  }
  std::uint8_t singles[81];
  int count = 0;
  for (int byColumn = 0; byColumn < 2; ++byColumn) {
    auto& segments = byColumn ? byCols : byRows;
    // Cell k (0..2) of the segment of line at third.
    auto cellOf = [byColumn](int line, int third, int k) {
      return byColumn ? line * 9 + 3 * third + k : (3 * third + k) * 9 + line;
    };
    for (int line = 0; line < 9; ++line) {
      const int first = line - line % 3;  // the box's lines are first..first + 2
      for (int third = 0; third < 3; ++third) {
        const std::uint16_t segment = segments[line][third];
        std::uint16_t boxRest = 0, lineRest = 0;
        for (int k = 0; k < 3; ++k) {
          if (first + k != line) boxRest |= segments[first + k][third];
          if (k != third) lineRest |= segments[line][k];
        }
        const std::uint16_t pointing = segment & ~boxRest, claiming = segment & ~lineRest;
        if (!(pointing & lineRest) && !(claiming & boxRest)) continue;
        for (int other = 0; other < 3; ++other) {
          for (int k = 0; k < 3; ++k) {
            if (other != third && !Strip(cellOf(line, other, k), pointing, singles, count)) {
              return false;
            }
            if (first + other != line &&
                !Strip(cellOf(first + other, third, k), claiming, singles, count)) {
              return false;
            }
          }
        }
        changed = true;
      }
    }
  }
  for (int k = 0; k < count; ++k) {
    if (!Assign(singles[k], cells[singles[k]])) return false;
  }
  return true;
}

bool SearchGrid::PropagateWithLocks() {
  for (;;) {
    if (!Propagate()) return false;
    bool changed = false;
    if (!LockedCandidates(changed)) return false;
    if (!changed) return true;
  }
}

bool StartGrid(const std::array<std::uint16_t, 81>& start, SearchGrid& grid) {
  for (int cell = 0; cell < 81; ++cell) {
    grid.cells[cell] = start[cell] & kDigitBits;
    if (grid.cells[cell] == 0) return false;
  }
  grid.dirty = (1u << 27) - 1;
  for (int cell = 0; cell < 81; ++cell) {
    const std::uint16_t set = grid.cells[cell];
    if (IsSingle(set) && !grid.Assign(cell, set)) return false;
  }
  return true;
}

}  // namespace sudoku::engine

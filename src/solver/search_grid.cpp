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

// The box unit (18..26) of every cell.
constexpr std::array<std::uint8_t, 81> MakeBoxOf() {
  std::array<std::uint8_t, 81> boxes{};
  for (int cell = 0; cell < 81; ++cell)
    boxes[cell] = std::uint8_t(18 + 3 * (cell / 27) + (cell % 9) / 3);
  return boxes;
}

constexpr std::array<std::uint8_t, 81> kBoxOf = MakeBoxOf();

constexpr std::array<CellMask, 81> MakePeerMasks() {
  std::array<CellMask, 81> masks{};
  for (int cell = 0; cell < 81; ++cell) {
    for (std::uint8_t peer : units::kPeers[cell]) masks[cell].Add(peer);
  }
  return masks;
}

constexpr std::array<CellMask, 81> kPeerMasks = MakePeerMasks();

bool IsSingle(std::uint16_t set) {
  return (set & (set - 1)) == 0;
}

// The three cells a line shares with a box, with the two other segments of its line and the
// two other segments of its box that lie along the same direction.
struct Segment {
  std::array<std::uint8_t, 3> cells;
  std::array<std::uint8_t, 2> lineMates, boxMates;
};

// Segments 0-26 lie along rows (row * 3 + stack), 27-53 along columns (27 + col * 3 + band).
constexpr std::array<Segment, 54> MakeSegments() {
  std::array<Segment, 54> all{};
  for (int byColumn = 0; byColumn < 2; ++byColumn) {
    for (int line = 0; line < 9; ++line) {
      for (int third = 0; third < 3; ++third) {
        Segment& segment = all[27 * byColumn + line * 3 + third];
        for (int k = 0; k < 3; ++k) {
          segment.cells[k] =
              std::uint8_t(byColumn ? line * 9 + 3 * third + k : (3 * third + k) * 9 + line);
        }
        for (int other = 0, n = 0; other < 3; ++other) {
          if (other != third)
            segment.lineMates[n++] = std::uint8_t(27 * byColumn + line * 3 + other);
        }
        const int first = line - line % 3;
        for (int other = first, n = 0; other < first + 3; ++other) {
          if (other != line)
            segment.boxMates[n++] = std::uint8_t(27 * byColumn + other * 3 + third);
        }
      }
    }
  }
  return all;
}

constexpr std::array<Segment, 54> kSegments = MakeSegments();

}  // namespace

bool SearchGrid::Assign(int first, std::uint16_t bit) {
  std::uint8_t pending[81];
  int top = 0;
  for (std::uint16_t gone = cells[first] & ~bit; gone != 0; gone &= gone - 1)
    where[std::countr_zero(gone)].Remove(first);
  cells[first] = bit;
  dirty |= kCellUnits[first];
  pending[top++] = std::uint8_t(first);
  while (top > 0) {
    const int cell = pending[--top];
    const std::uint16_t placedBit = cells[cell];
    const int col = cell / 9, row = cell % 9;
    placed[col] |= placedBit;
    placed[9 + row] |= placedBit;
    placed[kBoxOf[cell]] |= placedBit;
    // Only the peers that hold the digit.
    CellMask& places = where[std::countr_zero(placedBit)];
    CellMask hits = places & kPeerMasks[cell];
    places = places & ~hits;
    for (; !hits.Empty(); hits.DropLowest()) {
      const int peer = hits.Lowest();
      std::uint16_t& set = cells[peer];
      set &= std::uint16_t(~placedBit);
      if (set == 0) return false;
      dirty |= kCellUnits[peer];
      if (IsSingle(set)) pending[top++] = std::uint8_t(peer);
    }
  }
  return true;
}

bool SearchGrid::Propagate() {
  while (dirty != 0) {
    const int index = std::countr_zero(dirty);
    const units::Unit& unit = units::kUnits[index];
    dirty &= dirty - 1;
    std::uint16_t once = 0, twice = 0;
    for (std::uint8_t cell : unit) {
      const std::uint16_t set = cells[cell];
      twice |= once & set;
      once |= set;
    }
    if (once != kDigitBits) return false;
    // Every single cell has been assigned, so the digits of the unit's single cells are placed.
    for (std::uint16_t hidden = once & ~twice & ~placed[index]; hidden != 0; hidden &= hidden - 1) {
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
  for (std::uint16_t gone = set & bits; gone != 0; gone &= gone - 1)
    where[std::countr_zero(gone)].Remove(cell);
  set &= std::uint16_t(~bits);
  if (set == 0) return false;
  dirty |= kCellUnits[cell];
  if (!wasSingle && IsSingle(set)) singles[count++] = std::uint8_t(cell);
  return true;
}

bool SearchGrid::LockedCandidates(bool& changed) {
  std::array<std::uint16_t, 54> digits;  // of each segment
  for (int segment = 0; segment < 54; ++segment) {
    const auto& cell = kSegments[segment].cells;
    digits[segment] = cells[cell[0]] | cells[cell[1]] | cells[cell[2]];
  }
  std::uint8_t singles[81];
  int count = 0;
  for (int segment = 0; segment < 54; ++segment) {
    const Segment& at = kSegments[segment];
    const std::uint16_t here = digits[segment];
    const std::uint16_t lineRest = digits[at.lineMates[0]] | digits[at.lineMates[1]];
    const std::uint16_t boxRest = digits[at.boxMates[0]] | digits[at.boxMates[1]];
    // Digits of the segment absent from the rest of the box leave the rest of the line, and
    // the other way round.
    const std::uint16_t pointing = here & ~boxRest & lineRest;
    const std::uint16_t claiming = here & ~lineRest & boxRest;
    if ((pointing | claiming) == 0) continue;
    changed = true;
    for (int mate = 0; mate < 2; ++mate) {
      for (std::uint8_t cell : kSegments[at.lineMates[mate]].cells) {
        if (!Strip(cell, pointing, singles, count)) return false;
      }
      for (std::uint8_t cell : kSegments[at.boxMates[mate]].cells) {
        if (!Strip(cell, claiming, singles, count)) return false;
      }
    }
  }
  for (int k = 0; k < count; ++k) {
    if (!Assign(singles[k], cells[singles[k]])) return false;
  }
  return true;
}

bool SearchGrid::PropagateWithLocks() {
  if (!Propagate()) return false;
  bool changed = false;
  if (!LockedCandidates(changed)) return false;
  return !changed || Propagate();
}

int SearchGrid::FewestCell() const {
  // Cells holding at least one, two, three and four digits, from the cells of each digit.
  CellMask one, two, three, four;
  for (int d = 1; d <= 9; ++d) {
    const CellMask& places = where[d];
    four = four | (three & places);
    three = three | (two & places);
    two = two | (one & places);
    one = one | places;
  }
  if (two.Empty()) return -1;
  if (CellMask pairs = two & ~three; !pairs.Empty()) {
    // Of these, the one with the most open peers (the last such in column-major order): its
    // digit tells the most to the rest of the grid. On the hardest public sets this halves the
    // trials against taking the first.
    int best = -1, most = -1;
    for (; !pairs.Empty(); pairs.DropLowest()) {
      const int cell = pairs.Lowest();
      const int degree = (kPeerMasks[cell] & two).Count();
      if (degree >= most) {
        best = cell;
        most = degree;
      }
    }
    return best;
  }
  if (const CellMask triples = three & ~four; !triples.Empty()) return triples.Lowest();
  int branch = -1, fewest = 10;
  for (int cell = 0; cell < 81; ++cell) {
    const int size = units::SetSize(cells[cell]);
    if (size > 1 && size < fewest) {
      branch = cell;
      fewest = size;
    }
  }
  return branch;
}

int SearchGrid::Determined() const {
  int count = 0;
  for (int col = 0; col < 9; ++col) count += units::SetSize(placed[col]);
  return count;
}

bool StartGrid(const std::array<std::uint16_t, 81>& start, SearchGrid& grid) {
  // Every digit everywhere, less the digits each cell lacks: few cells lack any at the start.
  for (int d = 1; d <= 9; ++d) grid.where[d] = CellMask::All();
  for (int cell = 0; cell < 81; ++cell) {
    grid.cells[cell] = start[cell] & kDigitBits;
    if (grid.cells[cell] == 0) return false;
    for (std::uint16_t lacks = kDigitBits & ~grid.cells[cell]; lacks != 0; lacks &= lacks - 1)
      grid.where[std::countr_zero(lacks)].Remove(cell);
  }
  grid.dirty = (1u << 27) - 1;
  for (int cell = 0; cell < 81; ++cell) {
    const std::uint16_t set = grid.cells[cell];
    if (IsSingle(set) && !grid.Assign(cell, set)) return false;
  }
  return true;
}

}  // namespace sudoku::engine

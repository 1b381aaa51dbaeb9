// PlaceDigit: the placed digit's eliminations and the logical passes, on bit sets. Each pass
// keeps the loop order of the string algorithm it stands for (units, positions, early exits and
// resets), because later passes and the step records see every intermediate grid.
#include "solver/place_digit.h"

#include <bit>

#include "solver/placement_engine.h"
#include "solver/units.h"

namespace sudoku::engine {

namespace {

using units::kBoxes;
using units::kColumns;
using units::kRows;
using units::kUnits;
using units::Unit;

constexpr std::uint16_t kDigitBits = CandidateSet::kAllNine;

int Size(std::uint16_t set) { return units::SetSize(set); }

int SizedInUnit(const Cells& w, const Unit& unit, int size) {
  int n = 0;
  for (std::uint8_t cell : unit) n += Size(w[cell]) == size;
  return n;
}

// Removes bits from every position of the unit whose bit is clear in keep.
void RemoveOutside(Cells& w, const Unit& unit, std::uint16_t bits, unsigned keep) {
  for (int k = 0; k < 9; ++k) {
    if (!((keep >> k) & 1u)) w[unit[k]] &= std::uint16_t(~bits);
  }
}

// Pass 2: two equal two-digit cells clear their digits from the rest of the unit.
void NakedPairs(Cells& w, const Unit& u) {
  if (SizedInUnit(w, u, 2) < 2) return;  // without a pair nothing is ever removed
  for (int i = 0; i < 8; ++i) {
    const std::uint16_t pair = w[u[i]];
    if (Size(pair) != 2) continue;
    for (int j = i + 1; j < 9; ++j) {
      if (w[u[j]] != pair) continue;
      RemoveOutside(w, u, pair, (1u << i) | (1u << j));
      break;
    }
  }
}

// Pass 3: three identical three-digit cells clear their digits from the rest of the unit.
void IdenticalTriples(Cells& w, const Unit& u) {
  if (SizedInUnit(w, u, 3) < 3) return;
  for (int i = 0; i < 7; ++i) {
    if (Size(w[u[i]]) != 3) continue;
    for (int j = i + 1; j < 8; ++j) {
      if (w[u[j]] != w[u[i]]) continue;
      for (int m = j + 1; m < 9; ++m) {
        if (w[u[m]] != w[u[i]]) continue;
        RemoveOutside(w, u, w[u[i]], (1u << i) | (1u << j) | (1u << m));
        break;
      }
    }
  }
}

// Pass 4: a two-digit cell inside two identical three-digit cells removes their third digit.
void PairInsideTriple(Cells& w, const Unit& u) {
  if (SizedInUnit(w, u, 2) < 1 || SizedInUnit(w, u, 3) < 2) return;
  for (int p = 0; p < 9; ++p) {
    const std::uint16_t pair = w[u[p]];
    if (Size(pair) != 2) continue;
    for (int i = 0; i < 8; ++i) {
      const std::uint16_t triple = w[u[i]];
      if (Size(triple) != 3 || (triple & pair) != pair) continue;
      for (int j = i + 1; j < 9; ++j) {
        if (w[u[j]] != triple) continue;
        RemoveOutside(w, u, std::uint16_t(triple & ~pair), (1u << i) | (1u << j) | (1u << p));
        break;
      }
    }
  }
}

// Digits that occur in exactly one cell of the unit, that cell holding other digits too (a
// digit whose only cell is already determined needs nothing).
std::uint16_t DigitsSeenOnce(const Cells& w, const Unit& u) {
  std::uint16_t once = 0, twice = 0, determined = 0;
  for (std::uint8_t cell : u) {
    const std::uint16_t set = w[cell];
    twice |= once & set;
    once |= set;
    if ((set & (set - 1)) == 0) determined |= set;
  }
  return std::uint16_t(once & ~twice & ~determined & kDigitBits);
}

// Pass 5: a digit with a single place in the unit becomes that cell's only candidate. Digits
// are taken in ascending order and each sees the cells as the smaller ones left them.
void HiddenSingles(Cells& w, const Unit& u) {
  std::uint16_t once = DigitsSeenOnce(w, u);
  while (once != 0) {
    const int n = std::countr_zero(once);
    const std::uint16_t bit = std::uint16_t(1u << n);
    for (std::uint8_t cell : u) {
      if (!(w[cell] & bit)) continue;
      if (Size(w[cell]) > 1) {
        w[cell] = bit;
        once = DigitsSeenOnce(w, u);
      }
      break;
    }
    once &= std::uint16_t(~((2u << n) - 1u));
  }
}

// One cell of a box pair against its band: the two other boxes of the band (ascending) and the
// line of box b that holds neither pair cell. Lines are columns (sweep A) or rows (sweep B).
struct BandGeometry {
  bool byColumns;
  int CellAt(int box, int line, int k) const {  // k-th cell of box on line
    return byColumns ? line * 9 + 3 * (box % 3) + k : (3 * (box / 3) + k) * 9 + line;
  }
  int LineOf(int cell) const { return byColumns ? cell / 9 : cell % 9; }
  int BandMate(int box, int n) const {  // the n-th (0, 1) other box sharing box's lines
    int found = 0;
    for (int k = 0; k < 3; ++k) {
      const int other = byColumns ? 3 * (box / 3) + k : box % 3 + 3 * k;
      if (other != box && found++ == n) return other;
    }
    return box;
  }
};

bool LineHolds(const Cells& w, const BandGeometry& g, int box, int line, std::uint16_t bit) {
  for (int k = 0; k < 3; ++k) {
    if (w[g.CellAt(box, line, k)] & bit) return true;
  }
  return false;
}

void RemoveFromLines(Cells& w, const BandGeometry& g, int box, int lineA, int lineB,
                     std::uint16_t bit) {
  for (int k = 0; k < 3; ++k) {
    w[g.CellAt(box, lineA, k)] &= std::uint16_t(~bit);
    w[g.CellAt(box, lineB, k)] &= std::uint16_t(~bit);
  }
}

void BoxPairAgainstBand(Cells& w, const BandGeometry& g, int b, int cellI, int cellJ) {
  const int lineI = g.LineOf(cellI), lineJ = g.LineOf(cellJ);
  if (lineI == lineJ) return;
  const int base = lineI - lineI % 3;
  const int third = base + 3 - lineI % 3 - lineJ % 3;
  const int p = g.BandMate(b, 0), q = g.BandMate(b, 1);
  const std::uint16_t pair = w[cellI];
  const std::uint16_t d1 = std::uint16_t(pair & -pair), d2 = std::uint16_t(pair & ~d1);
  const bool pLacksD1 = !LineHolds(w, g, p, third, d1);
  const bool pLacksD2 = !LineHolds(w, g, p, third, d2);
  if (pLacksD1) RemoveFromLines(w, g, q, lineI, lineJ, d1);
  if (pLacksD2) RemoveFromLines(w, g, q, lineI, lineJ, d2);
  if (!LineHolds(w, g, q, third, d1)) RemoveFromLines(w, g, p, lineI, lineJ, d1);
  if (!LineHolds(w, g, q, third, d2)) RemoveFromLines(w, g, p, lineI, lineJ, d2);
}

// Pass 6, one sweep: every equal two-digit pair of a box on two different lines.
void BoxPairSweep(Cells& w, bool byColumns) {
  const BandGeometry g{byColumns};
  for (int b = 0; b < 9; ++b) {
    const Unit& box = kUnits[kBoxes + b];
    if (SizedInUnit(w, box, 2) < 2) continue;  // the sweep of box b changes only other boxes
    for (int i = 0; i < 8; ++i) {
      for (int j = i + 1; j < 9; ++j) {
        if (Size(w[box[i]]) == 2 && w[box[j]] == w[box[i]]) {
          BoxPairAgainstBand(w, g, b, box[i], box[j]);
        }
      }
    }
  }
}

// Pass 7: two identical three-digit cells inside two identical four-digit cells clear the four
// digits from the rest of the unit. Every combination is tried.
void SpecialQuad(Cells& w, const Unit& u) {
  if (SizedInUnit(w, u, 3) < 2 || SizedInUnit(w, u, 4) < 2) return;
  for (int p = 0; p < 8; ++p) {
    if (Size(w[u[p]]) != 3) continue;
    for (int q = p + 1; q < 9; ++q) {
      if (w[u[q]] != w[u[p]]) continue;
      for (int i = 0; i < 8; ++i) {
        if (Size(w[u[i]]) != 4) continue;
        for (int j = i + 1; j < 9; ++j) {
          if (w[u[j]] != w[u[i]] || (w[u[p]] & ~w[u[i]]) != 0) continue;
          RemoveOutside(w, u, w[u[i]], (1u << p) | (1u << q) | (1u << i) | (1u << j));
        }
      }
    }
  }
}

template <typename Pass>
void ForUnits(Cells& w, int first, Pass pass) {
  for (int unit = first; unit < first + 9; ++unit) pass(w, kUnits[unit]);
}

// How many cells hold each number of candidates. A pass removes nothing unless its pattern is
// somewhere in the grid when it starts, so a pass whose pattern cannot be there is skipped.
struct SizeCounts {
  std::array<int, 11> cells{};
  explicit SizeCounts(const Cells& w) {
    for (std::uint16_t set : w) ++cells[Size(set)];
  }
  int Open() const { return 81 - cells[0] - cells[1]; }
};

}  // namespace

PlacementContext MakeContext(const Board& board, StepLog* steps) {
  PlacementContext context;
  for (int cell = 0; cell < 81; ++cell) context.given[cell] = board.IsGiven(cell / 9, cell % 9);
  context.board = &board;
  context.steps = steps;
  return context;
}

Cells ToCells(const CandidateGrid& grid) {
  Cells cells;
  for (int i = 0; i < 81; ++i) cells[i] = grid.Cells[i].Bits();
  return cells;
}

CandidateGrid ToGrid(const Cells& cells) {
  CandidateGrid grid;
  for (int i = 0; i < 81; ++i) grid.Cells[i] = CandidateSet(cells[i]);
  return grid;
}

Cells Place(const Cells& input, int cell, bool full, int digit, const PlacementContext& context) {
  if (digit < 0 || digit > 9) digit = 0;
  const std::uint16_t placed = std::uint16_t(1u << digit);
  Cells w = input;
  auto reset = [&] { w[cell] = placed; };

  for (std::uint8_t peer : units::kPeers[cell]) w[peer] &= std::uint16_t(~placed);
  reset();
  // Sizes are counted again only after a pass that changed the grid.
  SizeCounts sizes(w);
  Cells seen = w;
  auto recount = [&] {
    if (w == seen) return;
    sizes = SizeCounts(w);
    seen = w;
  };
  if (sizes.cells[2] >= 2) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, NakedPairs);
      reset();
    }
    recount();
  }
  if (sizes.cells[3] >= 3) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, IdenticalTriples);
      reset();
    }
    recount();
  }
  if (!full) return w;
  if (sizes.cells[2] >= 1 && sizes.cells[3] >= 2) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, PairInsideTriple);
      reset();
    }
    recount();
  }
  if (sizes.Open() > 0) {
    for (int kind : {kColumns, kRows, kBoxes}) ForUnits(w, kind, HiddenSingles);
    recount();
  }
  if (sizes.cells[2] >= 2) {
    BoxPairSweep(w, true);
    BoxPairSweep(w, false);
    reset();
    recount();
  }
  if (sizes.cells[3] >= 2 && sizes.cells[4] >= 2) {
    for (int kind : {kColumns, kRows}) {
      ForUnits(w, kind, SpecialQuad);
      reset();
    }
  }
  // Pass 8: place every non-given cell that became determined, scanning on with the grid as
  // each nested placement leaves it.
  for (int found = 0; found < 81; ++found) {
    if (Size(w[found]) != 1 || Size(input[found]) <= 1 || found == cell) continue;
    if (context.given[found]) continue;
    const int e = std::countr_zero(w[found]);
    if (context.steps != nullptr && context.steps->PassoPasso) {
      context.steps->RecordStep(*context.board, found / 9, found % 9, ToGrid(w), e);
    }
    w = Place(w, found, true, e, context);
  }
  return w;
}

}  // namespace sudoku::engine

namespace sudoku {

CandidateGrid PlaceDigit(const CandidateGrid& grid, int col, int row, PlaceMode mode, int digit,
                         const Board& board, StepLog* steps) {
  const engine::PlacementContext context = engine::MakeContext(board, steps);
  return engine::ToGrid(engine::Place(engine::ToCells(grid), CellIndex(col, row),
                                      mode == PlaceMode::Full, digit, context));
}

}  // namespace sudoku

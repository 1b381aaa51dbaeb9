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

int Size(std::uint16_t set) {
  return units::SetSize(set);
}

constexpr std::array<CellMask, 27> MakeUnitMasks() {
  std::array<CellMask, 27> masks{};
  for (int unit = 0; unit < 27; ++unit) {
    for (std::uint8_t cell : kUnits[unit]) {
      (cell < 64 ? masks[unit].lo : masks[unit].hi) |= std::uint64_t(1) << (cell & 63);
    }
  }
  return masks;
}

constexpr std::array<CellMask, 27> kUnitMasks = MakeUnitMasks();

constexpr std::array<std::uint32_t, 81> MakeCellUnits() {
  std::array<std::uint32_t, 81> masks{};
  for (int unit = 0; unit < 27; ++unit) {
    for (std::uint8_t cell : kUnits[unit]) masks[cell] |= 1u << unit;
  }
  return masks;
}

constexpr std::array<std::uint32_t, 81> kCellUnits = MakeCellUnits();  // a bit per unit

// The passes that work unit by unit, each a function of the unit's cells alone.
enum UnitPass { kPairPass, kTriplePass, kPairInTriplePass, kHiddenSinglePass, kQuadPass };

// The grid under placement. Every write goes through it, so that it keeps what the passes'
// tests read: which cells hold 0 to 4 candidates (a pass finds nothing in a unit that lacks the
// numbers of such cells its pattern is made of), the units where each unit pass found nothing
// and that have not changed since, and a count of changes.
class WorkGrid {
  static constexpr std::uint32_t kAllUnits = (1u << 27) - 1, kLineUnits = (1u << 18) - 1;
  static constexpr std::uint32_t kAllBoxes = (1u << 9) - 1;

 public:
  explicit WorkGrid(const Cells& cells) : w_(cells) {
    for (int cell = 0; cell < 81; ++cell) {
      const int size = Size(w_[cell]);
      if (size <= 4) ofSize_[size].Add(cell);
    }
  }

  const Cells& Grid() const { return w_; }
  std::uint16_t operator[](int cell) const { return w_[cell]; }
  int Changes() const { return changes_; }

  void Set(int cell, std::uint16_t set) {
    const std::uint16_t old = w_[cell];
    if (old == set) return;
    w_[cell] = set;
    const int before = Size(old), after = Size(set);
    if (before <= 4) ofSize_[before].Remove(cell);
    if (after <= 4) ofSize_[after].Add(cell);
    for (std::uint32_t& quiet : quietUnits_) quiet &= ~kCellUnits[cell];
    quietSweeps_[0] &= ~(7u << 3 * (cell / 27));    // the boxes sharing its columns
    quietSweeps_[1] &= ~(0111u << (cell % 9) / 3);  // the boxes sharing its rows
    ++changes_;
  }
  // Removes bits from the cell; true when any was there.
  bool Remove(int cell, std::uint16_t bits) {
    if (!(w_[cell] & bits)) return false;
    Set(cell, std::uint16_t(w_[cell] & ~bits));
    return true;
  }

  const CellMask& OfSize(int size) const { return ofSize_[size]; }
  bool InUnit(int unit, int size, int atLeast) const {
    return (ofSize_[size] & kUnitMasks[unit]).AtLeast(atLeast);
  }
  bool InGrid(int size, int atLeast) const { return ofSize_[size].AtLeast(atLeast); }

  // Whether the pass found nothing in the unit, which has not changed since.
  bool Quiet(int pass, int unit) const { return (quietUnits_[pass] >> unit) & 1u; }
  void SetQuiet(int pass, int unit) { quietUnits_[pass] |= 1u << unit; }
  // Every unit quiet for the pass (or for pass 6, both sweeps from every box): for a pass
  // whose pattern's sizes are nowhere in the grid.
  void SetAllQuiet(int pass) { quietUnits_[pass] = kAllUnits; }
  void SetAllSweepsQuiet() { quietSweeps_ = {kAllBoxes, kAllBoxes}; }
  // Whether every pass would find nothing: the passes of a full placement then change nothing.
  bool AllQuiet() const {
    return quietUnits_[kPairPass] == kAllUnits && quietUnits_[kTriplePass] == kAllUnits &&
           quietUnits_[kPairInTriplePass] == kAllUnits &&
           quietUnits_[kHiddenSinglePass] == kAllUnits &&
           (quietUnits_[kQuadPass] & kLineUnits) == kLineUnits && quietSweeps_[0] == kAllBoxes &&
           quietSweeps_[1] == kAllBoxes;
  }
  // The same for the sweep of box pairs (by columns or by rows) from a box, which reads and
  // changes only the boxes of its band.
  bool QuietSweep(bool byColumns, int box) const { return (quietSweeps_[!byColumns] >> box) & 1u; }
  void SetQuietSweep(bool byColumns, int box) { quietSweeps_[!byColumns] |= 1u << box; }

 private:
  Cells w_;
  std::array<CellMask, 5> ofSize_{};
  std::array<std::uint32_t, 5> quietUnits_{};   // by UnitPass, a bit per unit
  std::array<std::uint32_t, 2> quietSweeps_{};  // by columns, by rows: a bit per box
  int changes_ = 0;
};

// Removes bits from every position of the unit whose bit is clear in keep; true when any was
// there.
bool RemoveOutside(WorkGrid& w, const Unit& unit, std::uint16_t bits, unsigned keep) {
  bool changed = false;
  for (int k = 0; k < 9; ++k) {
    if (!((keep >> k) & 1u)) changed |= w.Remove(unit[k], bits);
  }
  return changed;
}

// Each pass below works on one unit (or box band) and returns whether it changed the grid. The
// caller skips a unit whose cells lack the pattern's sizes (see Shapes): the pass would find
// nothing there.

// Pass 2: two equal two-digit cells clear their digits from the rest of the unit.
bool NakedPairs(WorkGrid& w, const Unit& u) {
  bool changed = false;
  for (int i = 0; i < 8; ++i) {
    const std::uint16_t pair = w[u[i]];
    if (Size(pair) != 2) continue;
    for (int j = i + 1; j < 9; ++j) {
      if (w[u[j]] != pair) continue;
      changed |= RemoveOutside(w, u, pair, (1u << i) | (1u << j));
      break;
    }
  }
  return changed;
}

// Pass 3: three identical three-digit cells clear their digits from the rest of the unit.
bool IdenticalTriples(WorkGrid& w, const Unit& u) {
  bool changed = false;
  for (int i = 0; i < 7; ++i) {
    if (Size(w[u[i]]) != 3) continue;
    for (int j = i + 1; j < 8; ++j) {
      if (w[u[j]] != w[u[i]]) continue;
      for (int m = j + 1; m < 9; ++m) {
        if (w[u[m]] != w[u[i]]) continue;
        changed |= RemoveOutside(w, u, w[u[i]], (1u << i) | (1u << j) | (1u << m));
        break;
      }
    }
  }
  return changed;
}

// Pass 4: a two-digit cell inside two identical three-digit cells removes their third digit.
bool PairInsideTriple(WorkGrid& w, const Unit& u) {
  bool changed = false;
  for (int p = 0; p < 9; ++p) {
    const std::uint16_t pair = w[u[p]];
    if (Size(pair) != 2) continue;
    for (int i = 0; i < 8; ++i) {
      const std::uint16_t triple = w[u[i]];
      if (Size(triple) != 3 || (triple & pair) != pair) continue;
      for (int j = i + 1; j < 9; ++j) {
        if (w[u[j]] != triple) continue;
        changed |=
            RemoveOutside(w, u, std::uint16_t(triple & ~pair), (1u << i) | (1u << j) | (1u << p));
        break;
      }
    }
  }
  return changed;
}

// Digits that occur in exactly one cell of the unit, that cell holding other digits too (a
// digit whose only cell is already determined needs nothing).
std::uint16_t DigitsSeenOnce(const WorkGrid& w, const Unit& u) {
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
bool HiddenSingles(WorkGrid& w, const Unit& u) {
  bool changed = false;
  std::uint16_t once = DigitsSeenOnce(w, u);
  while (once != 0) {
    const int n = std::countr_zero(once);
    const std::uint16_t bit = std::uint16_t(1u << n);
    for (std::uint8_t cell : u) {
      if (!(w[cell] & bit)) continue;
      if (Size(w[cell]) > 1) {
        w.Set(cell, bit);
        changed = true;
        once = DigitsSeenOnce(w, u);
      }
      break;
    }
    once &= std::uint16_t(~((2u << n) - 1u));
  }
  return changed;
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

bool LineHolds(const WorkGrid& w, const BandGeometry& g, int box, int line, std::uint16_t bit) {
  for (int k = 0; k < 3; ++k) {
    if (w[g.CellAt(box, line, k)] & bit) return true;
  }
  return false;
}

bool RemoveFromLines(WorkGrid& w, const BandGeometry& g, int box, int lineA, int lineB,
                     std::uint16_t bit) {
  bool changed = false;
  for (int line : {lineA, lineB}) {
    for (int k = 0; k < 3; ++k) changed |= w.Remove(g.CellAt(box, line, k), bit);
  }
  return changed;
}

bool BoxPairAgainstBand(WorkGrid& w, const BandGeometry& g, int b, int cellI, int cellJ) {
  const int lineI = g.LineOf(cellI), lineJ = g.LineOf(cellJ);
  if (lineI == lineJ) return false;
  const int base = lineI - lineI % 3;
  const int third = base + 3 - lineI % 3 - lineJ % 3;
  const int p = g.BandMate(b, 0), q = g.BandMate(b, 1);
  const std::uint16_t pair = w[cellI];
  const std::uint16_t d1 = std::uint16_t(pair & -pair), d2 = std::uint16_t(pair & ~d1);
  const bool pLacksD1 = !LineHolds(w, g, p, third, d1);
  const bool pLacksD2 = !LineHolds(w, g, p, third, d2);
  bool changed = false;
  if (pLacksD1) changed |= RemoveFromLines(w, g, q, lineI, lineJ, d1);
  if (pLacksD2) changed |= RemoveFromLines(w, g, q, lineI, lineJ, d2);
  if (!LineHolds(w, g, q, third, d1)) changed |= RemoveFromLines(w, g, p, lineI, lineJ, d1);
  if (!LineHolds(w, g, q, third, d2)) changed |= RemoveFromLines(w, g, p, lineI, lineJ, d2);
  return changed;
}

// Pass 6, one sweep: every equal two-digit pair of a box on two different lines.
void BoxPairSweep(WorkGrid& w, bool byColumns) {
  const BandGeometry g{byColumns};
  for (int b = 0; b < 9; ++b) {
    if (w.QuietSweep(byColumns, b)) continue;
    // The sweep of box b changes only other boxes, and needs a pair in box b.
    bool changed = false;
    if (w.InUnit(kBoxes + b, 2, 2)) {
      const Unit& box = kUnits[kBoxes + b];
      for (int i = 0; i < 8; ++i) {
        for (int j = i + 1; j < 9; ++j) {
          if (Size(w[box[i]]) == 2 && w[box[j]] == w[box[i]]) {
            changed |= BoxPairAgainstBand(w, g, b, box[i], box[j]);
          }
        }
      }
    }
    if (!changed) w.SetQuietSweep(byColumns, b);
  }
}

// Pass 7: two identical three-digit cells inside two identical four-digit cells clear the four
// digits from the rest of the unit. Every combination is tried.
bool SpecialQuad(WorkGrid& w, const Unit& u) {
  bool changed = false;
  for (int p = 0; p < 8; ++p) {
    if (Size(w[u[p]]) != 3) continue;
    for (int q = p + 1; q < 9; ++q) {
      if (w[u[q]] != w[u[p]]) continue;
      for (int i = 0; i < 8; ++i) {
        if (Size(w[u[i]]) != 4) continue;
        for (int j = i + 1; j < 9; ++j) {
          if (w[u[j]] != w[u[i]] || (w[u[p]] & ~w[u[i]]) != 0) continue;
          changed |= RemoveOutside(w, u, w[u[i]], (1u << p) | (1u << q) | (1u << i) | (1u << j));
        }
      }
    }
  }
  return changed;
}

// The cells of each size a unit needs before a pass can find its pattern there: up to two
// sizes, each {size, how many}; size 0 stands for no need.
struct Needs {
  int sizeA, countA, sizeB, countB;
};

// Runs pass over the nine units of a kind, skipping those that cannot hold its pattern and
// those where it found nothing before and that have not changed since.
template <typename Pass>
void ForUnits(WorkGrid& w, int first, UnitPass id, Needs needs, Pass pass) {
  for (int unit = first; unit < first + 9; ++unit) {
    if (w.Quiet(id, unit)) continue;
    const bool fits = (needs.sizeA == 0 || w.InUnit(unit, needs.sizeA, needs.countA)) &&
                      (needs.sizeB == 0 || w.InUnit(unit, needs.sizeB, needs.countB));
    if (!fits) {
      w.SetQuiet(id, unit);
      continue;
    }
    if (!pass(w, kUnits[unit])) w.SetQuiet(id, unit);
  }
}

// Whether the cell holds only placed and none of its peers holds it.
bool AlreadyPlaced(const WorkGrid& w, int cell, std::uint16_t placed) {
  if (w[cell] != placed) return false;
  for (std::uint8_t peer : units::kPeers[cell]) {
    if (w[peer] & placed) return false;
  }
  return true;
}

}  // namespace

PlacementContext MakeContext(const Board& board, StepLog* steps) {
  PlacementContext context;
  for (int cell = 0; cell < 81; ++cell) {
    if (board.IsGiven(cell / 9, cell % 9)) context.given.Add(cell);
  }
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

namespace {

// Place on the grid under placement: the nested placements of pass 8 write into the same grid.
// With kRecord, every cell found is recorded in context.steps.
template <bool kRecord>
void PlaceInto(WorkGrid& w, int cell, bool full, int digit, const PlacementContext& context) {
  if (digit < 0 || digit > 9) digit = 0;
  const std::uint16_t placed = std::uint16_t(1u << digit);
  if (full && AlreadyPlaced(w, cell, placed) &&
      (w.AllQuiet() || (context.hasQuiet && w.Grid() == context.quiet))) {
    return;
  }
  // The cells pass 8 may place: undetermined as the placement starts, not given, not this one.
  CellMask open = ~(w.OfSize(0) | w.OfSize(1)) & ~context.given;
  open.Remove(cell);
  auto reset = [&] { w.Set(cell, placed); };

  for (std::uint8_t peer : units::kPeers[cell]) w.Remove(peer, placed);
  reset();
  const int changesBeforePasses = w.Changes();
  // Each pass runs only when its pattern's sizes are somewhere in the grid as it starts.
  if (w.InGrid(2, 2)) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, kPairPass, {2, 2, 0, 0}, NakedPairs);
      reset();
    }
  } else {
    w.SetAllQuiet(kPairPass);
  }
  if (w.InGrid(3, 3)) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, kTriplePass, {3, 3, 0, 0}, IdenticalTriples);
      reset();
    }
  } else {
    w.SetAllQuiet(kTriplePass);
  }
  if (!full) return;
  if (w.InGrid(2, 1) && w.InGrid(3, 2)) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, kPairInTriplePass, {2, 1, 3, 2}, PairInsideTriple);
      reset();
    }
  } else {
    w.SetAllQuiet(kPairInTriplePass);
  }
  if (!((w.OfSize(0) | w.OfSize(1)) == CellMask::All())) {
    for (int kind : {kColumns, kRows, kBoxes}) {
      ForUnits(w, kind, kHiddenSinglePass, {0, 0, 0, 0}, HiddenSingles);
    }
  } else {
    w.SetAllQuiet(kHiddenSinglePass);
  }
  if (w.InGrid(2, 2)) {
    BoxPairSweep(w, true);
    BoxPairSweep(w, false);
    reset();
  } else {
    w.SetAllSweepsQuiet();
  }
  if (w.InGrid(3, 2) && w.InGrid(4, 2)) {
    for (int kind : {kColumns, kRows}) {
      ForUnits(w, kind, kQuadPass, {3, 2, 4, 2}, SpecialQuad);
      reset();
    }
  } else {
    w.SetAllQuiet(kQuadPass);
  }
  if (w.Changes() == changesBeforePasses) {
    context.quiet = w.Grid();
    context.hasQuiet = true;
  }
  // Pass 8: place every cell of open that became determined, scanning on with the grid as each
  // nested placement leaves it.
  for (int found = 0;; ++found) {
    const CellMask next = (w.OfSize(1) & open).From(found);
    if (next.Empty()) break;
    found = next.Lowest();
    const int e = std::countr_zero(w[found]);
    if constexpr (kRecord) {
      context.steps->RecordStep(*context.board, found / 9, found % 9, ToGrid(w.Grid()), e);
    }
    PlaceInto<kRecord>(w, found, true, e, context);
  }
}

bool Records(const PlacementContext& context) {
  return context.steps != nullptr && context.steps->PassoPasso;
}

}  // namespace

Cells Place(const Cells& input, int cell, bool full, int digit, const PlacementContext& context) {
  WorkGrid w(input);
  if (Records(context)) {
    PlaceInto<true>(w, cell, full, digit, context);
  } else {
    PlaceInto<false>(w, cell, full, digit, context);
  }
  return w.Grid();
}

Cells PlaceAll(const Cells& input, const std::vector<CellDigit>& placements, bool full,
               const PlacementContext& context) {
  WorkGrid w(input);
  for (const CellDigit& placement : placements) {
    if (Records(context)) {
      PlaceInto<true>(w, placement.cell, full, placement.digit, context);
    } else {
      PlaceInto<false>(w, placement.cell, full, placement.digit, context);
    }
  }
  return w.Grid();
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

// Candidates of a plain board and the patterns found on them, each judged by what it removes.
#include "solver/board_patterns.h"

#include <algorithm>
#include <optional>

#include "solver/units.h"

namespace sudoku {
namespace {

using units::kBoxes;
using units::kColumns;
using units::kRows;
using units::kUnits;

constexpr std::uint16_t Bit(int digit) {
  return std::uint16_t(1u << digit);
}

bool InUnit(int unit, int cell) {
  for (int member : kUnits[unit]) {
    if (member == cell) return true;
  }
  return false;
}

// The cells of unit where digit is a candidate.
std::vector<int> PlacesOf(const BoardCandidates& candidates, int unit, int digit) {
  std::vector<int> places;
  for (int cell : kUnits[unit]) {
    if (candidates[cell] & Bit(digit)) places.push_back(cell);
  }
  return places;
}

// The line (column or row unit) or box holding every cell of cells, or -1.
int CommonUnit(const std::vector<int>& cells, int first, int last) {
  for (int unit = first; unit <= last; ++unit) {
    bool all = true;
    for (int cell : cells) all = all && InUnit(unit, cell);
    if (all) return unit;
  }
  return -1;
}

void AddIfRemoving(const Pattern& pattern, const BoardCandidates& candidates,
                   std::vector<Pattern>& found) {
  if (ApplyPattern(pattern, candidates) != candidates) found.push_back(pattern);
}

// Every choice of size cells among the unit's open cells, each holding two digits or more,
// whose candidates number size between them.
void Subsets(const BoardCandidates& candidates, int size, std::vector<Pattern>& found) {
  for (int unit = 0; unit < 27; ++unit) {
    std::vector<int> open;
    for (int cell : kUnits[unit]) {
      if (units::SetSize(candidates[cell]) >= 2) open.push_back(cell);
    }
    const int n = int(open.size());
    for (unsigned choice = 0; choice < (1u << n); ++choice) {
      if (units::SetSize(std::uint16_t(choice)) != size) continue;
      Pattern pattern;
      pattern.Unit = unit;
      for (int k = 0; k < n; ++k) {
        if (!((choice >> k) & 1u)) continue;
        pattern.Cells.push_back(open[k]);
        pattern.Digits |= candidates[open[k]];
      }
      if (units::SetSize(pattern.Digits) != size) continue;
      std::sort(pattern.Cells.begin(), pattern.Cells.end());
      AddIfRemoving(pattern, candidates, found);
    }
  }
}

// A digit whose places in one unit (from..to) all lie in one unit of the other kind.
void Confined(const BoardCandidates& candidates, PatternKind kind, int from, int to, int otherFrom,
              int otherTo, std::vector<Pattern>& found) {
  for (int unit = from; unit <= to; ++unit) {
    for (int digit = 1; digit <= 9; ++digit) {
      const std::vector<int> places = PlacesOf(candidates, unit, digit);
      if (places.size() < 2) continue;
      const int other = CommonUnit(places, otherFrom, otherTo);
      if (other < 0) continue;
      Pattern pattern;
      pattern.Kind = kind;
      pattern.Unit = unit;
      pattern.Other = other;
      pattern.Digit = digit;
      AddIfRemoving(pattern, candidates, found);
    }
  }
}

// The units of the two lines of a box's band through cells a and b, and of the third, when they
// differ (by columns or by rows).
struct BandLines {
  int lineA, lineB, third;
};

std::optional<BandLines> LinesOf(int a, int b, bool byColumns) {
  const int la = byColumns ? a / 9 : a % 9, lb = byColumns ? b / 9 : b % 9;
  if (la == lb) return std::nullopt;
  const int third = la - la % 3 + 3 - la % 3 - lb % 3;
  const int base = byColumns ? kColumns : kRows;
  return BandLines{base + la, base + lb, base + third};
}

// The two other boxes sharing box's columns (byColumns) or rows.
std::array<int, 2> BandMates(int box, bool byColumns) {
  std::array<int, 2> mates{};
  int n = 0;
  for (int k = 0; k < 3; ++k) {
    const int other = byColumns ? 3 * (box / 3) + k : box % 3 + 3 * k;
    if (other != box) mates[n++] = other;
  }
  return mates;
}

void BoxPairs(const BoardCandidates& candidates, std::vector<Pattern>& found) {
  for (int box = 0; box < 9; ++box) {
    const auto& cells = kUnits[kBoxes + box];
    for (int i = 0; i < 9; ++i) {
      const std::uint16_t pair = candidates[cells[i]];
      if (units::SetSize(pair) != 2) continue;
      for (int j = i + 1; j < 9; ++j) {
        if (candidates[cells[j]] != pair) continue;
        for (bool byColumns : {true, false}) {
          const auto lines = LinesOf(cells[i], cells[j], byColumns);
          if (!lines) continue;
          const auto mates = BandMates(box, byColumns);
          for (int digit = 1; digit <= 9; ++digit) {
            if (!(pair & Bit(digit))) continue;
            for (int m = 0; m < 2; ++m) {
              const std::vector<int> places = PlacesOf(candidates, kBoxes + mates[m], digit);
              bool offThird = !places.empty();
              for (int cell : places) offThird = offThird && !InUnit(lines->third, cell);
              if (!offThird) continue;
              Pattern pattern;
              pattern.Kind = PatternKind::BoxPair;
              pattern.Unit = kBoxes + box;
              pattern.Other = kBoxes + mates[m];
              pattern.Target = kBoxes + mates[1 - m];
              pattern.Line = lines->third;
              pattern.Cells = {std::min(cells[i], cells[j]), std::max(cells[i], cells[j])};
              pattern.Digits = pair;
              pattern.Digit = digit;
              AddIfRemoving(pattern, candidates, found);
            }
          }
        }
      }
    }
  }
}

}  // namespace

BoardCandidates CandidatesOfBoard(const BoardValues& values) {
  BoardCandidates candidates{};
  for (int cell = 0; cell < 81; ++cell) {
    if (values[cell] != 0) continue;
    std::uint16_t seen = 0;
    for (int peer : units::kPeers[cell]) seen |= Bit(values[peer]);
    candidates[cell] = std::uint16_t(0x3FE & ~seen);
  }
  return candidates;
}

BoardCandidates ApplyPattern(const Pattern& pattern, BoardCandidates candidates) {
  auto clear = [&](int unit, std::uint16_t digits, auto keep) {
    for (int cell : kUnits[unit]) {
      if (!keep(cell)) candidates[cell] &= std::uint16_t(~digits);
    }
  };
  const std::uint16_t digit = Bit(pattern.Digit);
  switch (pattern.Kind) {
    case PatternKind::Subset:
      clear(pattern.Unit, pattern.Digits, [&](int cell) {
        return std::find(pattern.Cells.begin(), pattern.Cells.end(), cell) != pattern.Cells.end();
      });
      break;
    case PatternKind::Pointing:
    case PatternKind::Claiming:
      clear(pattern.Other, digit, [&](int cell) { return InUnit(pattern.Unit, cell); });
      break;
    case PatternKind::BoxPair:
      clear(pattern.Target, digit, [&](int cell) { return InUnit(pattern.Line, cell); });
      break;
  }
  return candidates;
}

std::vector<Pattern> PatternsOf(const BoardCandidates& candidates) {
  std::vector<Pattern> found;
  Subsets(candidates, 2, found);
  Confined(candidates, PatternKind::Pointing, kBoxes, kBoxes + 8, kColumns, kRows + 8, found);
  Confined(candidates, PatternKind::Claiming, kColumns, kRows + 8, kBoxes, kBoxes + 8, found);
  Subsets(candidates, 3, found);
  BoxPairs(candidates, found);
  Subsets(candidates, 4, found);
  return found;
}

}  // namespace sudoku

// The counter's depth-first search. A search that branches on the cell with the fewest
// candidates finds the whole solution set quickly when it is smaller than what is still wanted;
// only when it is not does the column-major search run to put the first ones in order.
#include "solver/lex_search.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "solver/search_grid.h"
#include "solver/units.h"

namespace sudoku::engine {

namespace {

using Solution = std::array<std::uint8_t, 81>;  // digits [col][row]

// The most solutions the fewest-candidates search keeps: a larger limit goes straight to the
// column-major search, which keeps none, so that memory stays bounded whatever the limit.
constexpr std::size_t kMostKept = 4096;

// The fewest-candidates search takes locked candidates at a node with fewer cells determined
// (measured on the public sets: fewer instructions from about 25 to 33).
constexpr int kLocksBelow = 30;

bool IsSingle(std::uint16_t set) {
  return (set & (set - 1)) == 0;
}

Solution DigitsOf(const SearchGrid& grid) {
  Solution digits;
  for (int cell = 0; cell < 81; ++cell)
    digits[cell] = std::uint8_t(std::countr_zero(grid.cells[cell]));
  return digits;
}

// Collects up to cap solutions, in no particular order, branching on the open cell with the
// fewest candidates.
class FewestSearch {
 public:
  FewestSearch(std::size_t cap, const std::function<void()>& advance)
      : cap_(cap), advance_(advance) {}

  void Descend(SearchGrid& grid) {
    // Locked candidates shrink the tree of a puzzle with one solution or none while the grid is
    // still open; where solutions abound, or singles are about to finish the grid, they cost
    // more than they save.
    const bool locks = found_.size() < 2 && grid.Determined() < kLocksBelow;
    if (!(locks ? grid.PropagateWithLocks() : grid.Propagate())) return;
    const int branch = grid.FewestCell();
    if (branch < 0) {
      found_.push_back(DigitsOf(grid));
      return;
    }
    for (std::uint16_t rest = grid.cells[branch]; rest != 0 && found_.size() < cap_;
         rest &= std::uint16_t(rest - 1)) {
      if (advance_) advance_();
      SearchGrid child = grid;
      if (child.Assign(branch, std::uint16_t(rest & -rest))) Descend(child);
    }
  }

  std::vector<Solution>& Found() { return found_; }

 private:
  std::size_t cap_;
  const std::function<void()>& advance_;
  std::vector<Solution> found_;
};

// Counts solutions in column-major lexicographic order: the first open cell, digits ascending.
class OrderedSearch {
 public:
  OrderedSearch(std::int32_t limit, CountState& state, const std::function<void()>& advance)
      : limit_(limit), state_(state), advance_(advance) {}

  // Every cell before from is single.
  void Descend(SearchGrid& grid, int from) {
    if (!grid.Propagate()) return;
    int branch = from;
    while (branch < 81 && IsSingle(grid.cells[branch])) ++branch;
    if (branch == 81) {
      Take(DigitsOf(grid));
      return;
    }
    for (std::uint16_t rest = grid.cells[branch]; rest != 0 && state_.NumSoluzioni < limit_;
         rest &= std::uint16_t(rest - 1)) {
      if (advance_) advance_();
      SearchGrid child = grid;
      if (child.Assign(branch, std::uint16_t(rest & -rest))) Descend(child, branch + 1);
    }
  }

  void Take(const Solution& digits) {
    ++state_.NumSoluzioni;
    std::copy(digits.begin(), digits.end(), state_.Soluzione.begin());
  }

 private:
  std::int32_t limit_;
  CountState& state_;
  const std::function<void()>& advance_;
};

// Whether the grid may have few solutions. With fewer than 17 cells determined it has
// several, usually very many, and finding the wanted number out of order first would be wasted:
// only the speed depends on this guess.
bool MayBeFew(const SearchGrid& grid) {
  int determined = 0;
  for (std::uint16_t set : grid.cells) determined += IsSingle(set);
  return determined >= 17;
}

}  // namespace

void LexSearch(const Cells& start, std::int32_t limit, CountState& state,
               const std::function<void()>& advance, bool inOrderOnly) {
  if (state.NumSoluzioni >= limit) return;
  SearchGrid grid;
  if (!StartGrid(start, grid)) return;
  const std::size_t wanted = std::size_t(limit - state.NumSoluzioni);
  OrderedSearch ordered(limit, state, advance);
  // With one solution wanted, the first in order ends the search at once.
  if (inOrderOnly || wanted == 1 || wanted > kMostKept || !MayBeFew(grid)) {
    ordered.Descend(grid, 0);
    return;
  }
  FewestSearch fewest(wanted, advance);
  SearchGrid copy = grid;
  fewest.Descend(copy);
  std::vector<Solution>& found = fewest.Found();
  if (found.size() < wanted) {
    // The whole set is known: the ordered search would reach exactly these, smallest first.
    std::sort(found.begin(), found.end());
    for (const Solution& solution : found) ordered.Take(solution);
    return;
  }
  ordered.Descend(grid, 0);
}

}  // namespace sudoku::engine

// The counter's fast depth-first search: bit-set singles propagation with column-major
// branching.
#include "solver/lex_search.h"

#include <bit>

#include "solver/units.h"

namespace sudoku::engine {

namespace {

constexpr std::uint16_t kDigitBits = CandidateSet::kAllNine;

bool IsSingle(std::uint16_t set) {
  return set != 0 && (set & (set - 1)) == 0;
}

class Search {
 public:
  Search(std::int32_t limit, CountState& state, const std::function<void()>& advance)
      : limit_(limit), state_(state), advance_(advance) {}

  void Run(const Cells& start) {
    Cells cells = start;
    for (std::uint16_t& set : cells) set &= kDigitBits;
    for (int cell = 0; cell < 81; ++cell) {
      if (cells[cell] == 0) return;
      if (IsSingle(cells[cell]) && !Eliminate(cells, cell)) return;
    }
    Descend(cells);
  }

 private:
  // Removes the digit of the single cell from its peers, and so on for every peer that becomes
  // single. False when some cell is left without a candidate.
  static bool Eliminate(Cells& cells, int first) {
    std::uint8_t pending[81];
    int top = 0;
    pending[top++] = std::uint8_t(first);
    while (top > 0) {
      const int cell = pending[--top];
      const std::uint16_t bit = cells[cell];
      if (bit == 0) return false;
      for (std::uint8_t peer : units::kPeers[cell]) {
        if (!(cells[peer] & bit)) continue;
        cells[peer] &= std::uint16_t(~bit);
        if (cells[peer] == 0) return false;
        if (IsSingle(cells[peer])) pending[top++] = peer;
      }
    }
    return true;
  }

  // Hidden singles until nothing changes. False on a unit where some digit has no cell left.
  static bool Propagate(Cells& cells) {
    bool changed = true;
    while (changed) {
      changed = false;
      for (const units::Unit& unit : units::kUnits) {
        std::uint16_t once = 0, twice = 0, solved = 0;
        for (std::uint8_t cell : unit) {
          const std::uint16_t set = cells[cell];
          twice |= once & set;
          once |= set;
          if (IsSingle(set)) solved |= set;
        }
        if (once != kDigitBits) return false;
        std::uint16_t hidden = std::uint16_t(once & ~twice & ~solved);
        while (hidden != 0) {
          const std::uint16_t bit = std::uint16_t(hidden & -hidden);
          hidden &= std::uint16_t(~bit);
          int target = -1;
          for (std::uint8_t cell : unit) {
            if (cells[cell] & bit) target = cell;
          }
          if (target < 0 || IsSingle(cells[target])) {
            if (target < 0) return false;  // an earlier single of this unit took its only place
            continue;
          }
          cells[target] = bit;
          if (!Eliminate(cells, target)) return false;
          changed = true;
        }
      }
    }
    return true;
  }

  void Descend(Cells& cells) {
    if (!Propagate(cells)) return;
    int branch = -1;
    for (int cell = 0; cell < 81 && branch < 0; ++cell) {
      if (!IsSingle(cells[cell])) branch = cell;
    }
    if (branch < 0) {
      Found(cells);
      return;
    }
    for (std::uint16_t rest = cells[branch]; rest != 0 && state_.NumSoluzioni < limit_;) {
      const std::uint16_t bit = std::uint16_t(rest & -rest);
      rest &= std::uint16_t(~bit);
      if (advance_) advance_();
      Cells child = cells;
      child[branch] = bit;
      if (Eliminate(child, branch)) Descend(child);
    }
  }

  void Found(const Cells& cells) {
    ++state_.NumSoluzioni;
    for (int cell = 0; cell < 81; ++cell) state_.Soluzione[cell] = std::countr_zero(cells[cell]);
  }

  std::int32_t limit_;
  CountState& state_;
  const std::function<void()>& advance_;
};

}  // namespace

void LexSearch(const Cells& start, std::int32_t limit, CountState& state,
               const std::function<void()>& advance) {
  if (state.NumSoluzioni >= limit) return;
  Search(limit, state, advance).Run(start);
}

}  // namespace sudoku::engine

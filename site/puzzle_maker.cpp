// A compact bit-mask solver for making and checking the site's puzzles: naked singles are
// propagated, then the cell with the fewest candidates is tried digit by digit.
#include "site/puzzle_maker.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <numeric>
#include <vector>

namespace sudoku::site {
namespace {

constexpr std::uint16_t kAll = 0x1FF;  // bit d-1 stands for digit d

struct Search {
  std::array<std::uint8_t, 81> cells{};
  std::array<std::uint16_t, 9> rows{}, cols{}, boxes{};
  int limit = 2;
  int found = 0;
  long branches = 0;
  std::string first;

  static int Box(int i) { return (i / 27) * 3 + (i % 9) / 3; }

  std::uint16_t Free(int i) const {
    return std::uint16_t(kAll & ~(rows[i / 9] | cols[i % 9] | boxes[Box(i)]));
  }
  void Set(int i, int d) {
    const std::uint16_t bit = std::uint16_t(1u << (d - 1));
    cells[i] = std::uint8_t(d);
    rows[i / 9] |= bit;
    cols[i % 9] |= bit;
    boxes[Box(i)] |= bit;
  }
  void Clear(int i) {
    const std::uint16_t bit = std::uint16_t(~(1u << (cells[i] - 1)));
    rows[i / 9] &= bit;
    cols[i % 9] &= bit;
    boxes[Box(i)] &= bit;
    cells[i] = 0;
  }

  bool Load(const std::string& digits) {
    if (digits.size() != 81) return false;
    for (int i = 0; i < 81; ++i) {
      const char c = digits[i];
      if (c < '0' || c > '9') return false;
      if (c == '0') continue;
      if (!(Free(i) & (1u << (c - '1')))) return false;
      Set(i, c - '0');
    }
    return true;
  }

  void Run() {
    if (found >= limit) return;
    std::vector<int> placed;
    int best = -1, bestCount = 10;
    for (bool progress = true; progress;) {
      progress = false;
      best = -1;
      bestCount = 10;
      for (int i = 0; i < 81; ++i) {
        if (cells[i]) continue;
        const std::uint16_t free = Free(i);
        const int count = std::popcount(free);
        if (count == 0) {
          Undo(placed);
          return;
        }
        if (count == 1) {
          Set(i, std::countr_zero(free) + 1);
          placed.push_back(i);
          progress = true;
        } else if (count < bestCount) {
          best = i;
          bestCount = count;
        }
      }
    }
    if (best < 0) {
      if (++found == 1) {
        first.clear();
        for (std::uint8_t d : cells) first.push_back(char('0' + d));
      }
    } else {
      ++branches;
      for (std::uint16_t free = Free(best); free && found < limit; free &= free - 1) {
        Set(best, std::countr_zero(free) + 1);
        Run();
        Clear(best);
      }
    }
    Undo(placed);
  }

  void Undo(const std::vector<int>& placed) {
    for (int i : placed) Clear(i);
  }
};

// A full grid drawn at random: the search tries the digits of each cell in a shuffled order.
std::string RandomSolution(Random& random) {
  std::string grid(81, '0');
  for (int box = 0; box < 9; box += 4) {  // the three diagonal boxes never clash
    std::array<int, 9> digits;
    std::iota(digits.begin(), digits.end(), 1);
    for (int k = 8; k > 0; --k) std::swap(digits[k], digits[random.Next(0, k)]);
    for (int k = 0; k < 9; ++k) {
      const int row = (box / 3) * 3 + k / 3, col = (box % 3) * 3 + k % 3;
      grid[row * 9 + col] = char('0' + digits[k]);
    }
  }
  std::string solution;
  CountSolutionsUpTo(grid, 1, &solution);
  return solution;
}

}  // namespace

int CountSolutionsUpTo(const std::string& digits, int limit, std::string* solution) {
  Search search;
  search.limit = limit;
  if (!search.Load(digits)) return 0;
  search.Run();
  if (solution && search.found > 0) *solution = search.first;
  return search.found;
}

int RateLevel(const std::string& digits) {
  Search search;
  search.limit = 2;
  if (!search.Load(digits)) return 1;
  search.Run();
  if (search.branches == 0) return 1;
  if (search.branches <= 4) return 2;
  if (search.branches <= 12) return 3;
  if (search.branches <= 40) return 4;
  return 5;
}

MadePuzzle MakePuzzle(Random& random, bool symmetric, int targetGivens) {
  MadePuzzle made;
  made.Solution = RandomSolution(random);
  made.Symmetric = symmetric;
  std::string digits = made.Solution;
  std::array<int, 81> order;
  std::iota(order.begin(), order.end(), 0);
  for (int k = 80; k > 0; --k) std::swap(order[k], order[random.Next(0, k)]);
  int givens = 81;
  for (int i : order) {
    if (givens <= targetGivens) break;
    const int mate = 80 - i;
    if (digits[i] == '0' || (symmetric && digits[mate] == '0')) continue;
    std::string trial = digits;
    trial[i] = '0';
    if (symmetric) trial[mate] = '0';
    if (CountSolutionsUpTo(trial, 2) != 1) continue;
    givens -= (symmetric && mate != i) ? 2 : 1;
    digits = trial;
  }
  made.Digits = digits;
  made.Givens = givens;
  made.Level = RateLevel(digits);
  return made;
}

std::string RowsToColumns(const std::string& rowMajor) {
  std::string out(81, '0');
  for (int col = 0; col < 9; ++col)
    for (int row = 0; row < 9; ++row) out[col * 9 + row] = rowMajor[row * 9 + col];
  return out;
}

std::string ColumnsToRows(const std::string& columnMajor) {
  // The transposition is its own inverse.
  return RowsToColumns(columnMajor);
}

}  // namespace sudoku::site

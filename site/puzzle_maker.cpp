// Making and checking the site's puzzles. A match puzzle comes from the project's generator; the
// catalogue's hundreds of puzzles are thinned with a compact bit-mask search of their own, which
// is many times faster; levels and outside puzzles are judged by the project's solver.
#include "site/puzzle_maker.h"

#include <array>
#include <bit>
#include <cstdint>
#include <numeric>
#include <vector>

#include "solver/board.h"
#include "solver/generator.h"
#include "solver/solution_counter.h"

namespace sudoku::site {
namespace {

constexpr std::uint16_t kAll = 0x1FF;  // bit d-1 stands for digit d

struct Search {
  std::array<std::uint8_t, 81> cells{};
  std::array<std::uint16_t, 9> rows{}, cols{}, boxes{};
  int limit = 2;
  int found = 0;
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

// Solutions of a puzzle made here, up to two.
int FastCount(const std::string& digits) {
  Search search;
  if (!search.Load(digits)) return 0;
  search.Run();
  return search.found;
}

struct Count {
  int Solutions = 0;
  std::string First;  // row by row
};

// The project's solution counter over a row-by-row text: givens become the board's codes.
Count CountWithSolver(const std::string& digits, int limit) {
  Count count;
  if (digits.size() != 81 || digits.find_first_not_of("0123456789") != std::string::npos)
    return count;
  Board board;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const char digit = digits[std::size_t(row * 9 + col)];
      if (digit != '0') board.Schema[CellIndex(col, row)] = std::string("1") + digit;
    }
  CountState state;
  CountSolutions(BuildCandidates(board), limit, state);
  count.Solutions = state.NumSoluzioni;
  if (count.Solutions > 0) {
    count.First.assign(81, '0');
    for (int row = 0; row < 9; ++row)
      for (int col = 0; col < 9; ++col)
        count.First[std::size_t(row * 9 + col)] = char('0' + state.Soluzione[CellIndex(col, row)]);
  }
  return count;
}

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
  Search search;
  search.limit = 1;
  search.Load(grid);
  search.Run();
  return search.first;
}

}  // namespace

int CountSolutionsUpTo(const std::string& digits, int limit, std::string* solution) {
  Count count = CountWithSolver(digits, limit);
  if (solution && count.Solutions > 0) *solution = count.First;
  return count.Solutions;
}

int RateLevel(const std::string& digits) {
  if (digits.size() != 81 || digits.find_first_not_of("0123456789") != std::string::npos) return 1;
  std::array<std::int32_t, 81> values{};
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      values[std::size_t(CellIndex(col, row))] = digits[std::size_t(row * 9 + col)] - '0';
  return PuzzleLevel(MeasurePuzzle(values));
}

MadePuzzle MakeCataloguePuzzle(Random& random, bool symmetric, int targetGivens) {
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
    if (FastCount(trial) != 1) continue;
    givens -= (symmetric && mate != i) ? 2 : 1;
    digits = trial;
  }
  made.Digits = digits;
  made.Givens = givens;
  made.Level = RateLevel(digits);
  return made;
}

MadePuzzle MakePuzzle(Random& random, bool symmetric, int targetGivens) {
  GeneratorOptions options;
  options.givens = targetGivens;
  options.symmetric = symmetric;
  const GeneratedPuzzle generated = GeneratePuzzle(random, options);
  MadePuzzle made;
  made.Digits.assign(81, '0');
  made.Solution.assign(81, '0');
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const std::size_t cell = std::size_t(CellIndex(col, row)), at = std::size_t(row * 9 + col);
      made.Digits[at] = char('0' + generated.givens[cell]);
      made.Solution[at] = char('0' + generated.solution[cell]);
      made.Givens += generated.givens[cell] != 0;
    }
  made.Level = generated.level;
  made.Symmetric = symmetric;
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

// The puzzle generator: random puzzles with exactly one solution, and their level.
//
// Level, 1 to 5, grows with how much of the puzzle the logical solver cannot do alone:
//   1  singles alone solve it (a placed digit leaves its peers; a cell left with one candidate,
//      or the only place of a digit in a unit, is placed in turn);
//   2  the logical solver (the givens placed in full mode, as the candidates are built) solves it;
//   3  the logical solver leaves cells open, and the counter proves the solution unique within
//      kLevel3Trials trial placements;
//   4  within kLevel4Trials trial placements;
//   5  more trials than that.
#pragma once

#include <array>
#include <cstdint>

#include "solver/random.h"

namespace sudoku {

inline constexpr int kLevel3Trials = 12;
inline constexpr int kLevel4Trials = 60;

struct GeneratorOptions {
  int givens = 26;         // stop emptying cells at this many givens (17 to 81)
  bool symmetric = false;  // empty cells in pairs symmetric about the centre
};

struct GeneratedPuzzle {
  std::array<std::int32_t, 81> givens{};    // [col][row], 0 = empty
  std::array<std::int32_t, 81> solution{};  // [col][row]
  int level = 1;
};

// What the level is made of, for a puzzle with a unique solution.
struct PuzzleMeasure {
  bool singlesSolve = false;
  int openAfterLogic = 0;  // cells the logical solver leaves open
  long trials = 0;         // trial placements of a count with the limit 2
};

PuzzleMeasure MeasurePuzzle(const std::array<std::int32_t, 81>& givens);
int PuzzleLevel(const PuzzleMeasure& measure);

// A random solution grid, then cells emptied in random order (or in symmetric pairs) while the
// solution stays unique, until options.givens remain or no further cell can go.
GeneratedPuzzle GeneratePuzzle(Random& random, const GeneratorOptions& options = {});

// A puzzle of the level asked (clamped to 1..5): puzzles made as GeneratePuzzle makes them until
// one has that level. For levels 4 and 5 the cells are emptied from the first columns on: the
// counter's search branches on the first open cell in column-major order, so such puzzles need
// more of its trials, and those levels turn up several times as often (level 5 about one
// puzzle in sixty instead of one in two hundred and fifty). Symmetric pairs empty the last
// columns with the first, so a symmetric puzzle of level 5 stays rare: seconds of work.
GeneratedPuzzle GeneratePuzzleOfLevel(Random& random, int level,
                                      const GeneratorOptions& options = {});

}  // namespace sudoku

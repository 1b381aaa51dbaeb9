// The puzzle sets the benchmarks run over: the public benchmark files beside the repository
// (../shared/data) when they are there, otherwise puzzles that the project's generator makes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sudoku::bench {

using Values = std::array<std::int32_t, 81>;  // [col][row], 0 = empty

struct PuzzleSet {
  std::string source;  // the file read, or "generated"
  std::vector<Values> puzzles;
};

PuzzleSet Top1465();       // hard puzzles with a unique solution
PuzzleSet ForumHardest();  // the hardest ones with a unique solution
PuzzleSet Sparse();        // 9 to 16 givens, 60 or more solutions

}  // namespace sudoku::bench

// Loading the benchmark sets, or generating stand-ins for them.
#include "puzzle_sets.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "puzzle_input.h"
#include "solver/generator.h"

namespace sudoku::bench {

namespace {

// shared/data beside the repository; a work tree nested one level deeper finds it one
// folder further up.
std::filesystem::path DataDir() {
  const std::filesystem::path source(SUDOKU_SOURCE_DIR);
  for (const std::filesystem::path& base :
       {source.parent_path(), source.parent_path().parent_path()}) {
    if (std::filesystem::is_directory(base / "shared" / "data")) return base / "shared" / "data";
  }
  return source.parent_path() / "shared" / "data";
}

bool ReadSet(const std::string& file, PuzzleSet& set) {
  std::ifstream in(DataDir() / file);
  if (!in) return false;
  std::ostringstream ignored;
  cli::ForEachPuzzle(in, ignored,
                     [&](const cli::PuzzleLine& line) { set.puzzles.push_back(line.values); });
  set.source = file;
  return !set.puzzles.empty();
}

// Minimal generated puzzles: the hardest the generator makes.
std::vector<GeneratedPuzzle> Generated(int count, std::uint64_t seed) {
  SeededRandom random(seed);
  std::vector<GeneratedPuzzle> puzzles;
  for (int n = 0; n < count; ++n) puzzles.push_back(GeneratePuzzle(random, {17, false}));
  return puzzles;
}

PuzzleSet GeneratedSet(int count, std::uint64_t seed, int removed) {
  PuzzleSet set{"generated", {}};
  SeededRandom random(seed + 1);
  for (const GeneratedPuzzle& puzzle : Generated(count, seed)) {
    Values values = puzzle.givens;
    for (int n = 0; n < removed;) {
      const int cell = random.Next(0, 80);
      if (values[cell] > 0) values[cell] = 0, ++n;
    }
    set.puzzles.push_back(values);
  }
  return set;
}

}  // namespace

PuzzleSet Top1465() {
  PuzzleSet set;
  return ReadSet("puzzles3_magictour_top1465.txt", set) ? set : GeneratedSet(300, 1465, 0);
}

PuzzleSet ForumHardest() {
  PuzzleSet set;
  return ReadSet("puzzles6_forum_hardest_1106.txt", set) ? set : GeneratedSet(100, 1106, 0);
}

PuzzleSet Sparse() {
  PuzzleSet set;
  return ReadSet("derived_sparse_9to16_from17clue.txt", set) ? set : GeneratedSet(300, 916, 6);
}

}  // namespace sudoku::bench

// Benchmarks of the puzzle generator: a catalogue's worth of puzzles as the stand-in site seeds
// them, and minimal puzzles, each from a fixed seed so every run makes the same puzzles.
#include <benchmark/benchmark.h>

#include "solver/generator.h"

namespace sudoku::bench {
namespace {

// The site's first start, which must stay under ten seconds: the levels in turn, two of levels
// 1, 2 and 4, three of level 3 and one of level 5 in every ten; givens drawn from 20 to 29 (20 to
// 23 for levels 4 and 5), half of the puzzles below level 5 symmetric.
void BM_GenerateCatalogue600(benchmark::State& state) {
  constexpr int kLevels[] = {1, 3, 2, 4, 1, 3, 5, 2, 3, 4};
  for (auto _ : state) {
    SeededRandom random(7);
    for (int n = 0; n < 600; ++n) {
      const int level = kLevels[n % 10];
      const bool symmetric = level < 5 && random.Next(0, 1) == 1;
      const int givens = level < 4 ? random.Next(20, 29) : random.Next(20, 23);
      benchmark::DoNotOptimize(GeneratePuzzleOfLevel(random, level, {givens, symmetric}));
    }
  }
  state.SetItemsProcessed(state.iterations() * 600);
}

// One puzzle of each level in turn, from minimal digging (level 5 the slowest to find).
void BM_GenerateEachLevel(benchmark::State& state) {
  SeededRandom random(19);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GeneratePuzzleOfLevel(random, int(state.range(0)), {22, false}));
  }
  state.SetItemsProcessed(state.iterations());
}

// As few givens as the generator reaches: the most uniqueness checks per puzzle.
void BM_GenerateMinimal(benchmark::State& state) {
  SeededRandom random(17);
  for (auto _ : state) benchmark::DoNotOptimize(GeneratePuzzle(random, {17, false}));
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_GenerateCatalogue600)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GenerateMinimal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GenerateEachLevel)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

}  // namespace sudoku::bench

BENCHMARK_MAIN();

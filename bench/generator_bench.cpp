// Benchmarks of the puzzle generator: a catalogue's worth of puzzles as the stand-in site seeds
// them, and minimal puzzles, each from a fixed seed so every run makes the same puzzles.
#include <benchmark/benchmark.h>

#include "solver/generator.h"

namespace sudoku::bench {
namespace {

// The site's first start: givens drawn from 20 to 29, half of the puzzles symmetric.
void BM_GenerateCatalogue600(benchmark::State& state) {
  for (auto _ : state) {
    SeededRandom random(7);
    for (int n = 0; n < 600; ++n) {
      const bool symmetric = random.Next(0, 1) == 1;
      const int givens = random.Next(20, 29);
      benchmark::DoNotOptimize(GeneratePuzzle(random, {givens, symmetric}));
    }
  }
  state.SetItemsProcessed(state.iterations() * 600);
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

}  // namespace sudoku::bench

BENCHMARK_MAIN();

// Benchmarks of the puzzle library's list with 10,000 puzzle files and 2,000 solved: the first
// listing (the window's start) against an empty library's, and the refresh after a solve.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "play/fakes.h"
#include "play/puzzle_files.h"
#include "play/puzzle_info_cache.h"

namespace sudoku::bench {
namespace {

constexpr int kFiles = 10000;
constexpr int kSolved = 2000;

std::string FileName(int k) {
  return "lib-" + std::to_string(k) + "_" + std::to_string(1 + k % 28) + "-" +
         std::to_string(1 + k % 12) + "-26.tema";
}

// The library folder, written once per process: puzzle files dated an hour ago (a listing keeps
// only settled files) and the statistics of kSolved solves.
const std::filesystem::path& Library() {
  static const std::filesystem::path base = [] {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("sudoku-library-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "temi");
    const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (int k = 0; k < kFiles; ++k) {
      const std::filesystem::path file = folder / "temi" / FileName(k);
      testing::WritePuzzle(file, testing::kPuzzle,
                           testing::SampleInfo(std::to_string(k % 997), "12-05-2008"));
      std::filesystem::last_write_time(file, settled);
    }
    std::ofstream statistics(folder / "statinfo.txt", std::ios::binary);
    for (int k = 0; k < kSolved; ++k)
      statistics << "[nome]" << FileName(k * 5) << "[timer]0h 1m 0s\r\n";
    return folder;
  }();
  return base;
}

struct Cleanup {
  ~Cleanup() {
    std::error_code ignored;
    std::filesystem::remove_all(Library(), ignored);
  }
};

void ListWith(benchmark::State& state, const std::filesystem::path& base, bool keepStore) {
  for (auto _ : state) {
    if (!keepStore) {
      state.PauseTiming();
      std::filesystem::remove(base / "temi" / PuzzleInfoCache::kStoreName);
      state.ResumeTiming();
    }
    testing::GameFixture f("bench");
    f.game.CartellaBase = base;
    f.game.AggiornaElenco();
    benchmark::DoNotOptimize(f.game.controls.LVsudoku.rows.size());
  }
}

// The list as the window shows it at start: with no puzzle file, with 10,000 and the store a
// previous run left, and with 10,000 read for the first time.
void BM_StartOfEmptyLibrary(benchmark::State& state) {
  testing::GameFixture empty("empty");
  ListWith(state, empty.base, true);
}

void BM_StartOf10000(benchmark::State& state) {
  static Cleanup cleanup;
  testing::GameFixture previous("previous");  // the run that left the store
  previous.game.CartellaBase = Library();
  previous.game.AggiornaElenco();
  ListWith(state, Library(), true);
}

void BM_StartOf10000WithoutStore(benchmark::State& state) {
  ListWith(state, Library(), false);
}

// The list rebuilt in the running window, after a solve.
void BM_RefreshOf10000(benchmark::State& state) {
  testing::GameFixture f("bench");
  f.game.CartellaBase = Library();
  f.game.AggiornaElenco();
  for (auto _ : state) {
    f.game.AggiornaElenco();
    benchmark::DoNotOptimize(f.game.controls.LVsudoku.rows.size());
  }
  state.counters["rows"] = double(f.game.controls.LVsudoku.rows.size());
}

// The sort alone, by the default column, of the rows of 10,000 files.
void BM_SortOf10000(benchmark::State& state) {
  testing::GameFixture f("bench");
  f.game.CartellaBase = Library();
  f.game.AggiornaElenco();
  for (auto _ : state) f.game.LVsudokuColumnClick(f.game.ColonnaOrdinamento);
}

BENCHMARK(BM_StartOfEmptyLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartOf10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartOf10000WithoutStore)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_RefreshOf10000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SortOf10000)->Unit(benchmark::kMillisecond)->Iterations(10);
}  // namespace
}  // namespace sudoku::bench

BENCHMARK_MAIN();

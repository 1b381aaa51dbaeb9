// Benchmarks of counting, step recording and the reduction, timed puzzle by puzzle. Each
// "Literal" benchmark times a few puzzles with both the literal string implementation and the
// engine, and reports their ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <numeric>

#include "puzzle_sets.h"
#include "solver/reference/reference_solver.h"
#include "solver/solution_counter.h"

namespace sudoku::bench {
namespace {

// Processor time of this thread in milliseconds: the machine is shared, so wall time would
// count other processes' turns too.
double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Processor milliseconds taken by work on each puzzle.
std::vector<double> TimeEach(const std::vector<Values>& puzzles,
                             const std::function<void(const Values&)>& work) {
  std::vector<double> times;
  for (const Values& puzzle : puzzles) {
    const double start = ThreadMilliseconds();
    work(puzzle);
    times.push_back(ThreadMilliseconds() - start);
  }
  return times;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times.empty() ? 0 : times[times.size() / 2];
}

void Report(benchmark::State& state, const std::string& source, const std::vector<double>& times,
            const std::string& prefix = "") {
  state.counters[prefix + "median_ms"] = Median(times);
  state.counters[prefix + "max_ms"] = *std::max_element(times.begin(), times.end());
  state.counters["puzzles"] = double(times.size());
  state.SetLabel(source);
}

std::vector<Values> First(const std::vector<Values>& puzzles, std::size_t n) {
  return {puzzles.begin(), puzzles.begin() + std::min(n, puzzles.size())};
}

void Count(const Values& puzzle, std::int32_t limit) {
  CountState counted;
  CountSolutions(BuildCandidates(GivensBoard(puzzle)), limit, counted);
  benchmark::DoNotOptimize(counted.NumSoluzioni);
}

void CountLiterally(const Values& puzzle, std::int32_t limit) {
  const Board board = GivensBoard(puzzle);
  reference::Counter counted;
  reference::CountSolutions(reference::BuildCandidates(board, nullptr), limit, counted, board);
  benchmark::DoNotOptimize(counted.NumSoluzioni);
}

void RecordSteps(const Values& puzzle) {
  StepLog log;
  log.PassoPasso = true;
  benchmark::DoNotOptimize(BuildCandidates(GivensBoard(puzzle), &log));
}

// The candidates alone, as the counter builds them: no step is recorded.
void Build(const Values& puzzle) {
  benchmark::DoNotOptimize(BuildCandidates(GivensBoard(puzzle)));
}

void RecordStepsLiterally(const Values& puzzle) {
  reference::Steps steps;
  steps.PassoPasso = true;
  benchmark::DoNotOptimize(reference::BuildCandidates(GivensBoard(puzzle), &steps));
}

Values SolutionOf(const Values& puzzle) {
  CountState counted;
  CountSolutions(BuildCandidates(GivensBoard(puzzle)), 1, counted);
  return counted.Soluzione;
}

void Engine(benchmark::State& state, const PuzzleSet& set,
            const std::function<void(const Values&)>& work) {
  for (auto _ : state) Report(state, set.source, TimeEach(set.puzzles, work));
}

// The literal implementation and the engine on the same few puzzles.
void Versus(benchmark::State& state, const PuzzleSet& set, std::size_t few,
            const std::function<void(const Values&)>& literal,
            const std::function<void(const Values&)>& engine) {
  const std::vector<Values> puzzles = First(set.puzzles, few);
  for (auto _ : state) {
    const std::vector<double> slow = TimeEach(puzzles, literal);
    const std::vector<double> fast = TimeEach(puzzles, engine);
    Report(state, set.source, slow, "literal_");
    Report(state, set.source, fast, "engine_");
    state.counters["ratio"] = std::accumulate(slow.begin(), slow.end(), 0.0) /
                              std::accumulate(fast.begin(), fast.end(), 0.0);
  }
}

const PuzzleSet& Top() {
  static const PuzzleSet set = Top1465();
  return set;
}
const PuzzleSet& Hardest() {
  static const PuzzleSet set = ForumHardest();
  return set;
}
const PuzzleSet& SparseSet() {
  static const PuzzleSet set = Sparse();
  return set;
}
const PuzzleSet& EmptyGrid() {
  static const PuzzleSet set{"empty grid", {Values{}}};
  return set;
}
// Solution grids of the first 100 top1465 puzzles: what the reduction starts from.
const PuzzleSet& Solutions() {
  static const PuzzleSet set = [] {
    PuzzleSet solutions{Top().source + " solutions", {}};
    for (const Values& puzzle : First(Top().puzzles, 100)) {
      solutions.puzzles.push_back(SolutionOf(puzzle));
    }
    return solutions;
  }();
  return set;
}

auto Limit(std::int32_t limit) {
  return [limit](const Values& puzzle) { Count(puzzle, limit); };
}
auto LiteralLimit(std::int32_t limit) {
  return [limit](const Values& puzzle) { CountLiterally(puzzle, limit); };
}
void Reduce(const Values& grid) {
  benchmark::DoNotOptimize(ReducePuzzle(grid));
}
void ReduceLiterally(const Values& grid) {
  benchmark::DoNotOptimize(reference::ReducePuzzle(grid));
}

void BM_CountTop1465Limit2(benchmark::State& s) {
  Engine(s, Top(), Limit(2));
}
void BM_CountTop1465Limit2Literal(benchmark::State& s) {
  Versus(s, Top(), 5, LiteralLimit(2), Limit(2));
}
void BM_CountForumHardestLimit2(benchmark::State& s) {
  Engine(s, Hardest(), Limit(2));
}
void BM_CountForumHardestLimit2Literal(benchmark::State& s) {
  Versus(s, Hardest(), 3, LiteralLimit(2), Limit(2));
}
void BM_CountSparseLimit60(benchmark::State& s) {
  Engine(s, SparseSet(), Limit(60));
}
void BM_CountSparseLimit60Literal(benchmark::State& s) {
  Versus(s, SparseSet(), 3, LiteralLimit(60), Limit(60));
}
void BM_CountEmptyLimit60(benchmark::State& s) {
  Engine(s, EmptyGrid(), Limit(60));
}
void BM_CountEmptyLimit60Literal(benchmark::State& s) {
  Versus(s, EmptyGrid(), 1, LiteralLimit(60), Limit(60));
}
void BM_BuildTop1465(benchmark::State& s) {
  Engine(s, Top(), Build);
}
void BM_StepsTop1465(benchmark::State& s) {
  Engine(s, Top(), RecordSteps);
}
void BM_StepsTop1465Literal(benchmark::State& s) {
  Versus(s, Top(), 100, RecordStepsLiterally, RecordSteps);
}
void BM_ReduceTop1465Solution(benchmark::State& s) {
  Engine(s, Solutions(), Reduce);
}
void BM_ReduceTop1465SolutionLiteral(benchmark::State& s) {
  Versus(s, Solutions(), 2, ReduceLiterally, Reduce);
}

}  // namespace

BENCHMARK(BM_CountTop1465Limit2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountTop1465Limit2Literal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountForumHardestLimit2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountForumHardestLimit2Literal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountSparseLimit60)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountSparseLimit60Literal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountEmptyLimit60)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountEmptyLimit60Literal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTop1465)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepsTop1465)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepsTop1465Literal)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceTop1465Solution)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceTop1465SolutionLiteral)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace sudoku::bench

BENCHMARK_MAIN();

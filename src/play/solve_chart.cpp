// Building the statistics chart's series.
#include "play/solve_chart.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "play/statistics_file.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

std::optional<long> Piece(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  long value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data() + first, end, value);
  if (error != std::errc() || stop != end || value < 0) return std::nullopt;
  return value;
}

int LevelOf(const std::filesystem::path& puzzle) {
  if (!IsReadableFile(puzzle)) return 0;
  try {
    const std::optional<long> level = Piece(ReadPuzzleFile(puzzle).Info.Livello);
    return level && *level >= 1 && *level <= 5 ? int(*level) : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace

SolveSeries ReadSolveSeries(const std::filesystem::path& cartellaBase) {
  SolveSeries series;
  const std::filesystem::path file = StatisticsPath(cartellaBase);
  std::error_code missing;
  if (!std::filesystem::exists(file, missing)) return series;
  double total = 0;
  for (const std::string& line : ReadTextLines(file)) {
    if (line.empty()) continue;
    const std::optional<StatRecord> record = ParseStatLine(line);
    const std::optional<long> h = record ? Piece(record->hours) : std::nullopt;
    const std::optional<long> m = record ? Piece(record->minutes) : std::nullopt;
    const std::optional<long> s = record ? Piece(record->seconds) : std::nullopt;
    if (!h || !m || !s || *h > 100000) {
      ++series.skipped;
      continue;
    }
    SolvePoint point;
    point.index = int(series.points.size()) + 1;
    point.minutes = double(*h) * 60 + double(*m) + double(*s) / 60;
    point.name = StatLineName(line).value_or(record->name);
    point.level = LevelOf(cartellaBase / "temi" / record->name);
    total += point.minutes;
    point.averageMinutes = total / point.index;
    series.points.push_back(point);
  }
  return series;
}

int SolveAxisStep(std::size_t solves) {
  const std::size_t span = std::max<std::size_t>(solves, 1) + 1;
  for (std::size_t scale = 1;; scale *= 10) {
    for (std::size_t step : {scale, 2 * scale, 5 * scale}) {
      if (span <= 10 * step) return int(step);
    }
  }
}

std::string SolveChartNote(std::size_t solves, int skipped, bool english) {
  const std::string count = std::to_string(solves), lines = std::to_string(skipped);
  if (english) {
    return count + (solves == 1 ? " solve; " : " solves; ") + lines +
           (skipped == 1 ? " unreadable line skipped" : " unreadable lines skipped");
  }
  return count + (solves == 1 ? " soluzione; " : " soluzioni; ") + lines +
         (skipped == 1 ? " riga illeggibile saltata" : " righe illeggibili saltate");
}

}  // namespace sudoku

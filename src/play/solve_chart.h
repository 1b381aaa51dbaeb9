// The series the statistics chart draws: every solve of the statistics file in the order it was
// recorded, its time, the puzzle's level when the puzzle file still tells it, and the running
// average.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sudoku {

struct SolvePoint {
  int index = 0;              // 1 for the first solve recorded
  double minutes = 0;         // solving time
  int level = 0;              // 1-5 from the puzzle file, 0 when not known
  double averageMinutes = 0;  // mean of this solve and every one before it
  std::string name;           // the puzzle file's name
};

struct SolveSeries {
  std::vector<SolvePoint> points;
  int skipped = 0;  // lines of the file that are no solve record or have no readable time
};

// Reads temi/statinfo.txt under cartellaBase (an absent file gives no points); the levels come
// from the puzzle files in temi. Throws std::runtime_error when the file cannot be read.
SolveSeries ReadSolveSeries(const std::filesystem::path& cartellaBase);

// The distance between the labelled ticks of the solve axis, which runs from 0 to solves + 1:
// a whole number (1, 2, 5, 10, 20, ...) giving at most ten intervals, so that no two ticks
// bear the same label.
int SolveAxisStep(std::size_t solves);

// The line under the chart: how many solves it draws and how many lines it skipped, singular
// or plural as the numbers ask.
std::string SolveChartNote(std::size_t solves, int skipped, bool english);

}  // namespace sudoku

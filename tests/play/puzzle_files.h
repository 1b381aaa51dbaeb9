// Writing puzzle files for tests from row-major 81-character strings.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "play/board_strings.h"
#include "solver/random.h"
#include "storage/puzzle_file.h"

namespace sudoku::testing {

inline constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

inline PuzzleInfo SampleInfo(const std::string& number = "123",
                             const std::string& date = "12-05-2008") {
  return {"Admin", "Classico", "30", "3", "7,5", "12", number, date};
}

inline void WritePuzzle(const std::filesystem::path& file, std::string_view rows,
                        const PuzzleInfo& info = SampleInfo()) {
  std::array<int, 81> givens{};
  for (int i = 0; i < 81; ++i) {
    const char c = rows[std::size_t(i)];
    givens[std::size_t(CellIndex(i % 9, i / 9))] = c >= '1' && c <= '9' ? c - '0' : 0;
  }
  SeededRandom random(7);
  WritePuzzleFile(file, info, givens, random);
}

}  // namespace sudoku::testing

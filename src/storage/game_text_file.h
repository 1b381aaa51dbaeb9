// The plain text files of a game in progress: the saved game (timer, grid and candidates lines)
// and the unfinished puzzle (timer and grid lines), each line ended by CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "solver/board.h"

namespace sudoku {

inline constexpr std::string_view kTimerKey = "[timer]:";
inline constexpr std::string_view kGridKey = "[griglia]:";
inline constexpr std::string_view kCandidatesKey = "[ua]:";

// The 81 characters of the grid line, column-major: each cell's text when it has one, else its
// given digit, else '0'. Givens and entries are not told apart.
std::string GridLineCells(const Board& board);

// The saved game: timer line, grid line and candidates line ("0#" for an empty candidates text).
std::string SavedGameText(std::string_view timerText, const Board& board,
                          const std::array<std::string, 81>& candidateTexts);

// The unfinished puzzle: the timer line and the grid line only.
std::string UnfinishedPuzzleText(std::string_view timerText, const Board& board);

// What a reader takes from either file. Lines are found by position, their keys are skipped
// unread; the candidates line is never read.
struct GameTextContent {
  std::string TimerText;  // line 1 from its ninth character, at most 100 characters
  // The grid line's characters from its eleventh, column-major; '0' (no entry) for every cell
  // that a short or missing line does not reach. Characters beyond the 81st are ignored.
  std::array<char, 81> Cells;
  // Whether every cell character is '0'..'9'; anything else marks a damaged file.
  bool CellsAreDigits() const;
};

// Splits content at CR LF, LF or a lone CR. Never reads past the end of a line.
GameTextContent ParseGameText(std::string_view content);

// Reads and parses the file; empty when it is missing or cannot be read.
std::optional<GameTextContent> ReadGameTextFile(const std::filesystem::path& file);

// The seconds of a timer text such as "1h 2m 3s": the number before the first "h", the one from
// two characters after it up to the first "m", the one from two characters after that up to the
// first "s". Empty when a part is missing, out of order, not a decimal integer, negative, or the
// total does not fit the clock.
std::optional<std::int32_t> ClockSeconds(std::string_view timerText);

}  // namespace sudoku

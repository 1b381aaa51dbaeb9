// The saved-game and unfinished-puzzle text files: writing and reading their lines.
#include "storage/game_text_file.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include "storage/raw_file.h"

namespace sudoku {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kTimerTextLimit = 100;
// Only the first two lines matter; a file larger than this is read in part.
constexpr std::size_t kReadLimit = 1 << 20;

std::vector<std::string_view> SplitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
}

// The text from the zero-based position on, at most limit characters; empty past the end.
std::string_view Tail(std::string_view line, std::size_t from, std::size_t limit) {
  if (from >= line.size()) return {};
  return line.substr(from, limit);
}

std::optional<std::int64_t> DecimalNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string GridLineCells(const Board& board) {
  std::string cells(81, '0');
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const int cell = CellIndex(col, row);
      const std::string& text = board.Texts[cell];
      if (!text.empty()) {
        cells[cell] = text.front();
      } else if (board.IsGiven(col, row) && board.Schema[cell].size() > 1) {
        cells[cell] = board.Schema[cell][1];
      }
    }
  }
  return cells;
}

std::string UnfinishedPuzzleText(std::string_view timerText, const Board& board) {
  std::string text;
  text.append(kTimerKey).append(timerText).append(kLineEnd);
  text.append(kGridKey).append(GridLineCells(board)).append(kLineEnd);
  return text;
}

std::string SavedGameText(std::string_view timerText, const Board& board,
                          const std::array<std::string, 81>& candidateTexts) {
  std::string text = UnfinishedPuzzleText(timerText, board);
  text.append(kCandidatesKey);
  for (const std::string& candidates : candidateTexts) {
    text.append(candidates.empty() ? "0" : candidates).push_back('#');
  }
  text.append(kLineEnd);
  return text;
}

bool GameTextContent::CellsAreDigits() const {
  return std::all_of(Cells.begin(), Cells.end(), [](char c) { return c >= '0' && c <= '9'; });
}

GameTextContent ParseGameText(std::string_view content) {
  GameTextContent parsed;
  parsed.Cells.fill('0');
  const std::vector<std::string_view> lines = SplitLines(content);
  if (!lines.empty()) {
    parsed.TimerText = std::string(Tail(lines[0], kTimerKey.size(), kTimerTextLimit));
  }
  if (lines.size() > 1) {
    const std::string_view grid = Tail(lines[1], kGridKey.size(), parsed.Cells.size());
    std::copy(grid.begin(), grid.end(), parsed.Cells.begin());
  }
  return parsed;
}

std::optional<GameTextContent> ReadGameTextFile(const std::filesystem::path& file) {
  try {
    return ParseGameText(ReadFileBytes(file, kReadLimit));
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

std::optional<std::int32_t> ClockSeconds(std::string_view timerText) {
  const std::size_t h = timerText.find('h');
  const std::size_t m = timerText.find('m');
  const std::size_t s = timerText.find('s');
  if (h == std::string_view::npos || m == std::string_view::npos || s == std::string_view::npos ||
      m < h + 2 || s < m + 2) {
    return std::nullopt;
  }
  const auto hours = DecimalNumber(timerText.substr(0, h));
  const auto minutes = DecimalNumber(timerText.substr(h + 2, m - h - 2));
  const auto seconds = DecimalNumber(timerText.substr(m + 2, s - m - 2));
  if (!hours || !minutes || !seconds) return std::nullopt;
  const std::int64_t total = *hours * 3600 + *minutes * 60 + *seconds;
  if (total > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(total);
}

}  // namespace sudoku

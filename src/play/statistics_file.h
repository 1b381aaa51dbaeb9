// The statistics file temi/statinfo.txt: one "[nome]<name>[timer]<time>" line per solve, CR LF
// ended. Parsing for the report and for the library's solved marks.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sudoku {

inline constexpr std::size_t kMaxStatRecords = 2000;

std::filesystem::path StatisticsPath(const std::filesystem::path& cartellaBase);

// One record of the report: the name and the three pieces of the time, each at most 30
// characters, spaces kept (0h 5m 23s gives "0", " 5", " 23").
struct StatRecord {
  std::string name, hours, minutes, seconds;
};

// The record of a line holding both markers and a non-empty name; nullopt otherwise.
std::optional<StatRecord> ParseStatLine(std::string_view line);

// The name between "[nome]" and "[timer]" of a line holding both, possibly empty; nullopt when
// the line lacks a marker.
std::optional<std::string> StatLineName(std::string_view line);

// The file's lines without their line ends. Throws std::runtime_error naming the file when it
// cannot be read.
std::vector<std::string> ReadTextLines(const std::filesystem::path& file);

// Appends one line, creating the file when missing. Throws std::runtime_error naming the file
// when it cannot be written.
void AppendStatLine(const std::filesystem::path& file, const std::string& name,
                    const std::string& time);

// The names of solved puzzles as the library marks them: at most 2000, each cut to 50.
std::vector<std::string> ReadSolvedNames(const std::filesystem::path& file);

}  // namespace sudoku

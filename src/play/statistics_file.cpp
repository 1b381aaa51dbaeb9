// The statistics file: writing solve lines and reading them back.
#include "play/statistics_file.h"

#include <fstream>
#include <stdexcept>

#include "play/text_utils.h"

namespace sudoku {
namespace {

constexpr std::string_view kNome = "[nome]";
constexpr std::string_view kTimer = "[timer]";

// The text before the first c of t, else the whole of t.
std::string Before(std::string_view t, char c) {
  const std::size_t at = t.find(c);
  return std::string(at == std::string_view::npos ? t : t.substr(0, at));
}

// The text between the first a and the first b of t; the whole of t when either is missing.
std::string Between(std::string_view t, char a, char b) {
  const std::size_t first = t.find(a), second = t.find(b);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::string(t);
  return Copy(t, std::ptrdiff_t(first) + 1, std::ptrdiff_t(second) - std::ptrdiff_t(first) - 1);
}

}  // namespace

std::filesystem::path StatisticsPath(const std::filesystem::path& cartellaBase) {
  return cartellaBase / "temi" / "statinfo.txt";
}

std::optional<std::string> StatLineName(std::string_view line) {
  const std::size_t nome = line.find(kNome), timer = line.find(kTimer);
  if (nome == std::string_view::npos || timer == std::string_view::npos) return std::nullopt;
  const std::ptrdiff_t start = std::ptrdiff_t(nome + kNome.size());
  return Copy(line, start, std::ptrdiff_t(timer) - start);
}

std::optional<StatRecord> ParseStatLine(std::string_view line) {
  std::optional<std::string> name = StatLineName(line);
  if (!name || name->empty()) return std::nullopt;
  const std::string t = Copy(line, std::ptrdiff_t(line.find(kTimer) + kTimer.size()), 30);
  return StatRecord{name->substr(0, 30), Before(t, 'h').substr(0, 30),
                    Between(t, 'h', 'm').substr(0, 30), Between(t, 'm', 's').substr(0, 30)};
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + file.string() + "\".");
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  if (in.bad()) throw std::runtime_error("Read error on file \"" + file.string() + "\".");
  return lines;
}

void AppendStatLine(const std::filesystem::path& file, const std::string& name,
                    const std::string& time) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (out) out << kNome << name << kTimer << time << "\r\n" << std::flush;
  if (!out) throw std::runtime_error("Cannot write file \"" + file.string() + "\".");
}

std::vector<std::string> ReadSolvedNames(const std::filesystem::path& file) {
  std::vector<std::string> names;
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return names;
  for (const std::string& line : ReadTextLines(file)) {
    if (names.size() >= kMaxStatRecords) break;
    std::optional<std::string> name = StatLineName(line);
    if (name && !name->empty()) names.push_back(name->substr(0, 50));
  }
  return names;
}

}  // namespace sudoku

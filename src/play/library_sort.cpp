// Reading the library list's numeric and date columns for sorting.
#include "play/library_sort.h"

#include <cctype>
#include <charconv>
#include <chrono>
#include <string>
#include <vector>

namespace sudoku {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

}  // namespace

std::optional<double> ParseListNumber(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return 0.0;
  if (text.front() == '+') text.remove_prefix(1);
  // Only digits, a sign and a point start a number ("inf" and "nan" do not count).
  const std::size_t lead = !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() <= lead ||
      !(std::isdigit(static_cast<unsigned char>(text[lead])) || text[lead] == '.')) {
    return std::nullopt;
  }
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

long DaysSinceEpoch(int year, int month, int day) {
  using namespace std::chrono;
  return long(sys_days(std::chrono::year(year) / std::chrono::month(unsigned(month)) /
                       std::chrono::day(unsigned(day)))
                  .time_since_epoch()
                  .count());
}

std::optional<long> ParseListDate(std::string_view text, const DateTime& today) {
  text = Trim(text);
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t dash = text.find('-');
    parts.push_back(text.substr(0, dash));
    if (dash == std::string_view::npos) break;
    text.remove_prefix(dash + 1);
  }
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  int numbers[3] = {0, 0, today.year};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string_view part = parts[i];
    if (part.empty() || part.size() > 4) return std::nullopt;
    auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), numbers[i]);
    if (error != std::errc() || end != part.data() + part.size()) return std::nullopt;
  }
  int year = numbers[2];
  if (parts.size() == 3 && parts[2].size() <= 2) {
    const int windowStart = today.year - 50;
    year += windowStart / 100 * 100;
    if (year < windowStart) year += 100;
  }
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(numbers[1])),
                            std::chrono::day(unsigned(numbers[0]))};
  if (year < 1 || !date.ok()) return std::nullopt;
  return DaysSinceEpoch(year, numbers[1], numbers[0]);
}

}  // namespace sudoku

// Recording every solve in the statistics file, and the statistics report.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "play/game.h"
#include "play/statistics_file.h"
#include "play/text_utils.h"

namespace sudoku {
namespace {

std::string HoursMinutesSeconds(std::int64_t seconds) {
  return std::to_string(seconds / 3600) + "h " + std::to_string(seconds % 3600 / 60) + "m " +
         std::to_string(seconds % 3600 % 60) + "s";
}

// A piece reads only as a 32-bit integer, as the times were written, so that no total or sum
// of at most 2000 totals can overflow.
std::optional<std::int64_t> Piece(const std::string& text) {
  std::optional<std::int64_t> value = ParseInteger(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return value;
}

std::optional<std::int64_t> TotalSeconds(const StatRecord& record) {
  std::optional<std::int64_t> h = Piece(record.hours), m = Piece(record.minutes),
                              s = Piece(record.seconds);
  if (!h || !m || !s) return std::nullopt;
  return *h * 3600 + *m * 60 + *s;
}

}  // namespace

void Game::RegistraSoluzione() {
  const std::string& name = controls.enomefile.text;
  try {
    AppendStatLine(StatisticsPath(CartellaBase), name.empty() ? "outpuzzle" : name,
                   controls.LTime.caption);
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void Game::StatisticheClick() {
  const std::filesystem::path file = StatisticsPath(CartellaBase);
  std::vector<StatRecord> records;
  std::error_code missing;
  if (std::filesystem::exists(file, missing)) {
    try {
      for (const std::string& line : ReadTextLines(file)) {
        if (records.size() >= kMaxStatRecords) break;
        if (std::optional<StatRecord> record = ParseStatLine(line)) records.push_back(*record);
      }
    } catch (const std::exception& error) {
      ReportError(error.what());
      return;
    }
  }
  if (records.empty()) {
    dialogs.Message(BoxKind::Plain,
                    Tr("Statistiche non disponibili.", "Statistics are not available."));
    return;
  }

  std::int64_t sum = 0, minimum = 50000;
  const StatRecord* fastest = nullptr;
  for (const StatRecord& record : records) {
    std::optional<std::int64_t> total = TotalSeconds(record);
    if (!total) continue;  // unreadable times still count as solves
    sum += *total;
    if (*total < minimum) {
      minimum = *total;
      fastest = &record;
    }
  }
  const std::string count = std::to_string(records.size());
  const std::string average = HoursMinutesSeconds(sum / std::int64_t(records.size()));
  const bool english = Lingua == "en";
  std::string text =
      english ? "You just solved " + count + " puzzles.\n\rThe average time for each puzzle is " +
                    average + "\n\r\n\r"
              : "Sono stati risolti " + count +
                    " puzzles.\n\rIl tempo medio per ogni puzzle \xE8 di " + average + "\n\r\n\r";
  if (fastest == nullptr) {
    text += english ? "No puzzle has a valid minimum time."
                    : "Nessun puzzle ha un tempo minimo valido.";
  } else {
    const std::string time =
        fastest->hours + "h " + fastest->minutes + "m " + fastest->seconds + "s";
    text +=
        english
            ? "The puzzle " + fastest->name + " was resolved with the minimum time of " + time
            : "Il puzzle " + fastest->name + " \xE8 stato risolto con il tempo minimo di " + time;
  }
  dialogs.Message(BoxKind::Plain, text);
}

}  // namespace sudoku

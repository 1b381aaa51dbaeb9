// The texts of the web catalogue: the ten ";" fields of a catalogue page's title, the
// components of a selection address, and the query of a puzzle's online solution.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sudoku {

// What a catalogue page's title sets. Fields 1-7 go to campi[1..7], field 8 to marcatore.
struct TitleTargets {
  std::array<std::string, 11>& campi;
  std::string& marcatore;
  std::int32_t& scrollX;
  std::int32_t& scrollY;
};

// Reads the title field by field: a field followed by ";" replaces its target, one without
// leaves it as it was; the scroll fields become 0 when they are not numbers.
void ReadCatalogueTitle(std::string title, const TitleTargets& targets);

// The components of a selection address: at most 50 characters after its first "=", split at
// "_"; at most ten.
std::vector<std::string> CatalogueComponents(const std::string& address);

// The decimal value of the whole text, or nothing when it is not a 32-bit integer.
bool ParseInt32(const std::string& text, std::int32_t& value);

// The query value of the online solution: "year_month_day_number" from a publication date
// "dd/mm/yyyy" or "dd-mm-yy" (a two-digit year gets "20" before it).
std::string SolutionQuery(std::string date, const std::string& number);

}  // namespace sudoku

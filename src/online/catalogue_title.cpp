// Splitting the catalogue's titles and addresses.
#include "online/catalogue_title.h"

#include <charconv>

namespace sudoku {
namespace {

// Moves the text before the first separator into `head` and keeps the rest; false, with both
// left alone, when there is no separator.
bool TakeField(std::string& text, char separator, std::string& head) {
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return false;
  head = text.substr(0, at);
  text.erase(0, at + 1);
  return true;
}

std::int32_t NumberOrZero(const std::string& text) {
  std::int32_t value = 0;
  return ParseInt32(text, value) ? value : 0;
}

}  // namespace

bool ParseInt32(const std::string& text, std::int32_t& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  std::int32_t parsed = 0;
  auto [end, error] = std::from_chars(first, last, parsed);
  if (error != std::errc() || end != last || first == last) return false;
  value = parsed;
  return true;
}

void ReadCatalogueTitle(std::string title, const TitleTargets& targets) {
  for (int field = 1; field <= 7; ++field) TakeField(title, ';', targets.campi[std::size_t(field)]);
  TakeField(title, ';', targets.marcatore);
  std::string scroll;
  if (TakeField(title, ';', scroll)) targets.scrollX = NumberOrZero(scroll);
  targets.scrollY = NumberOrZero(title);
}

std::vector<std::string> CatalogueComponents(const std::string& address) {
  std::string rest = address;
  if (const std::size_t equals = rest.find('='); equals != std::string::npos) {
    rest = rest.substr(equals + 1, 50);
  }
  std::vector<std::string> components;
  std::string component;
  while (components.size() < 10 && TakeField(rest, '_', component)) components.push_back(component);
  if (components.size() < 10) components.push_back(rest);
  return components;
}

std::string SolutionQuery(std::string date, const std::string& number) {
  std::string day, month, year;
  for (char separator : {'-', '/'}) {
    if (date.find(separator) == std::string::npos) continue;
    TakeField(date, separator, day);
    date = date.substr(0, 20);
    break;
  }
  for (char separator : {'-', '/'}) {
    if (date.find(separator) == std::string::npos) continue;
    TakeField(date, separator, month);
    year = date.substr(0, 20);
    break;
  }
  if (year.size() == 2) year = "20" + year;
  return year + "_" + month + "_" + day + "_" + number;
}

}  // namespace sudoku

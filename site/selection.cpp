// Reading the catalogue selection.
#include "site/selection.h"

#include <algorithm>
#include <vector>

#include "site/query.h"

namespace sudoku::site {
namespace {

int Component(const std::string& text, int low, int high, const char* what) {
  const auto value = ParseNumber(text);
  if (!value || *value < low || *value > high) throw BadRequest{std::string("valore di ") + what};
  return *value;
}

}  // namespace

Selection ParseSelection(const std::string& of) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (parts.size() < 5) {
    const std::size_t end = of.find('_', start);
    parts.push_back(of.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (parts.size() < 5) throw BadRequest{"selezione incompleta"};
  Selection selection;
  selection.Filter.Year = Component(parts[0], 2000, 2100, "anno");
  selection.Filter.Month = Component(parts[1], 0, 12, "mese");
  if (parts[2] != "T" && parts[2] != "S" && parts[2] != "t" && parts[2] != "s")
    throw BadRequest{"tipo di schema"};
  selection.Filter.SymmetricOnly = parts[2] == "S" || parts[2] == "s";
  selection.Filter.Givens = Component(parts[3], 0, 81, "numeri base");
  selection.Page = std::max(Component(parts[4], 0, 999999, "pagina"), 1);
  return selection;
}

}  // namespace sudoku::site

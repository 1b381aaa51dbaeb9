// Fuzz target of the site's request parsing: queries, percent-decoding, ";"-split values, forms,
// cookies, numbers and the catalogue selection take any bytes without crashing, and keep their
// promises (decoded text is UTF-8, numbers read back, selections stay in range).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "site/query.h"
#include "site/selection.h"

namespace {

void Check(bool promise) {
  if (!promise) std::abort();
}

// Valid UTF-8 is left as it is, so a decoded text must come back unchanged, and it is strictly
// well formed (what every page the site sends is built from).
void CheckUtf8(const std::string& text) {
  Check(sudoku::site::ToUtf8(text) == text);
  Check(sudoku::site::IsValidUtf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sudoku::site;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  for (const auto& [name, value] : ParseRawQuery(bytes)) {
    CheckUtf8(name);
    Check(value.find('&') == std::string::npos);
    const std::vector<std::string> pieces = SplitDecoded(value);
    std::size_t semicolons = 0;
    for (char c : value) semicolons += c == ';';
    Check(pieces.size() == semicolons + 1);
    for (const std::string& piece : pieces) CheckUtf8(piece);
  }
  CheckUtf8(PercentDecode(bytes));
  // Clean text is the stored kind: well formed, without a byte below the blank or DEL.
  if (IsCleanText(bytes)) {
    Check(IsValidUtf8(bytes));
    for (char c : bytes) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
  Check(ToUtf8(PercentDecodeBytes(bytes)) == PercentDecode(bytes));
  CheckUtf8(PercentDecode(bytes, true));
  for (const auto& [name, value] : ParseForm(bytes)) CheckUtf8(value);

  const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  CookieValue(bytes, bytes.substr(0, cut));
  Lower(bytes);

  if (const auto number = ParseNumber(bytes)) {
    Check(size <= 9 && bytes.find_first_not_of("0123456789") == std::string::npos);
    Check(std::stoll(bytes) == *number);
  }

  try {
    const Selection selection = ParseSelection(bytes);
    Check(selection.Filter.Year >= 2000 && selection.Filter.Year <= 2100);
    Check(selection.Filter.Month >= 0 && selection.Filter.Month <= 12);
    Check(selection.Filter.Givens >= 0 && selection.Filter.Givens <= 81);
    Check(selection.Page >= 1 && selection.Page <= 999999);
  } catch (const BadRequest&) {
  }
  return 0;
}

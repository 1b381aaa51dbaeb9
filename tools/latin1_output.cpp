// Latin-1 to UTF-8, and the --lang value.
#include "latin1_output.h"

namespace sudoku::cli {

std::string Utf8(const std::string& latin1) {
  std::string text;
  for (unsigned char ch : latin1) {
    if (ch < 0x80) {
      text += char(ch);
    } else {
      text += char(0xC0 | (ch >> 6));
      text += char(0x80 | (ch & 0x3F));
    }
  }
  return text;
}

bool ParseLanguage(const std::string& value, bool& english) {
  if (value != "en" && value != "it") return false;
  english = value == "en";
  return true;
}

}  // namespace sudoku::cli

// Escaping of query values.
#include "online/query_value.h"

#include "play/text_utils.h"

namespace sudoku {
namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string QueryValue(const std::string& latin1) {
  return Utf8QueryValue(Latin1ToUtf8(latin1));
}

std::string Utf8QueryValue(const std::string& utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size() * 3);
  for (unsigned char byte : utf8) {
    if (Unreserved(byte)) {
      out += char(byte);
      continue;
    }
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out;
}

}  // namespace sudoku

// Escaping of query values.
#include "online/query_value.h"

namespace sudoku {
namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

void AppendEscaped(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  if (Unreserved(byte)) {
    out += char(byte);
    return;
  }
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

}  // namespace

std::string QueryValue(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size() * 3);
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      AppendEscaped(out, c);
    } else {
      AppendEscaped(out, static_cast<unsigned char>(0xC0 | (c >> 6)));
      AppendEscaped(out, static_cast<unsigned char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace sudoku

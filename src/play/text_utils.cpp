// Small text helpers of the play logic.
#include "play/text_utils.h"

#include <algorithm>
#include <charconv>

namespace sudoku {

int TextValue(std::string_view text) {
  std::optional<std::int64_t> value = ParseInteger(text);
  return value && *value >= INT32_MIN && *value <= INT32_MAX ? int(*value) : 0;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

namespace {

unsigned char Fold(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return u + 32;
  // Latin-1 capitals 0xC0..0xDE, except the multiplication sign 0xD7.
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 32;
  return u;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int difference = int(Fold(a[i])) - int(Fold(b[i]));
    if (difference != 0) return difference;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::string Copy(std::string_view text, std::ptrdiff_t from, std::ptrdiff_t count) {
  if (count <= 0 || from < 0 || from >= std::ptrdiff_t(text.size())) return "";
  return std::string(text.substr(std::size_t(from), std::size_t(count)));
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size() * 2);
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Utf8Prefix(std::string_view utf8, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    const bool continuation = (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80;
    if (!continuation && ++characters > maxCharacters) return std::string(utf8.substr(0, at));
  }
  return std::string(utf8);
}

}  // namespace sudoku

// Query, form and cookie parsing.
#include "site/query.h"

#include <cctype>

namespace sudoku::site {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::map<std::string, std::string> ParseRawQuery(const std::string& query) {
  std::map<std::string, std::string> params;
  std::size_t start = 0;
  while (start <= query.size()) {
    std::size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    const std::string part = query.substr(start, end - start);
    if (!part.empty()) {
      const std::size_t eq = part.find('=');
      std::string name = PercentDecode(part.substr(0, eq));
      std::string value = eq == std::string::npos ? std::string() : part.substr(eq + 1);
      params.emplace(std::move(name), std::move(value));
    }
    start = end + 1;
  }
  return params;
}

// The length of the well-formed UTF-8 sequence at text[i], or 0 when none starts there.
std::size_t SequenceLength(const std::string& text, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) return 1;
  std::size_t extra = 0;
  unsigned code = 0;
  if (c >= 0xC2 && c <= 0xDF) {  // 0xC0 and 0xC1 could only start overlong forms
    extra = 1;
    code = c & 0x1Fu;
  } else if ((c >> 4) == 0xE) {
    extra = 2;
    code = c & 0x0Fu;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    code = c & 0x07u;
  } else {
    return 0;
  }
  if (i + extra >= text.size()) return 0;
  for (std::size_t k = 1; k <= extra; ++k) {
    const unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next >> 6) != 0x2) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  static constexpr unsigned kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return extra + 1;
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0, length = 0; i < text.size(); i += length)
    if ((length = SequenceLength(text, i)) == 0) return false;
  return true;
}

std::string ReplaceInvalidUtf8(const std::string& text) {
  if (IsValidUtf8(text)) return text;
  std::string out;
  out.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD, the replacement character
      ++i;
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out;
}

bool IsCleanText(const std::string& text) {
  if (!IsValidUtf8(text)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return false;
    // U+0080 to U+009F, the second set of control characters, are 0xC2 0x80 to 0xC2 0x9F.
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)
      return false;
  }
  return true;
}

std::string PercentDecode(const std::string& raw, bool plusIsSpace) {
  return ToUtf8(PercentDecodeBytes(raw, plusIsSpace));
}

std::string PercentDecodeBytes(const std::string& raw, bool plusIsSpace) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '%' && i + 2 < raw.size() && HexValue(raw[i + 1]) >= 0 && HexValue(raw[i + 2]) >= 0) {
      out.push_back(char(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2])));
      i += 2;
    } else if (c == '+' && plusIsSpace) {
      out.push_back(' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<std::string> SplitDecoded(const std::string& raw) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = raw.find(';', start);
    pieces.push_back(PercentDecode(raw.substr(start, end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return pieces;
}

std::map<std::string, std::string> ParseForm(const std::string& body) {
  std::map<std::string, std::string> form;
  for (auto& [name, value] : ParseRawQuery(body)) form.emplace(name, PercentDecode(value, true));
  return form;
}

std::optional<std::string> CookieValue(const std::string& header, const std::string& name) {
  std::size_t start = 0;
  while (start < header.size()) {
    std::size_t end = header.find(';', start);
    if (end == std::string::npos) end = header.size();
    std::string part = header.substr(start, end - start);
    const std::size_t first = part.find_first_not_of(' ');
    if (first != std::string::npos) part = part.substr(first);
    const std::size_t eq = part.find('=');
    if (eq != std::string::npos && part.substr(0, eq) == name) return part.substr(eq + 1);
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<int> ParseNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string ToUtf8(const std::string& text) {
  if (IsValidUtf8(text)) return text;
  std::string out;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(char(0xC0 | (u >> 6)));
      out.push_back(char(0x80 | (u & 0x3F)));
    }
  }
  return out;
}

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace sudoku::site

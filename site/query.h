// Reading what a request carries, trusting none of it: the raw query split into its parameters,
// values split at ";" before they are percent-decoded, form bodies, cookies.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sudoku::site {

// A request whose parameters cannot be read; the server answers it with a 400 page.
struct BadRequest {
  std::string Reason;
};

// The parameters of a raw query ("a=1&b=x%3By"), values still percent-encoded; the first of a
// repeated name wins. A name without "=" has an empty value.
std::map<std::string, std::string> ParseRawQuery(const std::string& query);

// Decodes %XX escapes (a malformed escape is kept as it is); plusIsSpace for form bodies. Bytes
// that are not valid UTF-8 are read as Latin-1, so the result is always UTF-8.
std::string PercentDecode(const std::string& raw, bool plusIsSpace = false);

// Decodes %XX escapes as PercentDecode does, keeping the bytes as they are.
std::string PercentDecodeBytes(const std::string& raw, bool plusIsSpace = false);

// True for well-formed UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
bool IsValidUtf8(const std::string& text);

// The text with every byte that starts no well-formed sequence replaced by U+FFFD.
std::string ReplaceInvalidUtf8(const std::string& text);

// Text fit to store and show: valid UTF-8 without control characters (C0, DEL or C1).
bool IsCleanText(const std::string& text);

// A raw value split at every ";" and then decoded piece by piece.
std::vector<std::string> SplitDecoded(const std::string& raw);

// The decoded parameters of an application/x-www-form-urlencoded body.
std::map<std::string, std::string> ParseForm(const std::string& body);

// The value of one cookie of a Cookie header, if present.
std::optional<std::string> CookieValue(const std::string& header, const std::string& name);

// A whole decimal number of at most 9 digits (no sign, no blanks), else nothing.
std::optional<int> ParseNumber(const std::string& text);

// Converts Latin-1 bytes to UTF-8 unless the text already is valid UTF-8.
std::string ToUtf8(const std::string& text);

std::string Lower(std::string text);

}  // namespace sudoku::site

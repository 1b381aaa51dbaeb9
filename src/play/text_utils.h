// Small text helpers of the play logic: numbers in cell texts, case-insensitive comparison, the
// Copy-style substring that yields an empty text for a negative count, and UTF-8 conversions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sudoku {

// The integer a cell text stands for; 0 when it is not a decimal number.
int TextValue(std::string_view text);

// A decimal integer with optional leading spaces and sign and nothing after; nullopt otherwise.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// Compares Latin-1 texts ignoring letter case: negative, 0 or positive.
int CompareText(std::string_view a, std::string_view b);

// Up to count characters of text from position from (0-based); empty when count <= 0 or from is
// past the end.
std::string Copy(std::string_view text, std::ptrdiff_t from, std::ptrdiff_t count);

// A Latin-1 text in UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

// The first maxCharacters characters of a UTF-8 text, never cutting one of them in two.
std::string Utf8Prefix(std::string_view utf8, std::size_t maxCharacters);

}  // namespace sudoku

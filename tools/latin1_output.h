// Writing the engine's Latin-1 texts (the explanations) to a UTF-8 terminal, and the language
// option of the commands that print them.
#pragma once

#include <string>

namespace sudoku::cli {

std::string Utf8(const std::string& latin1);

// "en" sets english, "it" clears it; false for any other value.
bool ParseLanguage(const std::string& value, bool& english);

}  // namespace sudoku::cli

// The scrambling of one record line: a two-digit method code and a body of byte groups that
// carry every random value needed to undo them, so no key is involved.
#pragma once

#include <stdexcept>
#include <string>

#include "solver/random.h"

namespace sudoku {

// A line that does not decipher: a code or a length that is not decimal, or too few groups.
class MalformedLine : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces line by the method code ("01".."04") and the body built from it (every random byte
// drawn from random). A method outside 1-4 leaves the line unchanged. Always returns true.
// Only the first 256 characters of the working text (length, plain text and, for method 4, the
// junk before them) are enciphered, so plain texts of 99 characters or fewer come back whole.
// A longer text's length has three digits, of which the reader takes two.
bool EncipherLine(std::string& line, int method, Random& random);

// Replaces line by its plain text for methods 1-4; any other method code leaves it unchanged.
// Returns true. Throws MalformedLine when the line does not decipher.
bool DecipherLine(std::string& line);

}  // namespace sudoku

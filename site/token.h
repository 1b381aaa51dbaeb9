// Random tokens handed out in cookies and mailed links, and the form the store keeps of them:
// a leaked store gives no usable token.
#pragma once

#include <string>

namespace sudoku::site {

// A fresh random token of 64 hex characters.
std::string RandomToken();
// The stored form of a token: its BLAKE2b digest in 64 hex characters.
std::string TokenKey(const std::string& token);

}  // namespace sudoku::site

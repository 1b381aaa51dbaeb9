// Values put into the addresses the game sends to the site, escaped so that what the user typed
// reaches the site as typed.
#pragma once

#include <string>

namespace sudoku {

// A Latin-1 text as one value of a query: converted to UTF-8, then every byte but the unreserved
// ones (letters, digits, "-", ".", "_", "~") percent-encoded. The separators of each address
// format ("&" between parameters, ";" between the fields of one value, "_" between catalogue
// components) are written by the caller around the escaped values, never through this.
std::string QueryValue(const std::string& latin1);

// The same for a text already in UTF-8 (the chat): only the escaping.
std::string Utf8QueryValue(const std::string& utf8);

}  // namespace sudoku

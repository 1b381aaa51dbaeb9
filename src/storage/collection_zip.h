// Adding the puzzles of a downloaded collection (a zip of puzzle files) to the library folder.
#pragma once

#include <filesystem>

namespace sudoku {

struct CollectionImport {
  int added = 0;    // puzzle files written into the folder
  int skipped = 0;  // entries not written: unsafe names, names already there, oversized or
                    // unreadable entries, files that are not puzzle files
};

// Largest entry taken from a collection; puzzle files are a few kilobytes.
inline constexpr long kMaxCollectionEntry = 1 << 20;

// Writes every ".tema" entry of the zip into folder under its own name. An entry whose name
// holds "/", "\" or ".." (or is absolute) is skipped, so nothing lands outside the folder; a
// file already there is never replaced; each file appears whole or not at all.
// Throws std::runtime_error when the file is not a readable zip; nothing is written then.
CollectionImport ExtractCollection(const std::filesystem::path& zip,
                                   const std::filesystem::path& folder);

}  // namespace sudoku

// Whole-file byte access for the record files: bounded reads and atomic replacement.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace sudoku {

// Up to limit leading bytes of the regular file, exactly as stored. Opens it read-only.
// Throws std::runtime_error naming the file when it is missing, not a regular file or unreadable.
std::string ReadFileBytes(const std::filesystem::path& file,
                          std::size_t limit = std::numeric_limits<std::size_t>::max());

// Replaces (or creates) the file with content through a temporary file beside it renamed over
// it, so the file holds either all of its old or all of its new content. An existing file keeps
// its permission bits (and, where the process may, its owner); a new one gets the usual ones.
// A symbolic link is followed. Throws std::runtime_error naming the file on failure, and refuses
// an existing file that is read-only, leaving it as it was.
void ReplaceFileContent(const std::filesystem::path& file, std::string_view content);

}  // namespace sudoku

// Zip archives built in memory with libzip: stored (uncompressed) entries, each dated 1 January
// 2008 so the same files always give the same archive.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sudoku::site {

// The archive of the files, in order: each a plain relative name and its content. Throws
// std::runtime_error when libzip fails.
std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace sudoku::site

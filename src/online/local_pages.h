// Addresses of the program's own files and of the site's pages, as the browser panes take them.
#pragma once

#include <filesystem>
#include <string>

namespace sudoku {

// The default address of the site, used when SUDOKU_SITE is not set.
inline constexpr const char* kDefaultSiteAddress = "http://127.0.0.1:8642";

// A file:// address for an absolute path; bytes outside the unreserved set are %-escaped.
std::string FileUrl(const std::filesystem::path& path);

// The address of the local page `name` under CartellaBase/noconnect.
std::string LocalPageUrl(const std::filesystem::path& cartellaBase, const std::string& name);

// ASCII lower case; other bytes (Latin-1 letters) are kept.
std::string LowerAscii(std::string text);

}  // namespace sudoku

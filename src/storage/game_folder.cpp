// Locating and preparing the game folder.
#include "storage/game_folder.h"

namespace sudoku {
namespace {

bool Set(const char* value) {
  return value != nullptr && *value != '\0';
}

void CopyMissing(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::create_directories(to);
  std::error_code missing;
  if (!std::filesystem::is_directory(from, missing)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
    const std::filesystem::path target = to / std::filesystem::relative(entry.path(), from);
    if (entry.is_directory()) {
      std::filesystem::create_directories(target);
    } else if (entry.is_regular_file() &&
               !std::filesystem::exists(std::filesystem::symlink_status(target))) {
      std::filesystem::copy_file(entry.path(), target);
    }
  }
}

}  // namespace

std::filesystem::path GameFolder(const char* sudokuHome, const char* xdgDataHome,
                                 const char* home) {
  if (Set(sudokuHome)) return sudokuHome;
  if (Set(xdgDataHome)) return std::filesystem::path(xdgDataHome) / "sudoku-game";
  return std::filesystem::path(Set(home) ? home : ".") / ".local" / "share" / "sudoku-game";
}

void PrepareGameFolder(const std::filesystem::path& folder, const std::filesystem::path& assets) {
  for (const char* part : {"noconnect", "temi"}) CopyMissing(assets / part, folder / part);
}

}  // namespace sudoku

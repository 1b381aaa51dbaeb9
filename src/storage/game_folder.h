// The game folder: where it is, and filling it on first start with the offline pages, sounds,
// pictures and sample puzzles that come with the game.
#pragma once

#include <filesystem>
#include <string>

namespace sudoku {

// SUDOKU_HOME when set and not empty, else XDG_DATA_HOME/sudoku-game, else
// HOME/.local/share/sudoku-game (each argument is the variable's value, or null when unset).
std::filesystem::path GameFolder(const char* sudokuHome, const char* xdgDataHome, const char* home);

// Creates the folder with noconnect/ and temi/ and copies in every file of assets/noconnect and
// assets/temi (subfolders included) that the folder does not have yet; a file already there is
// never touched. A missing assets folder copies nothing. Throws std::filesystem::filesystem_error
// when the folders cannot be made or a file cannot be copied.
void PrepareGameFolder(const std::filesystem::path& folder, const std::filesystem::path& assets);

}  // namespace sudoku

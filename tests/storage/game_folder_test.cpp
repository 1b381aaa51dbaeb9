// Where the game folder is, and its first filling that never overwrites.
#include "storage/game_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace sudoku {
namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string text;
  std::getline(in, text);
  return text;
}

TEST(GameFolderTest, TheVariablesDecideWhereItIs) {
  EXPECT_EQ(GameFolder("/g", "/x", "/h"), "/g");
  EXPECT_EQ(GameFolder("", "/x", "/h"), "/x/sudoku-game");
  EXPECT_EQ(GameFolder(nullptr, nullptr, "/h"), "/h/.local/share/sudoku-game");
}

TEST(GameFolderTest, AnEmptyFolderGetsTheAssetsAndAnExistingFileStays) {
  const auto root =
      std::filesystem::temp_directory_path() / ("sudoku-folder-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "assets" / "temi" / "mioschema");
  std::filesystem::create_directories(root / "assets" / "noconnect");
  std::ofstream(root / "assets" / "noconnect" / "sudoku.html") << "shipped";
  std::ofstream(root / "assets" / "temi" / "a.tema") << "shipped";
  std::ofstream(root / "assets" / "temi" / "mioschema" / "b.txt") << "shipped";
  std::ofstream(root / "assets" / "other.txt") << "not copied";

  const auto game = root / "new" / "game";
  PrepareGameFolder(game, root / "assets");
  EXPECT_EQ(Read(game / "noconnect" / "sudoku.html"), "shipped");
  EXPECT_EQ(Read(game / "temi" / "mioschema" / "b.txt"), "shipped");
  EXPECT_FALSE(std::filesystem::exists(game / "other.txt"));

  std::ofstream(game / "temi" / "a.tema") << "played";
  std::filesystem::remove(game / "noconnect" / "sudoku.html");
  PrepareGameFolder(game, root / "assets");
  EXPECT_EQ(Read(game / "temi" / "a.tema"), "played");
  EXPECT_EQ(Read(game / "noconnect" / "sudoku.html"), "shipped");

  PrepareGameFolder(root / "bare", root / "missing");  // no assets: just the folders
  EXPECT_TRUE(std::filesystem::is_directory(root / "bare" / "temi"));
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace sudoku

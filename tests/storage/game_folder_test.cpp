// Where the game folder is, and its first filling that never overwrites.
#include "storage/game_folder.h"

#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(GameFolderTest, TheVariablesDecideWhereItIsAndTheFillingNeverOverwrites) {
  EXPECT_EQ(GameFolder("/g", "/x", "/h"), "/g");
  EXPECT_EQ(GameFolder("", "/x", "/h"), "/x/sudoku-game");
  EXPECT_EQ(GameFolder(nullptr, nullptr, "/h"), "/h/.local/share/sudoku-game");

  // An empty folder gets the assets; an existing file stays.
  test::TempFolder root;
  std::filesystem::create_directories(root / "assets" / "temi" / "mioschema");
  std::filesystem::create_directories(root / "assets" / "noconnect");
  WriteBytes(root / "assets" / "noconnect" / "sudoku.html", "shipped");
  WriteBytes(root / "assets" / "temi" / "a.tema", "shipped");
  WriteBytes(root / "assets" / "temi" / "mioschema" / "b.txt", "shipped");
  WriteBytes(root / "assets" / "other.txt", "not copied");

  const auto game = root / "new" / "game";
  PrepareGameFolder(game, root / "assets");
  EXPECT_EQ(ReadBytes(game / "noconnect" / "sudoku.html"), "shipped");
  EXPECT_EQ(ReadBytes(game / "temi" / "mioschema" / "b.txt"), "shipped");
  EXPECT_FALSE(std::filesystem::exists(game / "other.txt"));

  WriteBytes(game / "temi" / "a.tema", "played");
  std::filesystem::remove(game / "noconnect" / "sudoku.html");
  PrepareGameFolder(game, root / "assets");
  EXPECT_EQ(ReadBytes(game / "temi" / "a.tema"), "played");
  EXPECT_EQ(ReadBytes(game / "noconnect" / "sudoku.html"), "shipped");

  PrepareGameFolder(root / "bare", root / "missing");  // no assets: just the folders
  EXPECT_TRUE(std::filesystem::is_directory(root / "bare" / "temi"));
}

}  // namespace
}  // namespace sudoku

// The game folder: where it is, its first filling that never overwrites, collections of puzzle
// files added to its library, and the file attributes over permissions and names.
#include "storage/game_folder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "storage/collection_zip.h"
#include "storage/file_attributes.h"
#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(GameFolderTest, TheVariablesDecideWhereItIsAndTheFillingNeverOverwrites) {
  EXPECT_EQ(GameFolder("/g", "/x", "/h"), "/g");
  EXPECT_EQ(GameFolder("", "/x", "/h"), "/x/sudoku-game");
  EXPECT_EQ(GameFolder(nullptr, nullptr, "/h"), "/h/.local/share/sudoku-game");

  // An empty folder gets the assets; an existing file stays.
  TempFolder root;
  for (const char* name :
       {"noconnect/sudoku.html", "temi/a.tema", "temi/mioschema/b.txt", "other.txt"}) {
    std::filesystem::create_directories((root / "assets" / name).parent_path());
    WriteBytes(root / "assets" / name, "shipped");
  }

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

void WriteZip(const std::filesystem::path& file,
              const std::vector<std::pair<std::string, std::string>>& entries) {
  int error = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, bytes] : entries) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_RAW), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

TEST(CollectionZipTest, OnlyNewPuzzleFilesWithPlainNamesLandAndADamagedFileAddsNothing) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "temi");
  WriteBytes(dir / "temi" / "0002-puzzle_1-1-26.tema", "mine");
  WriteZip(dir / "c.zip", {{"0001-puzzle_1-1-26.tema", "one"},
                           {"0002-puzzle_1-1-26.tema", "theirs"},
                           {"../x.tema", "out"},
                           {"sub/y.tema", "deep"},
                           {"..\\z.tema", "back"},
                           {"/abs.tema", "abs"},
                           {"leggimi.txt", "text"},
                           {"dir/", ""}});
  const CollectionImport result = ExtractCollection(dir / "c.zip", dir / "temi");
  EXPECT_EQ(result.added, 1);
  EXPECT_EQ(result.skipped, 6);
  EXPECT_EQ(ReadBytes(dir / "temi" / "0002-puzzle_1-1-26.tema"), "mine");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.tema"));
  // No temporary file left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temi"), {}), 2);

  // A damaged or foreign file is refused whole.
  WriteBytes(dir / "not.zip", "<html>errore</html>");
  EXPECT_THROW(ExtractCollection(dir / "not.zip", dir / "temi"), std::runtime_error);
  WriteZip(dir / "c.zip", {{"0003-puzzle_1-1-26.tema", std::string(5000, 'a')}});
  std::filesystem::resize_file(dir / "c.zip", std::filesystem::file_size(dir / "c.zip") / 2);
  EXPECT_THROW(ExtractCollection(dir / "c.zip", dir / "temi"), std::runtime_error);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temi"), {}), 2);
}

TEST(FileAttributes, ReadOnlyIsTheOwnerWriteBitAndTheOnlyOneThatCanBeSet) {
  TempFolder folder;
  const auto file = folder / "f.tema";
  WriteBytes(file, "x");
  std::filesystem::create_directory(folder / ".dir");
  EXPECT_EQ(ReadAttributes(file), kAttributeArchive);
  EXPECT_EQ(ReadAttributes(folder / ".dir"), kAttributeDirectory | kAttributeHidden);
  EXPECT_EQ(ReadAttributes(folder / "missing"), -1);

  EXPECT_TRUE(ApplyAttributes(file, kAttributeArchive | kAttributeReadOnly));
  EXPECT_FALSE(IsWritableFile(file));
  EXPECT_TRUE(ApplyAttributes(file, kAttributeArchive));
  EXPECT_TRUE(IsWritableFile(file));
  EXPECT_FALSE(ApplyAttributes(file, kAttributeArchive | kAttributeHidden));  // names hide
  // Others may write, the owner may not: read-only, whoever asks (root included).
  ::chmod(file.c_str(), 0466);
  EXPECT_FALSE(IsWritableFile(file));
  EXPECT_FALSE(IsWritableFile(folder.Path()));
}

}  // namespace
}  // namespace sudoku

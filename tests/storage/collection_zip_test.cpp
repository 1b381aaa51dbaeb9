// Adding a collection's puzzle files to the library: only safe new names, whole files.
#include "storage/collection_zip.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace sudoku {
namespace {

std::filesystem::path Scratch(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() /
             ("sudoku-collection-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "temi");
  return dir;
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

TEST(CollectionZipTest, OnlyNewPuzzleFilesWithPlainNamesLandInTheFolder) {
  const auto dir = Scratch("names");
  { std::ofstream(dir / "temi" / "0002-puzzle_1-1-26.tema") << "mine"; }
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
  std::ifstream kept(dir / "temi" / "0002-puzzle_1-1-26.tema");
  std::string text;
  kept >> text;
  EXPECT_EQ(text, "mine");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.tema"));
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "temi")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2u);  // no temporary file left behind
  std::filesystem::remove_all(dir);
}

TEST(CollectionZipTest, ADamagedOrForeignFileIsRefusedWhole) {
  const auto dir = Scratch("damaged");
  { std::ofstream(dir / "not.zip") << "<html>errore</html>"; }
  EXPECT_THROW(ExtractCollection(dir / "not.zip", dir / "temi"), std::runtime_error);
  WriteZip(dir / "c.zip", {{"0001-puzzle_1-1-26.tema", std::string(5000, 'a')}});
  std::filesystem::resize_file(dir / "c.zip", std::filesystem::file_size(dir / "c.zip") / 2);
  EXPECT_THROW(ExtractCollection(dir / "c.zip", dir / "temi"), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "temi"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sudoku

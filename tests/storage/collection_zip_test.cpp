// Adding a collection's puzzle files to the library: only safe new names, whole files.
#include "storage/collection_zip.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

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

}  // namespace
}  // namespace sudoku

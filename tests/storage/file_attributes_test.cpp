// File attributes over permissions and names, and the read-write open check.
#include "storage/file_attributes.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::TempFolder;
using test::WriteBytes;

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

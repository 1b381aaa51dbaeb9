// File attributes over permissions and names, and the read-write open check.
#include "storage/file_attributes.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(FileAttributes, WordsComeFromKindModeAndName) {
  TempFolder folder;
  WriteBytes(folder / "plain.tema", "x");
  WriteBytes(folder / ".hidden", "x");
  WriteBytes(folder / "locked", "x");
  ::chmod((folder / "locked").c_str(), 0444);
  std::filesystem::create_directory(folder / ".dir");
  EXPECT_EQ(ReadAttributes(folder / "plain.tema"), kAttributeArchive);
  EXPECT_EQ(ReadAttributes(folder / ".hidden"), kAttributeArchive | kAttributeHidden);
  EXPECT_EQ(ReadAttributes(folder / "locked"), kAttributeArchive | kAttributeReadOnly);
  EXPECT_EQ(ReadAttributes(folder / ".dir"), kAttributeDirectory | kAttributeHidden);
  EXPECT_EQ(ReadAttributes(folder / "missing"), -1);
  EXPECT_EQ(ReadAttributes(""), -1);
}

TEST(FileAttributes, OnlyReadOnlyCanBeSetAndTheResultSaysSo) {
  TempFolder folder;
  const auto file = folder / "f.tema";
  const auto hidden = folder / ".h.tema";
  WriteBytes(file, "x");
  WriteBytes(hidden, "x");
  EXPECT_TRUE(ApplyAttributes(file, kAttributeArchive | kAttributeReadOnly));
  EXPECT_FALSE(IsWritableFile(file));
  EXPECT_TRUE(ApplyAttributes(file, kAttributeArchive));
  EXPECT_TRUE(IsWritableFile(file));
  EXPECT_FALSE(ApplyAttributes(file, kAttributeArchive | kAttributeHidden));
  // Archive only on a hidden file clears read-only but cannot unhide it.
  ::chmod(hidden.c_str(), 0444);
  EXPECT_FALSE(ApplyAttributes(hidden, kAttributeArchive));
  EXPECT_EQ(ReadAttributes(hidden), kAttributeArchive | kAttributeHidden);
  EXPECT_TRUE(ApplyAttributes(hidden, kAttributeArchive | kAttributeHidden | kAttributeReadOnly));
  EXPECT_FALSE(ApplyAttributes(folder / "missing", kAttributeArchive));
  // Others may write, the owner may not: read-only, whoever asks.
  ::chmod(file.c_str(), 0466);
  EXPECT_FALSE(IsWritableFile(file));
  EXPECT_FALSE(IsWritableFile(folder.Path()));
}

}  // namespace
}  // namespace sudoku

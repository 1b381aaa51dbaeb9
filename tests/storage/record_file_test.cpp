// Record files: the byte layout the appender writes, what the reader finds, and failures.
#include "storage/record_file.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/line_cipher.h"
#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A file of count records "record 1", "record 2"... built in memory.
std::string ManyRecords(int count, Random& random) {
  std::string content;
  for (int i = 1; i <= count; ++i) {
    content =
        WithRecordAppended(content, EncipheredRecord("record " + std::to_string(i), 1, random));
  }
  return content;
}

TEST(RecordFile, AppendedRecordsHaveTheirLayoutAndReadBackReplacingTheFileWhole) {
  TempFolder folder;
  // The longest name the file system takes: the temporary beside it must fit too.
  const auto file = folder / (std::string(250, 'k') + ".tema");
  WriteBytes(file, "");
  ::chmod(file.c_str(), 0640);
  SeededRandom random(1);
  std::string x = "tarn\x0A\x0D first", y = "second";
  EncipherLine(x, 1, random);
  EncipherLine(y, 2, random);
  AppendRecord(file, x + "tarn");
  AppendRecord(file, y + "tarn");
  EXPECT_EQ(ReadBytes(file), x + "tarn\x0A" + y + "tarn\x0A\x0D");
  EXPECT_EQ(ReadRecord(file, 1), "tarn\x0A\x0D first");
  EXPECT_EQ(ReadRecord(file, 2), "second");
  for (int index : {0, -1, 3}) EXPECT_EQ(ReadRecord(file, index), "-1") << index;
  struct stat status {};
  ::stat(file.c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(RecordFile, AppendRefusesMissingAndReadOnlyFilesLeavingThemAlone) {
  TempFolder folder;
  SeededRandom random(2);
  const std::string record = EncipheredRecord("x", 1, random);
  EXPECT_THROW(AppendRecord(folder / "missing.tema", record), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.tema"));
  const auto file = folder / "locked.tema";
  const std::string before = ManyRecords(2, random);
  WriteBytes(file, before);
  ::chmod(file.c_str(), 0444);
  EXPECT_THROW(AppendRecord(file, record), std::runtime_error);
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_THROW(AppendRecord(folder.Path(), record), std::runtime_error);
}

TEST(RecordFile, OnlyTheFirst100000BytesAreRead) {
  TempFolder folder;
  const auto file = folder / "long.tema";
  SeededRandom random(5);
  const std::string content = ManyRecords(600, random);
  WriteBytes(file, content);
  // Records whose mark lies inside the limit read; a later one never does, nor its neighbour.
  int inside = 0;
  for (std::size_t at = content.find("tarn"); at + 4 < kReadLimit;
       at = content.find("tarn", at + 4)) {
    ++inside;
  }
  EXPECT_EQ(ReadRecord(file, inside), "record " + std::to_string(inside));
  EXPECT_EQ(ReadRecord(file, inside + 2), "-1");
}

TEST(RecordFile, TruncatedAndUnreadableFilesReadAsFailures) {
  TempFolder folder;
  const auto file = folder / "cut.tema";
  SeededRandom random(6);
  const std::string whole = ManyRecords(2, random);
  const std::size_t groupsEnd = 2 + 10 * 5;  // code and the groups of "08record 1"
  for (std::size_t size = 0; size < whole.size(); ++size) {
    WriteBytes(file, whole.substr(0, size));
    const std::string first = ReadRecord(file, 1);
    if (size < groupsEnd + 4) {
      ASSERT_EQ(first, "-1") << size;
    }
    ASSERT_THAT(first, testing::AnyOf("-1", "record 1")) << size;
    ASSERT_THAT(ReadRecord(file, 2), testing::AnyOf("-1", "record 2")) << size;
    ASSERT_EQ(ReadRecord(file, 3), "-1") << size;
  }
  EXPECT_EQ(ReadRecord(folder / "missing.tema", 1), "-1");
  EXPECT_EQ(ReadRecord(folder.Path(), 1), "-1");
  // A named pipe fails at once rather than waiting for something to write into it.
  ASSERT_EQ(::mkfifo((folder / "pipe.tema").c_str(), 0600), 0);
  EXPECT_EQ(ReadRecord(folder / "pipe.tema", 1), "-1");
}

TEST(RecordFile, ARecordIsDrawnAgainWhenItsBytesHoldTheMark) {
  // Method 2's group is a, b, r3, c - a - b. Scripting b = 't', r3 = 'a', an a that makes the
  // last byte 'r' for c = '0', and 'n' as the next group's a puts the mark inside the line.
  const int a = (0x30 - 't' - 'r') & 0xFF;
  std::string forced = "x";
  test::ScriptedRandom again({a, 't', 'a', 'n'});
  EncipherLine(forced, 2, again);
  ASSERT_NE(forced.find("tarn"), std::string::npos);
  test::ScriptedRandom random({a, 't', 'a', 'n'});
  const std::string record = EncipheredRecord("x", 2, random);
  EXPECT_EQ(record.find("tarn"), record.size() - 4);
  EXPECT_EQ(RecordFromContent(WithRecordAppended("", record), 1), "x");
}

}  // namespace
}  // namespace sudoku

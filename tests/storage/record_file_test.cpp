// The line cipher and the record files over it: round trips, the byte layout of each method and
// of the appender, what the reader finds, malformed lines and failures.
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

std::string Enciphered(std::string plain, int method, Random& random) {
  EncipherLine(plain, method, random);
  return plain;
}

std::string Deciphered(std::string line) {
  DecipherLine(line);
  return line;
}

// A file of count records "record 1", "record 2"... built in memory.
std::string ManyRecords(int count, Random& random) {
  std::string content;
  for (int i = 1; i <= count; ++i) {
    content =
        WithRecordAppended(content, EncipheredRecord("record " + std::to_string(i), 1, random));
  }
  return content;
}

TEST(LineCipher, EveryMethodRoundTripsAnyBytesOfEveryLengthUpTo99WithItsFillerLengths) {
  // Method 1 needs more than 255 body bytes from 50 characters on.
  SeededRandom random(2024);
  const std::string marks = "tarn\x0A\x0Dtarn\x0D\x0A" + std::string(1, '\0') + "\xFF\xE8";
  for (int method = 1; method <= 4; ++method) {
    for (std::size_t length = 0; length <= 99; ++length) {
      std::string plain = length == 99 ? marks : "";
      while (plain.size() < length) plain += static_cast<char>(random.Next(0, 255));
      const std::string line = Enciphered(plain, method, random);
      ASSERT_EQ(line.substr(0, 2), "0" + std::to_string(method));
      ASSERT_EQ(Deciphered(line), plain) << "method " << method << ", length " << length;
    }
  }
  // A length from 100 on is written in full and read as two digits: "10" of "100".
  EXPECT_EQ(Deciphered(Enciphered("abcdefghi" + std::string(91, 'x'), 1, random)), "0abcdefghi");
  for (int method : {0, 5, -1}) EXPECT_EQ(Enciphered("07plain", method, random), "07plain");
  EXPECT_EQ(Deciphered("07abc"), "07abc");  // other methods leave the line alone

  for (int round = 0; round < 50; ++round) {
    // The empty text is the two length groups and filler up to a drawn target.
    const std::size_t empty1 = Enciphered("", 1, random).size() - 2;
    EXPECT_TRUE(empty1 >= 170 && empty1 <= 229) << empty1;
    const std::size_t empty2 = Enciphered("", 2, random).size() - 2;
    EXPECT_TRUE(empty2 >= 180 && empty2 <= 229) << empty2;
  }
  // At or above the threshold no filler follows the groups.
  EXPECT_EQ(Enciphered(std::string(30, 'x'), 1, random).size(), 2u + 32 * 5);
  EXPECT_EQ(Enciphered(std::string(26, 'x'), 2, random).size(), 2u + 28 * 4);
}

TEST(LineCipher, HandMadeLinesOfMethods3And4DecipherAndMalformedLinesThrow) {
  // Method 4: one junk group skipped before the length; method 3's groups.
  const std::string zero3 = "\x01\x01\x01\x01\x30";  // 0x30 - 1 - 1 + 1 + 1
  const std::string one3 = "\x01\x01\x01\x01\x31";
  EXPECT_EQ(Deciphered("04" + zero3 + one3 + "\x07\x07\x07\x07\x07" + zero3 + one3 +
                       "\x01\x01\x01\x01\x41"),
            "A");
  EXPECT_EQ(Deciphered("03" + zero3 + one3 + "\x02\x01\x01\x01\x42"), "A");

  const std::string zero1 = "\x11\x05\x22\x35\x33";
  for (const std::string& line : {std::string(""), "x1" + zero1 + zero1, std::string("0x"),
                                  std::string("7"), std::string("01"),
                                  "01" + zero1,                                   // half a length
                                  "01" + zero1 + "\x01\x01\x01\x42\x01",          // length "0A"
                                  "01" + zero1 + "\x01\x01\x01\x33\x01" + zero1,  // 1 of 2 chars
                                  "02" + std::string(7, '\x10')}) {
    std::string copy = line;
    EXPECT_THROW(DecipherLine(copy), MalformedLine) << line.size();
  }
}

TEST(RecordFile, AppendedRecordsHaveTheirLayoutAndReplaceTheFileWholeOrRefuseLeavingItAlone) {
  TempFolder folder;
  // The longest name the file system takes: the temporary beside it must fit too.
  const auto file = folder / (std::string(250, 'k') + ".tema");
  WriteBytes(file, "");
  ::chmod(file.c_str(), 0640);
  SeededRandom random(1);
  const std::string x = Enciphered("tarn\x0A\x0D first", 1, random);
  const std::string y = Enciphered("second", 2, random);
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

  const std::string record = EncipheredRecord("x", 1, random);
  EXPECT_THROW(AppendRecord(folder / "missing.tema", record), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.tema"));
  ::chmod(file.c_str(), 0444);
  EXPECT_THROW(AppendRecord(file, record), std::runtime_error);
  EXPECT_EQ(ReadBytes(file), x + "tarn\x0A" + y + "tarn\x0A\x0D");
  EXPECT_THROW(AppendRecord(folder.Path(), record), std::runtime_error);
}

TEST(RecordFile, OnlyTheFirst100000BytesAreReadAndTruncatedOrUnreadableFilesReadAsFailures) {
  TempFolder folder;
  const auto file = folder / "cut.tema";
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
  test::ScriptedRandom again({a, 't', 'a', 'n'});
  ASSERT_NE(Enciphered("x", 2, again).find("tarn"), std::string::npos);
  test::ScriptedRandom random({a, 't', 'a', 'n'});
  const std::string record = EncipheredRecord("x", 2, random);
  EXPECT_EQ(record.find("tarn"), record.size() - 4);
  EXPECT_EQ(RecordFromContent(WithRecordAppended("", record), 1), "x");
}

}  // namespace
}  // namespace sudoku

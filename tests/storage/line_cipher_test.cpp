// The line cipher: round trips, the byte layout of each method, malformed lines.
#include "storage/line_cipher.h"

#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace sudoku {
namespace {

std::string Enciphered(std::string plain, int method, Random& random) {
  EncipherLine(plain, method, random);
  return plain;
}

std::string Deciphered(std::string line) {
  DecipherLine(line);
  return line;
}

TEST(LineCipher, EveryMethodRoundTripsAnyBytesOfEveryLengthUpTo99) {
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
}

TEST(LineCipher, BodiesHaveTheirGroupsAndFillerLengths) {
  SeededRandom random(11);
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

TEST(LineCipher, HandMadeLinesOfMethods3And4Decipher) {
  // Method 4: one junk group skipped before the length; method 3's groups.
  const std::string zero3 = "\x01\x01\x01\x01\x30";  // 0x30 - 1 - 1 + 1 + 1
  const std::string one3 = "\x01\x01\x01\x01\x31";
  EXPECT_EQ(Deciphered("04" + zero3 + one3 + "\x07\x07\x07\x07\x07" + zero3 + one3 +
                       "\x01\x01\x01\x01\x41"),
            "A");
  EXPECT_EQ(Deciphered("03" + zero3 + one3 + "\x02\x01\x01\x01\x42"), "A");
}

TEST(LineCipher, MalformedLinesThrow) {
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

}  // namespace
}  // namespace sudoku

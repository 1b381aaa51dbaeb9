// The puzzle file's seventeen records (our writer, a file laid out by hand, names) and the
// saved-game and unfinished-puzzle text files (their exact bytes, short or damaged files, the
// timer text).
#include "storage/puzzle_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "solver/board.h"
#include "storage/game_text_file.h"
#include "storage/record_file.h"
#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::TempFolder;

const std::array<int, 81> kGivens = ValuesOfRowMajor(
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079");

std::string Joined(const PuzzleInfo& i) {
  return i.Creatore + "|" + i.Tipologia + "|" + i.NumBase + "|" + i.Livello + "|" + i.MediaVoti +
         "|" + i.Votanti + "|" + i.NumeroSchema + "|" + i.DataPubblicazione;
}

// Method 1 with k = 1 and method 2 with a = b = 1, as a person would lay them out by hand.
std::string HandRecord(const std::string& plain, int method) {
  const std::string working = (plain.size() < 10 ? "0" : "") + std::to_string(plain.size()) + plain;
  std::string line = method == 1 ? "01" : "02";
  for (char c : working) {
    if (method == 1) {
      line += std::string("\x09\x01\x09") + static_cast<char>(c + 1) + "\x09";
    } else {
      line += std::string("\x01\x01\x09") + static_cast<char>(c - 2);
    }
  }
  return line + "tarn";
}

TEST(PuzzleFile, AFileLaidOutByHandReads) {
  TempFolder folder;
  const auto file = folder / "0045-puzzle_5-2-06.tema";
  std::string content;
  for (const char* text :
       {"Admin", "da quillo", "P0124", "P023", "P03", "P047", "P0545", "P0605/02/2006"}) {
    content += HandRecord(text, 1) + "\x0A";
  }
  content += HandRecord("G00150000000000000019", 2) + "\x0A";
  content += HandRecord("G0112000013", 2) + "\x0A";  // four pairs only
  content += "02\x01\x01tarn\x0A";                   // row 2 does not decipher
  for (int row = 3; row < 9; ++row) content += HandRecord("G0" + std::to_string(row), 2) + "\x0A";
  test::WriteBytes(file, content + "\x0D");

  const PuzzleFile puzzle = ReadPuzzleFile(file);
  EXPECT_EQ(Joined(puzzle.Info), "Admin|da quillo|24|3||7|45|05/02/2006");
  std::string codes;  // of rows 0, 1, 2 and 7
  for (int row : {0, 1, 2, 7}) {
    for (int col = 0; col < 9; ++col) codes += puzzle.Schema[col * 9 + row] + " ";
  }
  EXPECT_EQ(
      codes,
      "15 00 00 00 00 00 00 00 19 12 00 00 13 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ");
  EXPECT_FALSE(puzzle.GridIsComplete());
}

TEST(PuzzleFile, RecordsOf99CharactersAreWrittenLongerOnesAndReadOnlyFilesRefused) {
  TempFolder folder;
  const auto file = folder / "long.tema";
  SeededRandom random(3);
  PuzzleInfo info = {std::string(99, 'c'), "da sudoku.example", "30", "3", "4.5", "12", "45",
                     std::string(96, 'd')};  // "P06" + 96
  WritePuzzleFile(file, info, kGivens, random);
  const PuzzleFile puzzle = ReadPuzzleFile(file);
  EXPECT_EQ(Joined(puzzle.Info), Joined(info));
  EXPECT_TRUE(puzzle.GridIsComplete());
  EXPECT_EQ(ReadRecord(file, 9), "G00151300001700000000");  // a grid row is 21 characters

  const std::string before = ReadBytes(file);
  info.DataPubblicazione += "d";
  EXPECT_THROW(WritePuzzleFile(file, info, kGivens, random), std::invalid_argument);
  info.DataPubblicazione.pop_back();
  ::chmod(file.c_str(), 0444);
  EXPECT_TRUE(IsReadableFile(file));
  EXPECT_THROW(WritePuzzleFile(file, info, kGivens, random), std::runtime_error);
  EXPECT_EQ(ReadBytes(file), before);
  info.Tipologia = std::string(100, 't');
  EXPECT_THROW(WritePuzzleFile(folder / "new.tema", info, kGivens, random), std::invalid_argument);
  std::array<int, 81> bad = kGivens;
  bad[40] = 10;
  EXPECT_THROW(WritePuzzleFile(folder / "new.tema", {}, bad, random), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(folder / "new.tema"));
}

TEST(PuzzleFile, NameFieldsArePaddedAndCatalogueNamesStayPlainFileNames) {
  EXPECT_EQ(AuthoredPuzzleFileName({2026, 12, 5, 18, 20, 41}), "ute-05-12-2026-18-20-41.tema");
  EXPECT_EQ(CataloguePuzzleFileName("45", "05/02/2006"), "0045-puzzle_5-2-06.tema");
  EXPECT_EQ(CataloguePuzzleFileName("12345", "20/10/2010"), "-puzzle_20-10-10.tema");
  EXPECT_EQ(CataloguePuzzleFileName("../", ""), "0..--puzzle_.tema");
}

TEST(GameTextFileTest, SavedGameWritesColumnByColumnAndReadsLinesByPosition) {
  Board board;
  board.Schema[CellIndex(0, 0)] = "15";  // a given without text
  board.Texts[CellIndex(0, 1)] = "7";
  board.Schema[CellIndex(0, 2)] = "13";  // a given showing its digit
  board.Texts[CellIndex(0, 2)] = "3";
  board.Schema[CellIndex(1, 0)] = "09";  // an open cell with a stale digit
  std::array<std::string, 81> candidates;
  candidates[0] = "5";
  candidates[1] = "125";
  std::string expected =
      "[timer]:1h 2m 3s\r\n[griglia]:573" + std::string(78, '0') + "\r\n[ua]:5#125#";
  for (int i = 2; i < 81; ++i) expected += "0#";
  EXPECT_EQ(SavedGameText("1h 2m 3s", board, candidates), expected + "\r\n");

  // Lines read by position and never past their end.
  const std::string grid = std::string(80, '0') + "9" + "12345";  // the surplus is ignored
  for (const char* end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(end[0] == '\r' ? (end[1] != '\0' ? "CR LF" : "CR") : "LF");
    const GameTextContent read = ParseGameText("[xxxxx]:2h 0m 0s" + std::string(end) +
                                               "[abcdefg]:" + grid + end + "[ua]:junk");
    EXPECT_EQ(read.TimerText, "2h 0m 0s");
    EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), grid.substr(0, 81));
  }
  GameTextContent read = ParseGameText("[timer]:" + std::string(150, 'x') + "\r\n[griglia]:12x");
  EXPECT_EQ(read.TimerText, std::string(100, 'x'));
  EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), "12x" + std::string(78, '0'));
  EXPECT_FALSE(read.CellsAreDigits());
  for (const char* shortFile : {"", "[timer]:0h 0m 1s", "[t]\r\n[griglia"}) {
    SCOPED_TRACE(shortFile);
    read = ParseGameText(shortFile);
    EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), std::string(81, '0'));
    EXPECT_TRUE(read.CellsAreDigits());
  }
}

TEST(GameTextFileTest, TheTimerTextIsReadInItsOwnFormOnly) {
  EXPECT_EQ(ClockSeconds("1h 2m 3s"), 3723);
  EXPECT_EQ(ClockSeconds("24h 0m 0s"), 86400);
  for (const char* bad : {"", "1h2m3s", "xh 0m 0s", "1h 2m", "-1h 2m 3s", "1h  2m 3s", "1s 2m 3h",
                          "999999999h 0m 0s"}) {
    EXPECT_EQ(ClockSeconds(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace sudoku

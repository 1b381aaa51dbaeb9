// The puzzle file's seventeen records: our writer, a file laid out by hand, names.
#include "storage/puzzle_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "storage/record_file.h"
#include "storage_test_support.h"

namespace sudoku {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Givens from 81 characters row by row, "0" an open cell, into [col][row].
std::array<int, 81> Givens(const std::string& rows) {
  std::array<int, 81> givens{};
  for (std::size_t i = 0; i < 81; ++i) givens[(i % 9) * 9 + i / 9] = rows[i] - '0';
  return givens;
}

const std::string kPuzzle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

PuzzleInfo SampleInfo() {
  return {"Admin", "da sudoku.example", "30", "3", "4.5", "12", "45", "05/02/2006"};
}

std::string Joined(const PuzzleInfo& i) {
  return i.Creatore + "|" + i.Tipologia + "|" + i.NumBase + "|" + i.Livello + "|" + i.MediaVoti +
         "|" + i.Votanti + "|" + i.NumeroSchema + "|" + i.DataPubblicazione;
}

TEST(PuzzleFile, WhatOurWriterWritesReadsBack) {
  TempFolder folder;
  const auto file = folder / "ute.tema";
  SeededRandom random(1);
  WritePuzzleFile(file, SampleInfo(), Givens(kPuzzle), random);

  const PuzzleFile puzzle = ReadPuzzleFile(file);
  EXPECT_EQ(Joined(puzzle.Info), Joined(SampleInfo()));
  for (std::size_t i = 0; i < 81; ++i) {
    const int given = Givens(kPuzzle)[i];
    EXPECT_EQ(puzzle.Schema[i], given == 0 ? "00" : "1" + std::to_string(given)) << i;
  }
  EXPECT_TRUE(puzzle.GridIsComplete());
  // The plain records carry their keys; a grid row is 21 characters.
  EXPECT_EQ(ReadRecord(file, 3), "P0130");
  EXPECT_EQ(ReadRecord(file, 8), "P0605/02/2006");
  EXPECT_EQ(ReadRecord(file, 9), "G00151300001700000000");
  EXPECT_EQ(ReadRecord(file, 18), "-1");
  EXPECT_EQ(ReadBytes(file).back(), '\x0D');
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
  const std::vector<std::string> info = {"Admin", "da quillo", "P0124", "P023",
                                         "P03",   "P047",      "P0545", "P0605/02/2006"};
  for (const std::string& text : info) content += HandRecord(text, 1) + "\x0A";
  content += HandRecord("G00150000000000000019", 2) + "\x0A";
  content += HandRecord("G0112000013", 2) + "\x0A";  // four pairs only
  content +=
      "02\x01\x01"
      "tarn\x0A";  // row 2 does not decipher
  for (int row = 3; row < 9; ++row) content += HandRecord("G0" + std::to_string(row), 2) + "\x0A";
  WriteBytes(file, content + "\x0D");

  const PuzzleFile puzzle = ReadPuzzleFile(file);
  EXPECT_EQ(Joined(puzzle.Info), "Admin|da quillo|24|3||7|45|05/02/2006");
  EXPECT_EQ(puzzle.Schema[0 * 9 + 0], "15");
  EXPECT_EQ(puzzle.Schema[1 * 9 + 0], "00");
  EXPECT_EQ(puzzle.Schema[8 * 9 + 0], "19");
  EXPECT_EQ(puzzle.Schema[0 * 9 + 1], "12");
  EXPECT_EQ(puzzle.Schema[3 * 9 + 1], "13");
  EXPECT_EQ(puzzle.Schema[4 * 9 + 1], "0");
  for (int col = 0; col < 9; ++col) EXPECT_EQ(puzzle.Schema[col * 9 + 2], "0");
  EXPECT_EQ(puzzle.Schema[5 * 9 + 7], "0");
}

TEST(PuzzleFile, FailedRecordsAndUnreadableFiles) {
  TempFolder folder;
  const auto file = folder / "junk.tema";
  WriteBytes(file, "x1 not a record tarn\x0A\x0D");
  const PuzzleFile puzzle = ReadPuzzleFile(file);
  EXPECT_EQ(Joined(puzzle.Info), "-1|-1||||||");
  for (const std::string& cell : puzzle.Schema) ASSERT_EQ(cell, "0");
  EXPECT_FALSE(puzzle.GridIsComplete());

  try {
    ReadPuzzleFile(folder / "missing.tema");
    FAIL() << "no error for a missing file";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing.tema"), std::string::npos);
  }
  EXPECT_THROW(ReadPuzzleFile(folder.Path()), std::runtime_error);
}

TEST(PuzzleFile, ReadOnlyFilesReadButAreNotReplaced) {
  TempFolder folder;
  const auto file = folder / "ro.tema";
  SeededRandom random(2);
  WritePuzzleFile(file, SampleInfo(), Givens(kPuzzle), random);
  ::chmod(file.c_str(), 0444);
  const std::string before = ReadBytes(file);
  EXPECT_EQ(ReadPuzzleFile(file).Info.NumeroSchema, "45");
  EXPECT_TRUE(IsReadableFile(file));
  EXPECT_THROW(WritePuzzleFile(file, {}, Givens(kPuzzle), random), std::runtime_error);
  EXPECT_EQ(ReadBytes(file), before);
}

TEST(PuzzleFile, RecordsOf99CharactersAreWrittenAndLongerOnesRefused) {
  TempFolder folder;
  const auto file = folder / "long.tema";
  SeededRandom random(3);
  PuzzleInfo info = SampleInfo();
  info.Creatore = std::string(99, 'c');
  info.DataPubblicazione = std::string(96, 'd');  // "P06" + 96
  WritePuzzleFile(file, info, Givens(kPuzzle), random);
  EXPECT_EQ(Joined(ReadPuzzleFile(file).Info), Joined(info));

  const std::string before = ReadBytes(file);
  info.DataPubblicazione += "d";
  EXPECT_THROW(WritePuzzleFile(file, info, Givens(kPuzzle), random), std::invalid_argument);
  EXPECT_EQ(ReadBytes(file), before);
  info = SampleInfo();
  info.Tipologia = std::string(100, 't');
  EXPECT_THROW(WritePuzzleFile(folder / "new.tema", info, Givens(kPuzzle), random),
               std::invalid_argument);
  std::array<int, 81> bad = Givens(kPuzzle);
  bad[40] = 10;
  EXPECT_THROW(WritePuzzleFile(folder / "new.tema", SampleInfo(), bad, random),
               std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(folder / "new.tema"));
}

TEST(PuzzleFileName, FieldsArePaddedAndCatalogueNamesStayPlainFileNames) {
  EXPECT_EQ(AuthoredPuzzleFileName({2026, 12, 5, 18, 20, 41}), "ute-05-12-2026-18-20-41.tema");
  EXPECT_EQ(CataloguePuzzleFileName("45", "05/02/2006"), "0045-puzzle_5-2-06.tema");
  EXPECT_EQ(CataloguePuzzleFileName("12345", "20/10/2010"), "-puzzle_20-10-10.tema");
  EXPECT_EQ(CataloguePuzzleFileName("../", ""), "0..--puzzle_.tema");
}

}  // namespace
}  // namespace sudoku

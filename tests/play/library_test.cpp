// The puzzle library: which files are listed and marked solved, the sort of each column, the
// load of a puzzle, the title, and the reset of the game.
#include <array>
#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku {
namespace {

using testing::GameFixture;
using testing::kPuzzle;
using testing::SampleInfo;
using testing::WritePuzzle;

std::vector<std::string> Captions(const Game& g) {
  std::vector<std::string> captions;
  for (const ListRow& row : g.controls.LVsudoku.rows) captions.push_back(row.caption);
  return captions;
}

TEST(LibraryTest, ListsExactlyTheTemaFilesWithTheirRecordsAndSolvedMarks) {
  GameFixture f;
  const std::filesystem::path temi = f.base / "temi";
  const std::string longName = std::string(47, 'l') + ".tema";  // 52 characters
  for (const std::string& name :
       std::vector<std::string>{"b.tema", "a.b.tema", "x.TEMA", "c.tema.bak", longName}) {
    WritePuzzle(temi / name, kPuzzle);
  }
  WritePuzzle(temi / "ro.tema", kPuzzle, SampleInfo("77", "5-3-09"));
  std::filesystem::permissions(temi / "ro.tema", std::filesystem::perms::owner_read);
  std::filesystem::create_directory(temi / "dir.tema");  // cannot be read as a file
  std::ofstream(temi / "statinfo.txt", std::ios::binary)
      << "[nome]b.tema[timer]0h 1m 0s\r\n[nome]" << longName << "[timer]0h 1m 0s\r\n";

  f.game.AggiornaElenco();
  EXPECT_EQ(Captions(f.game),
            (std::vector<std::string>{"b.tema", "dir.tema", longName, "ro.tema"}));
  const auto& rows = f.game.controls.LVsudoku.rows;
  EXPECT_EQ(rows[0].subItems,
            (std::vector<std::string>{"123", "12-05-2008", "30", "3", "\xAE", "7,5"}));
  EXPECT_EQ(rows[1].subItems, (std::vector<std::string>{"", "", "", "", "", ""}));
  EXPECT_EQ(rows[2].subItems[4], "");  // names are kept to 50 characters
  EXPECT_EQ(rows[3].subItems[0], "77");
  EXPECT_TRUE(f.dialogs.messages.empty());
}

ListRow Row(const std::string& caption, const std::string& number, const std::string& date,
            const std::string& vote) {
  return {caption, {number, date, "25", "2", "", vote}};
}

struct SortedList : GameFixture {
  SortedList() {
    game.controls.LVsudoku.rows = {Row("beta", "10", "5-3-09", "9"),
                                   Row("Alpha", "9", "1/1/2001", "10"),
                                   Row("gamma", "", "31-12-2030", "8,5")};
  }
  std::vector<std::string> SortBy(int column) {
    game.LVsudokuColumnClick(column);
    return Captions(game);
  }
};

TEST(LibraryTest, EachColumnSortsAscendingInItsOwnWay) {
  SortedList f;
  using Names = std::vector<std::string>;
  EXPECT_EQ(f.SortBy(0), (Names{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(f.SortBy(1), (Names{"gamma", "Alpha", "beta"}));  // empty is 0; 9 before 10
  // The "/" date reads as today (2026-12-06): after 2009, before the end of 2030.
  EXPECT_EQ(f.SortBy(2), (Names{"beta", "Alpha", "gamma"}));
  f.clock.now.year = 2040;
  EXPECT_EQ(f.SortBy(2), (Names{"beta", "gamma", "Alpha"}));
  EXPECT_EQ(f.SortBy(6), (Names{"Alpha", "gamma", "beta"}));  // textual: 10, 8,5, 9
  EXPECT_EQ(f.SortBy(6), (Names{"Alpha", "gamma", "beta"}));  // a second click keeps the order
  EXPECT_EQ(f.game.ColonnaOrdinamento, 6);
}

TEST(LibraryTest, ANonNumericColumnIsReportedOnceAndTheRowsStay) {
  SortedList f;
  f.game.controls.LVsudoku.rows[2].subItems[0] = "n/a";
  f.game.controls.LVsudoku.selected = 1;
  const std::vector<std::string> before = Captions(f.game);
  EXPECT_EQ(f.SortBy(1), before);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_EQ(f.game.controls.LVsudoku.selected, 1);

  f.game.controls.LVsudoku.rows[2].subItems[0] = "";
  f.SortBy(1);  // the selection follows its row
  EXPECT_EQ(f.game.controls.LVsudoku.Selected()->caption, "Alpha");
}

TEST(LibraryTest, DoubleClickLoadsAReadOnlyPuzzleRetitlesAndRestartsTheTimer) {
  GameFixture f;
  Game& g = f.game;
  WritePuzzle(f.base / "temi" / "p.tema", kPuzzle, SampleInfo("123", "12-05-2008"));
  std::filesystem::permissions(f.base / "temi" / "p.tema", std::filesystem::perms::owner_read);
  g.AzzeraGioco();
  g.LVsudokuDblClick();  // nothing selected
  EXPECT_FALSE(g.controls.RicominciaPartita.enabled);
  EXPECT_EQ(g.controls.enomefile.text, "");

  g.Secondi = 50;
  g.controls.LVsudoku.selected = 0;
  g.LVsudokuDblClick();
  EXPECT_TRUE(g.controls.RicominciaPartita.enabled);
  EXPECT_EQ(g.controls.enomefile.text, "p.tema");
  EXPECT_EQ(g.controls.LTitle.caption,
            "Puzzle n\xB0"
            "123 del 12-05-2008 level 3");
  EXPECT_EQ(g.controls.ECreatore.text + g.controls.ETipologia.text + g.controls.EVotanti.text,
            "AdminClassico12");
  EXPECT_EQ(g.board.Schema[CellIndex(0, 0)], "15");
  EXPECT_EQ(g.board.Schema[CellIndex(2, 0)], "00");
  // The cursor, left on (0, 0), a given now, moves to the first open cell in column order.
  EXPECT_EQ(std::pair(g.controls.sudokugrid.col, g.controls.sudokugrid.row), std::pair(0, 2));
  EXPECT_EQ(g.NumStorico, 1);
  int givens = 0;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const char c = testing::At(kPuzzle, col, row);
      const int expected = c == '.' ? 0 : c - '0';
      EXPECT_EQ(g.Storico[1][CellIndex(col, row)], expected);
      EXPECT_EQ(g.Griglia[CellIndex(col, row)], expected);
      givens += expected != 0;
    }
  }
  EXPECT_EQ(givens, 30);
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(0, 0)], "5");
  EXPECT_EQ(g.Secondi, 0);
  EXPECT_TRUE(g.controls.SudokuTimer.enabled);
}

TEST(LibraryTest, FilesThatAreNotPuzzlesAreRefusedByNameAndTheGameInHandStays) {
  GameFixture f;
  Game& g = f.game;
  const std::filesystem::path temi = f.base / "temi";
  WritePuzzle(temi / "a.tema", kPuzzle);
  std::ofstream(temi / "b.tema", std::ios::binary) << "\x01\x02garbage";
  std::ofstream(temi / "c.tema", std::ios::binary) << "";
  std::ofstream(temi / "d.tema", std::ios::binary) << "Caro diario,\r\noggi sudoku.\r\n";
  g.AzzeraGioco();
  g.controls.LVsudoku.selected = 0;
  g.LVsudokuDblClick();
  g.board.Texts[CellIndex(2, 0)] = "4";
  g.Secondi = 42;
  const std::string title = g.controls.LTitle.caption;
  const std::array<std::string, 81> schema = g.board.Schema;
  const auto expectGameInHand = [&](const std::string& name) {
    ASSERT_EQ(f.dialogs.messages.size(), 1u) << name;
    EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
    EXPECT_NE(f.dialogs.messages[0].text.find(name), std::string::npos);
    EXPECT_EQ(g.controls.enomefile.text, "a.tema");
    EXPECT_EQ(g.controls.LTitle.caption, title);
    EXPECT_EQ(g.board.Schema, schema);
    EXPECT_EQ(g.board.Texts[CellIndex(2, 0)], "4");
    EXPECT_EQ(g.Secondi, 42);
    EXPECT_EQ(g.NumStorico, 1);
    f.dialogs.messages.clear();
  };
  for (int row : {1, 2, 3}) {
    g.controls.LVsudoku.selected = row;
    g.LVsudokuDblClick();
    expectGameInHand(g.controls.LVsudoku.rows[std::size_t(row)].caption);
  }
  std::filesystem::remove(temi / "a.tema");  // gone before a restart
  g.controls.LVsudoku.selected = 0;
  g.RicominciaPartitaClick();
  expectGameInHand("a.tema");
}

TEST(LibraryTest, FileNamesAreListedAsLatin1AndLoad) {
  GameFixture f;
  Game& g = f.game;
  WritePuzzle(f.base / "temi" / "citt\u00e0.tema", kPuzzle);
  WritePuzzle(f.base / "temi" / "\u6570\u72ec.tema", kPuzzle);  // outside Latin-1
  std::ofstream(f.base / "temi" / "statinfo.txt", std::ios::binary)
      << "[nome]citt\xE0.tema[timer]0h 1m 0s\r\n";
  g.AggiornaElenco();
  EXPECT_EQ(Captions(g), (std::vector<std::string>{"citt\xE0.tema", "\u6570\u72ec.tema"}));
  EXPECT_EQ(g.controls.LVsudoku.rows[0].subItems[4], "\xAE");
  for (int row : {0, 1}) {
    g.controls.LVsudoku.selected = row;
    g.LVsudokuDblClick();
    EXPECT_EQ(g.board.Schema[CellIndex(0, 0)], "15");
  }
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(LibraryTest, ResetEndsTheGameAndRefillsTheCatalogueLists) {
  GameFixture f;
  Game& g = f.game;
  g.Mese = 12;
  g.controls.enomefile.text = "p.tema";
  g.NumStorico = 7;
  g.board.Texts[5] = "3";
  g.AzzeraGioco();
  g.AzzeraGioco();  // refilled, not appended
  EXPECT_EQ(g.controls.enomefile.text + g.board.Texts[5], "");
  EXPECT_EQ(g.NumStorico, 0);
  EXPECT_EQ(g.controls.CBAnno.items.size(), 19u);  // 2008 to 2026
  EXPECT_EQ(g.controls.CBAnno.Text(), "2026");
  EXPECT_EQ(g.controls.CBMese.items.size(), 13u);
  EXPECT_EQ(g.controls.CBMese.Text(), "12");
}

// Writes the puzzle with the record number and dates it minutes ago, as settled files are.
void WriteSettled(const std::filesystem::path& file, const std::string& number, int minutesAgo) {
  WritePuzzle(file, kPuzzle, SampleInfo(number));
  std::filesystem::last_write_time(
      file, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

std::string NumberOf(const Game& g, std::size_t row) {
  return g.controls.LVsudoku.rows[row].subItems[0];
}

TEST(LibraryTest, KeptRecordsGiveWayToAChangedFileAndOutliveTheWindow) {
  GameFixture f;
  const std::filesystem::path temi = f.base / "temi";
  WriteSettled(temi / "a.tema", "1", 10);
  f.game.AggiornaElenco();
  EXPECT_EQ(NumberOf(f.game, 0), "1");
  WriteSettled(temi / "a.tema", "2", 9);  // same size, later time
  f.game.AggiornaElenco();
  EXPECT_EQ(NumberOf(f.game, 0), "2");
  WriteSettled(temi / "a.tema", "345", 9);  // same time, other size
  f.game.AggiornaElenco();
  EXPECT_EQ(NumberOf(f.game, 0), "345");

  GameFixture next;  // a new window on the same folder lists from the store
  next.game.CartellaBase = f.base;
  next.game.AggiornaElenco();
  EXPECT_EQ(NumberOf(next.game, 0), "345");
  EXPECT_TRUE(std::filesystem::exists(temi / PuzzleInfoCache::kStoreName));

  std::ofstream(temi / PuzzleInfoCache::kStoreName, std::ios::binary)
      << "sudoku-library-cache 1\n6:a.tema 9999999";  // damaged: not used at all
  GameFixture third;
  third.game.CartellaBase = f.base;
  third.game.AggiornaElenco();
  EXPECT_EQ(NumberOf(third.game, 0), "345");
}

}  // namespace
}  // namespace sudoku

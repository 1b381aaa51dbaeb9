// The puzzle library: which files are listed and marked solved, the sort of each column, the
// load of a puzzle, the title, and the reset of the game.
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

TEST(LibraryTest, AMissingFileIsReportedByNameAndLeavesTheBoardCleared) {
  GameFixture f;
  Game& g = f.game;
  testing::SetGivens(g, kPuzzle);
  g.controls.ECreatore.text = "someone";
  g.controls.enomefile.text = "gone.tema";
  g.NumStorico = 4;
  EXPECT_FALSE(g.CaricaSchema());
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_NE(f.dialogs.messages[0].text.find("gone.tema"), std::string::npos);
  EXPECT_EQ(g.board.Schema[CellIndex(0, 0)], "0");
  EXPECT_EQ(g.controls.ECreatore.text, "");
  EXPECT_EQ(g.NumStorico, 0);
}

TEST(LibraryTest, TitleFallsBackToTheCatalogueFieldsThenStays) {
  GameFixture f;
  Game& g = f.game;
  g.controls.LTitle.caption = "old";
  g.enomefileChange();
  EXPECT_EQ(g.controls.LTitle.caption, "old");
  g.ComponentiCatalogo[1] = "2009";
  g.CampiTitolo[2] = "4";
  g.CampiTitolo[4] = "45";
  g.CampiTitolo[5] = "05/02/2006";
  g.enomefileChange();
  EXPECT_EQ(g.controls.LTitle.caption,
            "Puzzle n\xB0"
            "45 del 05/02/2006 level 4");
}

TEST(LibraryTest, ResetClearsTheGameAndRefillsTheCatalogueLists) {
  GameFixture f;
  Game& g = f.game;
  g.Mese = 12;
  g.controls.enomefile.text = "p.tema";
  g.controls.RicominciaPartita.enabled = true;
  g.NumStorico = 7;
  g.Storico[7][3] = 2;
  g.Secondi = 9;
  g.TastoGiu = true;  // and the other eight likewise
  g.StampaInAttesa = true;
  g.ComponentiCatalogo[1] = "2009";
  g.board.Texts[5] = "3";
  g.AzzeraGioco();
  g.AzzeraGioco();  // refilled, not appended
  EXPECT_EQ(g.controls.enomefile.text, "");
  EXPECT_FALSE(g.controls.RicominciaPartita.enabled || g.TastoGiu || g.StampaInAttesa);
  EXPECT_EQ(g.NumStorico + g.Storico[7][3] + g.Secondi, 0);
  EXPECT_EQ(g.board.Texts[5] + g.board.Schema[5], "0");
  EXPECT_EQ(g.ComponentiCatalogo[1], "z0");
  EXPECT_EQ(g.controls.CBAnno.items.size(), 19u);  // 2008 to 2026
  EXPECT_EQ(g.controls.CBAnno.Text(), "2026");
  EXPECT_EQ(g.controls.CBMese.items.size(), 13u);
  EXPECT_EQ(g.controls.CBMese.Text(), "12");
}

TEST(LibraryTest, OpeningTheLocalLibraryShowsItsTabAndRefreshesTheList) {
  GameFixture f;
  Game& g = f.game;
  g.controls.PageControl1.activePage = "TSHelp";
  g.controls.PageControl2.activePage = "TSTrascina";
  WritePuzzle(f.base / "temi" / "new.tema", kPuzzle);
  g.ApriSchemalocale1Click();
  EXPECT_EQ(g.controls.PageControl1.activePage, "TSSudokuFile");
  EXPECT_EQ(g.controls.PageControl2.activePage, "TSLocale");
  EXPECT_EQ(Captions(g), std::vector<std::string>{"new.tema"});
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

// The puzzle library: which files are listed and marked solved, the sort of each column, the
// load of a puzzle and the files refused, undo and the restart of the game; puzzles in and out
// as text (the forms a paste accepts, the paste into the library, importing a file of puzzles)
// and the statistics chart's series.
#include <algorithm>
#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"
#include "play/puzzle_text.h"
#include "play/solve_chart.h"
#include "play/statistics_file.h"

namespace sudoku::testing {
namespace {

using Names = std::vector<std::string>;

struct LibraryTest : ::testing::Test {
  GameFixture f;
};

Names Captions(const Game& g) {
  Names captions;
  for (const ListRow& row : g.controls.LVsudoku.rows) captions.push_back(row.caption);
  return captions;
}

TEST_F(LibraryTest, ListsExactlyTheTemaFilesWithTheirRecordsAndSolvedMarks) {
  // Solved names are kept to 50 characters: the first is marked, the second is not.
  const std::string name50 = std::string(45, 'l') + ".tema", name51 = "l" + name50;
  for (const char* name : {"b.tema", "a.b.tema", "x.TEMA", "c.tema.bak", "citt\u00e0.tema",
                           "\u6570\u72ec.tema", name50.c_str(), name51.c_str()}) {
    WritePuzzle(f.temi / name, kPuzzle);
  }
  WritePuzzle(f.temi / "ro.tema", kPuzzle, SampleInfo("77", "5-3-09"));
  std::filesystem::permissions(f.temi / "ro.tema", std::filesystem::perms::owner_read);
  std::filesystem::create_directory(f.temi / "dir.tema");  // cannot be read as a file
  std::ofstream(f.temi / "statinfo.txt", std::ios::binary)
      << "[nome]b.tema[timer]0h 1m 0s\r\n[nome]" << name50 << "[timer]0h 1m 0s\r\n[nome]" << name51
      << "[timer]0h 1m 0s\r\n[nome]citt\xE0.tema[timer]0h 1m 0s\r\n";

  f.game.AggiornaElenco();
  // Names are listed in Latin-1; one outside it keeps its own bytes.
  EXPECT_EQ(Captions(f.game), (Names{"b.tema", "citt\xE0.tema", "dir.tema", name50, name51,
                                     "ro.tema", "\u6570\u72ec.tema"}));
  const auto& rows = f.game.controls.LVsudoku.rows;
  EXPECT_EQ(rows[0].subItems, (Names{"123", "12-05-2008", "30", "3", "\xAE", "7,5"}));
  EXPECT_EQ(rows[1].subItems[4], "\xAE");
  EXPECT_EQ(rows[2].subItems, (Names{"", "", "", "", "", ""}));
  EXPECT_EQ(rows[3].subItems[4] + "|" + rows[4].subItems[4], "\xAE|");
  EXPECT_EQ(rows[5].subItems[0], "77");
  for (int row : {1, 6}) {
    f.game.controls.LVsudoku.selected = row;
    f.game.LVsudokuDblClick();
    EXPECT_EQ(f.game.controls.enomefile.text, rows[std::size_t(row)].caption) << row;
  }
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST_F(LibraryTest, EachColumnSortsAscendingInItsOwnWayOrReportsANonNumber) {
  ListView& list = f.game.controls.LVsudoku;
  list.rows = {{"beta", {"10", "5-3-09", "25", "2", "", "9"}},
               {"Alpha", {"9", "1/1/2001", "25", "2", "", "10"}},
               {"gamma", {"", "31-12-2030", "25", "2", "", "8,5"}}};
  const auto sortBy = [&](int column) {
    f.game.LVsudokuColumnClick(column);
    return Captions(f.game);
  };
  EXPECT_EQ(sortBy(0), (Names{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(sortBy(1), (Names{"gamma", "Alpha", "beta"}));  // empty is 0; 9 before 10
  // The "/" date reads as today (2026-12-06): after 2009, before the end of 2030.
  EXPECT_EQ(sortBy(2), (Names{"beta", "Alpha", "gamma"}));
  f.clock.now.year = 2040;
  EXPECT_EQ(sortBy(2), (Names{"beta", "gamma", "Alpha"}));
  EXPECT_EQ(sortBy(6), (Names{"Alpha", "gamma", "beta"}));  // textual: 10, 8,5, 9
  EXPECT_EQ(sortBy(6), (Names{"Alpha", "gamma", "beta"}));  // a second click keeps the order

  list.rows[1].subItems[0] = "n/a";
  list.selected = 1;
  EXPECT_EQ(sortBy(1), (Names{"Alpha", "gamma", "beta"}));
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages.at(0).kind, BoxKind::Error);
  list.rows[1].subItems[0] = "";
  sortBy(1);  // the selection follows its row
  EXPECT_EQ(list.Selected()->caption, "gamma");
}

// Writes the puzzle with the record number and dates it minutes ago, as settled files are.
void WriteSettled(const std::filesystem::path& file, const std::string& number, int minutesAgo) {
  WritePuzzle(file, kPuzzle, SampleInfo(number));
  std::filesystem::last_write_time(
      file, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

TEST_F(LibraryTest, KeptRecordsGiveWayToAChangedFileAndOutliveTheWindow) {
  const auto numberListed = [&](Game& g) {
    g.CartellaBase = f.base;
    g.AggiornaElenco();
    return g.controls.LVsudoku.rows.at(0).subItems[0];
  };
  WriteSettled(f.temi / "a.tema", "1", 10);
  EXPECT_EQ(numberListed(f.game), "1");
  WriteSettled(f.temi / "a.tema", "2", 9);  // same size, later time
  EXPECT_EQ(numberListed(f.game), "2");
  WriteSettled(f.temi / "a.tema", "345", 9);  // same time, other size
  EXPECT_EQ(numberListed(f.game), "345");

  GameFixture next;  // a new window on the same folder lists from the store
  EXPECT_EQ(numberListed(next.game), "345");
  EXPECT_TRUE(std::filesystem::exists(f.temi / PuzzleInfoCache::kStoreName));
  std::ofstream(f.temi / PuzzleInfoCache::kStoreName, std::ios::binary)
      << "sudoku-library-cache 1\n6:a.tema 9999999";  // damaged: not used at all
  GameFixture third;
  EXPECT_EQ(numberListed(third.game), "345");
}

// A game with the puzzle p1.tema loaded from the library, read-only on disk.
struct LoadedGame : ::testing::Test {
  GameFixture f;
  Game& g = f.game;
  LoadedGame() {
    WritePuzzle(f.temi / "p1.tema", kPuzzle);
    std::filesystem::permissions(f.temi / "p1.tema", std::filesystem::perms::owner_read);
    g.AzzeraGioco();
    g.LVsudokuDblClick();  // nothing selected: nothing loads
    EXPECT_FALSE(g.controls.RicominciaPartita.enabled);
    g.Secondi = 50;
    g.controls.LVsudoku.selected = 0;
    g.LVsudokuDblClick();
  }
};

TEST_F(LoadedGame, FilesThatAreNotPuzzlesAreRefusedByNameAndTheGameInHandStays) {
  WriteBytes(f.temi / "q1.tema", "\x01\x02garbage");
  WriteBytes(f.temi / "q2.tema", "");
  WriteBytes(f.temi / "q3.tema", "Caro diario,\r\noggi sudoku.\r\n");
  g.AggiornaElenco();
  g.sudokugridSetEditText(2, 0, "4");
  g.Secondi = 42;
  const std::string inHand = State(g);
  const auto expectGameInHand = [&](const std::string& name) {
    EXPECT_NE(f.dialogs.OnlyMessage().find(name), std::string::npos) << name;
    EXPECT_EQ(f.dialogs.messages.at(0).kind, BoxKind::Error);
    EXPECT_EQ(State(g), inHand);
    EXPECT_EQ(g.board.Schema[CellIndex(0, 0)], "15");
    f.dialogs.messages.clear();
  };
  for (int row : {1, 2, 3}) {
    g.controls.LVsudoku.selected = row;
    g.LVsudokuDblClick();
    expectGameInHand("q" + std::to_string(row) + ".tema");
  }
  std::filesystem::remove(f.temi / "p1.tema");  // gone before a restart
  g.controls.LVsudoku.selected = 0;
  g.RicominciaPartitaClick();
  expectGameInHand("p1.tema");
}

TEST_F(LoadedGame, OneEntryReportedTwiceIsUndoneInOneStepAndTheMarksGo) {
  g.controls.Undo1.enabled = true;
  g.Undo1Click();  // right after the load: only disables itself
  EXPECT_FALSE(g.controls.Undo1.enabled);
  EXPECT_EQ(g.Storico.NumStorico(), 1);
  EXPECT_EQ(Texts(g), std::string(81, '.'));

  for (int col : {2, 2, 3, 3, 5}) g.sudokugridSetEditText(col, 0, std::string(1, kSolved[col]));
  f.effects.log.clear();
  g.Undo1Click();
  EXPECT_EQ(f.effects.log, std::vector<std::string>{"clear sudokugrid"});
  EXPECT_EQ(g.Storico.NumStorico(), 4);
  EXPECT_TRUE(g.controls.Undo1.enabled);
  EXPECT_EQ(Texts(g).substr(0, 9), "..46.....");  // slot 4 holds the entries, not the givens
  g.Undo1Click();
  g.Undo1Click();
  EXPECT_EQ(g.Storico.NumStorico(), 0);
  EXPECT_FALSE(g.controls.Undo1.enabled);
  EXPECT_EQ(Texts(g), std::string(81, '.'));
  EXPECT_EQ(Shown(g), kPuzzle);
  const Snapshot givens = g.Storico.Values(1);
  for (int i = 0; i < 3; ++i) g.Storico.Push(givens, {});
  g.Undo1Click();  // slot 1 shows the givens as texts
  EXPECT_FALSE(g.controls.Undo1.enabled);
  EXPECT_EQ(Texts(g), kPuzzle);
}

TEST_F(LoadedGame, DoubleClickLoadsThePuzzleRestartReloadsItAndResetEndsIt) {
  const std::string loaded =
      "p1.tema|Puzzle n\xB0"
      "123 del 12-05-2008 level 3|0s|undo 1|timer ";
  const std::string board = "|" + std::string(kPuzzle) + "|" + std::string(81, '.');
  EXPECT_EQ(State(g), loaded + "on" + board);
  EXPECT_TRUE(g.controls.RicominciaPartita.enabled);
  EXPECT_EQ(g.controls.ECreatore.text + g.controls.ETipologia.text + g.controls.EVotanti.text,
            "AdminClassico12");
  EXPECT_EQ(g.board.Schema[CellIndex(2, 0)], "00");
  // The cursor, left on (0, 0), a given now, moves to the first open cell in column order.
  EXPECT_EQ(std::pair(g.controls.sudokugrid.col, g.controls.sudokugrid.row), std::pair(0, 2));
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(0, 0)], "5");

  g.sudokugridSetEditText(2, 0, "4");
  const std::string played = State(g);
  f.dialogs.confirmAnswers = {false};
  g.RicominciaPartitaClick();
  EXPECT_EQ(State(g), played);

  g.SBPauseClick();
  g.Secondi = 300;
  g.steps.NumPassi = 5;
  g.sudokugridKeyDown(kKeyLeft);
  f.effects.log.clear();
  g.Lingua = "en";
  g.RicominciaPartitaClick();
  EXPECT_EQ(f.dialogs.confirmations, (Names{"Vuoi ricominciare la partita p1.tema?",
                                            "Do you want to restart the game p1.tema?"}));
  EXPECT_EQ(f.effects.log.at(0), "clear sudokugrid");  // the marks end with the board
  EXPECT_EQ(State(g), loaded + "off" + board);         // a paused timer stays paused
  EXPECT_EQ(g.Storico.Values(2)[CellIndex(2, 0)], 0);
  EXPECT_EQ(g.steps.NumPassi, 0);
  EXPECT_EQ(g.Tasto, NavigationKey::None);

  g.controls.LVsudoku.selected = -1;
  g.RicominciaPartitaClick();
  EXPECT_EQ(f.dialogs.confirmations.size(), 2u);

  g.Mese = 12;
  g.AzzeraGioco();
  g.AzzeraGioco();  // the reset ends the game and refills the catalogue lists, not appends
  EXPECT_EQ(g.controls.enomefile.text + Texts(g) + Shown(g), std::string(162, '.'));
  EXPECT_EQ(g.Storico.NumStorico(), 0);
  EXPECT_EQ(g.controls.CBAnno.items.size(), 19u);  // 2008 to 2026
  EXPECT_EQ(g.controls.CBAnno.Text() + "|" + g.controls.CBMese.Text(), "2026|12");
  EXPECT_EQ(g.controls.CBMese.items.size(), 13u);
}

const std::string kLine(kPuzzle);

TEST(PuzzleTextTest, AcceptsTheCommonFormsAndNothingElse) {
  std::string zeros = kLine, dashes = kLine;
  for (char& c : zeros) c = c == '.' ? '0' : c;
  for (char& c : dashes) c = c == '.' ? '-' : c;
  std::string grid;
  for (int row = 0; row < 9; ++row) {
    if (row % 3 == 0 && row > 0) grid += "------+-------+------\n";
    for (int col = 0; col < 9; ++col) {
      grid += kLine[std::size_t(row * 9 + col)];
      grid += col == 2 || col == 5 ? " | " : " ";
    }
    grid += "\r\n";
  }
  for (const std::string& text :
       {kLine, zeros, dashes, grid, kLine.substr(0, 40) + "\n " + kLine.substr(40) + "\n"}) {
    SCOPED_TRACE(text);
    const auto givens = ParsePuzzleText(text);
    ASSERT_TRUE(givens);
    EXPECT_EQ(PuzzleLine(*givens), kLine);
  }
  std::string why;
  EXPECT_FALSE(ParsePuzzleText(kLine.substr(1), &why));
  EXPECT_EQ(why, "80 cells");
  EXPECT_FALSE(ParsePuzzleText("x" + kLine.substr(1), &why));
  EXPECT_EQ(why, "character 'x'");
  EXPECT_FALSE(ParsePuzzleText(kLine + "\n" + kLine));
  EXPECT_TRUE(ParsePuzzleLine(kLine + "  # comment 1234"));
}

// A pasted puzzle with one solution joins the library and is played; once solved, it leads the
// chart's series, whose levels and running average skip unreadable lines.
TEST_F(LibraryTest, APastedPuzzleJoinsTheLibraryAndIsPlayedThenChartedWhenSolved) {
  f.game.IncollaSchemaText(kLine.substr(0, 30) + std::string(51, '.'));  // many solutions
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Lo schema in griglia ha pi\xF9 di una soluzione!");
  f.dialogs.messages.clear();
  f.game.IncollaSchemaText(kLine);
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.game.controls.ECreatore.text, "Appunti");
  EXPECT_EQ(f.game.controls.EDataPubblicazione.text, "06-12-2026");  // as the date sort reads
  EXPECT_EQ(f.game.controls.enomefile.text.substr(0, 4), "imp-");
  EXPECT_EQ(f.game.board.Schema[CellIndex(0, 0)], "15");
  EXPECT_EQ(f.game.CopiaSchemaText(), kLine);
  EXPECT_GE(f.game.controls.LVsudoku.selected, 0);

  const std::string name = f.game.controls.enomefile.text;
  const auto stats = StatisticsPath(f.base);
  AppendStatLine(stats, name, "0h 4m 0s");
  AppendStatLine(stats, "other.tema", "0h 2m 30s");
  std::ofstream(stats, std::ios::app) << "garbage\r\n[nome]x[timer]0h xm 1s\r\n";
  AppendStatLine(stats, "other.tema", "1h 0m 0s");
  const SolveSeries series = ReadSolveSeries(f.base);
  ASSERT_EQ(series.points.size(), 3u);
  EXPECT_EQ(series.skipped, 2);
  EXPECT_EQ(series.points[0].name, name);
  EXPECT_GE(series.points[0].level, 1);
  EXPECT_EQ(series.points[1].level, 0);
  EXPECT_DOUBLE_EQ(series.points[1].averageMinutes, 3.25);
  EXPECT_DOUBLE_EQ(series.points[2].minutes, 60);
}

TEST(SolveChartTest, TheSolveAxisHasAtMostTenWholeStepsAndTheNoteAgreesInNumber) {
  for (std::size_t solves = 0; solves <= 2000; ++solves) {
    const int step = SolveAxisStep(solves);
    ASSERT_GE(step, 1) << solves;
    EXPECT_LE((std::max<std::size_t>(solves, 1) + 1 + std::size_t(step) - 1) / std::size_t(step),
              10u)
        << solves;
  }
  EXPECT_EQ(SolveAxisStep(3), 1);  // 0 1 2 3 4, not 0 0 1 2 3
  EXPECT_EQ(SolveChartNote(1, 1, false), "1 soluzione; 1 riga illeggibile saltata");
  EXPECT_EQ(SolveChartNote(2, 0, false), "2 soluzioni; 0 righe illeggibili saltate");
  EXPECT_EQ(SolveChartNote(1, 2, true), "1 solve; 2 unreadable lines skipped");
  EXPECT_EQ(SolveChartNote(0, 1, true), "0 solves; 1 unreadable line skipped");
}

TEST_F(LibraryTest, ImportCountsNewDuplicateAndInvalidLines) {
  const auto file = f.base / "collection.txt";
  std::ofstream(file) << "# a collection\n"
                      << kLine << " first\n"
                      << kLine << "\n"                    // duplicate
                      << kLine.substr(1) << "\n"          // 80 cells
                      << "55" << kLine.substr(2) << "\n"  // no solution
                      << std::string(81, '.') << "\n"     // many solutions
                      << "\n";
  f.dialogs.openAnswers.push_back(file);
  f.game.ImportaSchemi1Click();
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Schemi aggiunti: 1\n\rGi\xE0 presenti: 1\n\rRighe che non sono schemi a soluzione "
            "unica: 3 (4, 5, 6)");
  f.dialogs.messages.clear();
  f.dialogs.openAnswers.push_back(file);
  f.game.ImportaSchemi1Click();  // the same file again adds nothing
  EXPECT_EQ(f.dialogs.messages.at(0).text.substr(0, 18), "Schemi aggiunti: 0");
  EXPECT_FALSE(f.game.controls.ProgressBar1.visible);
}

}  // namespace
}  // namespace sudoku::testing

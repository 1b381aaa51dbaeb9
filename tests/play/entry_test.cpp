// Cell entry: the entry rule and its snapshots, the navigation keys and the cursor over givens,
// the solution count after an entry, and the hover panel.
#include <numeric>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"

namespace sudoku {
namespace {

using testing::GameFixture;
using testing::kSolved;
using testing::SetGivens;
using testing::SetTexts;

TEST(EntryTest, TheLastCharacterCountsAndOnlyDigitsAreRecorded) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  for (const char* text : {"50", "5a", "5 ", ""}) {  // empty the cell, record nothing
    g.board.Texts[CellIndex(4, 4)] = "5";
    g.sudokugridSetEditText(4, 4, text);
    EXPECT_EQ(g.board.Texts[CellIndex(4, 4)], "") << '"' << text << '"';
  }
  EXPECT_EQ(g.NumStorico, 0);
  EXPECT_FALSE(g.controls.Undo1.enabled);
  g.sudokugridSetEditText(2, 3, "57");
  EXPECT_EQ(g.board.Texts[CellIndex(2, 3)], "7");
  g.sudokugridSetEditText(2, 3, "75");
  EXPECT_EQ(g.board.Texts[CellIndex(2, 3)], "5");
  EXPECT_EQ(g.NumStorico, 2);
  EXPECT_TRUE(g.controls.Undo1.enabled);
}

TEST(EntryTest, SnapshotHoldsTheTextsAndTheNewDigitButNotUntypedGivens) {
  GameFixture f;
  Game& g = f.game;
  SetGivens(g, "1........" + std::string(72, '.'));
  SetTexts(g, ".3......." + std::string(72, '.'));
  g.sudokugridSetEditText(2, 0, "8");
  const Snapshot& slot = g.Storico[1];
  EXPECT_EQ(slot[CellIndex(0, 0)], 0);  // the given shows from the puzzle, not as a text
  EXPECT_EQ(slot[CellIndex(1, 0)], 3);
  EXPECT_EQ(slot[CellIndex(2, 0)], 8);
  EXPECT_EQ(std::accumulate(slot.begin(), slot.end(), 0), 11);
}

TEST(EntryTest, AFullHistoryStopsRecordingButTheEntryApplies) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.NumStorico = 99;
  g.sudokugridSetEditText(0, 0, "4");
  EXPECT_EQ(g.NumStorico, 100);
  EXPECT_EQ(g.Storico[100][CellIndex(0, 0)], 4);
  g.sudokugridSetEditText(0, 0, "6");
  EXPECT_EQ(g.board.Texts[CellIndex(0, 0)], "6");
  EXPECT_EQ(g.NumStorico, 100);
  EXPECT_EQ(g.Storico[100][CellIndex(0, 0)], 4);
}

// Row 0: given, given, open, given, given, open, ...
const std::string kRowOfGivens = "12.45.7.." + std::string(71, '.') + "9";

TEST(EntryTest, CursorSkipsRunsOfGivensInTheDirectionOfTheLastArrow) {
  GameFixture f;
  Game& g = f.game;
  SetGivens(g, kRowOfGivens);
  BoardGrid& grid = g.controls.sudokugrid;
  grid.col = 5;
  grid.row = 0;
  g.sudokugridKeyDown(kKeyLeft);
  EXPECT_FALSE(g.sudokugridSelectCell(4, 0));
  EXPECT_EQ(grid.col, 2);  // over the run 4, 3 to the open cell 2
  EXPECT_EQ(grid.row, 0);

  EXPECT_FALSE(g.sudokugridSelectCell(1, 0));  // 1 and 0 are givens, then the edge
  EXPECT_EQ(grid.col, 2);

  g.sudokugridKeyDown(kKeyRight);
  EXPECT_FALSE(g.sudokugridSelectCell(8, 8));  // right edge: stays
  EXPECT_EQ(grid.col, 2);
  g.sudokugridKeyDown(kKeyUp);
  EXPECT_FALSE(g.sudokugridSelectCell(8, 8));
  EXPECT_EQ(grid.col, 8);
  EXPECT_EQ(grid.row, 7);

  g.sudokugridKeyDown('7');
  EXPECT_FALSE(g.sudokugridSelectCell(0, 0));  // no arrow: stays
  EXPECT_EQ(grid.row, 7);
  EXPECT_TRUE(g.sudokugridSelectCell(6, 6));
  EXPECT_EQ(grid.col, 6);
  EXPECT_EQ(grid.row, 6);
}

TEST(EntryTest, AClickOnAGivenAfterAnArrowPushesOnFromTheGiven) {
  GameFixture f;
  Game& g = f.game;
  SetGivens(g, kRowOfGivens);
  g.controls.sudokugrid.col = 6;
  g.controls.sudokugrid.row = 4;
  g.sudokugridKeyDown(kKeyDown);
  EXPECT_FALSE(g.sudokugridSelectCell(3, 0));
  EXPECT_EQ(g.controls.sudokugrid.col, 3);
  EXPECT_EQ(g.controls.sudokugrid.row, 1);
}

std::string Without(std::string_view rows, int index) {
  std::string copy(rows);
  copy[std::size_t(index)] = '.';
  return copy;
}

TEST(EntryTest, CountAfterEntryReportsNoneAndOneOnly) {
  GameFixture f;
  Game& g = f.game;
  g.controls.Seganalanosoluzioni.checked = true;
  g.AzzeraGriglia();
  SetTexts(g, Without(kSolved, 0));
  g.sudokugridSetEditText(0, 0, "5");
  EXPECT_EQ(
      f.dialogs.messages,
      (std::vector<testing::ShownMessage>{
          {BoxKind::Information, "Complimenti!\n\rLo schema in griglia ha UNA SOLA SOLUZIONE!"}}));
  EXPECT_FALSE(g.controls.ProgressBar1.visible);
  EXPECT_EQ(g.controls.ProgressBar1.position, 60);

  f.dialogs.messages.clear();
  g.Lingua = "en";
  g.sudokugridSetEditText(0, 0, "3");  // 3 twice in column 0
  EXPECT_EQ(f.dialogs.messages,
            (std::vector<testing::ShownMessage>{
                {BoxKind::Error, "The puzzle in the grid have no solutions!"}}));

  f.dialogs.messages.clear();
  g.AzzeraGriglia();
  g.sudokugridSetEditText(0, 0, "3");  // many solutions: no message
  g.sudokugridKeyDown(kKeyTab);
  SetTexts(g, Without(kSolved, 0));
  g.sudokugridSetEditText(0, 0, "3");  // after a navigation key: no count
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(EntryTest, HoverPanelShowsTheCandidatesAboveTheCell) {
  GameFixture f;
  Game& g = f.game;
  g.controls.UAgrid.cells[CellIndex(2, 1)] = "149";
  g.sudokugridMouseMove(80, 40);
  EXPECT_FALSE(g.controls.lpos.visible);  // option off: untouched

  g.MostraCandidatiClick();
  g.sudokugridMouseMove(80, 40);
  EXPECT_TRUE(g.controls.lpos.visible);
  EXPECT_EQ(g.controls.lpos.caption, "149");
  EXPECT_EQ(g.controls.lpos.left, 74 + 21 - 9);
  EXPECT_EQ(g.controls.lpos.top, 37 + 52 - 20);

  g.sudokugridMouseMove(1, 40);
  EXPECT_FALSE(g.controls.lpos.visible);
  g.sudokugridMouseMove(80, 40);
  g.sudokugridMouseMove(80, 332);
  EXPECT_FALSE(g.controls.lpos.visible);
  g.sudokugridMouseMove(80, 40);
  g.sudokugridExit();
  EXPECT_FALSE(g.controls.lpos.visible);
}

}  // namespace
}  // namespace sudoku

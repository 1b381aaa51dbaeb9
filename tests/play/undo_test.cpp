// Undo two snapshots at a time, and restarting the game from the selected library row.
#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku {
namespace {

using testing::GameFixture;
using testing::kPuzzle;
using testing::Texts;

struct LoadedGame : GameFixture {
  LoadedGame() {
    testing::WritePuzzle(base / "temi" / "p1.tema", kPuzzle);
    game.AzzeraGioco();
    game.controls.LVsudoku.selected = 0;
    game.LVsudokuDblClick();
  }
};

TEST(UndoTest, OneEntryReportedTwiceIsUndoneInOneStepShowingTheGivensAsTexts) {
  LoadedGame f;
  Game& g = f.game;
  g.controls.Undo1.enabled = true;
  g.Undo1Click();  // right after the load: only disables itself
  EXPECT_FALSE(g.controls.Undo1.enabled);
  EXPECT_EQ(g.NumStorico, 1);
  EXPECT_EQ(Texts(g), std::string(81, '.'));

  g.sudokugridSetEditText(2, 0, "4");
  g.sudokugridSetEditText(2, 0, "4");
  ASSERT_EQ(g.NumStorico, 3);
  g.Undo1Click();
  EXPECT_EQ(g.NumStorico, 1);
  EXPECT_FALSE(g.controls.Undo1.enabled);
  EXPECT_EQ(Texts(g), kPuzzle);
  EXPECT_EQ(g.Griglia[CellIndex(2, 0)], 0);
  EXPECT_EQ(g.Griglia[CellIndex(0, 0)], 5);
}

TEST(UndoTest, UndoToSlotZeroEmptiesEveryTextWhileGivensStillCount) {
  LoadedGame f;
  Game& g = f.game;
  g.sudokugridSetEditText(2, 0, "4");
  g.sudokugridSetEditText(3, 0, "6");
  g.sudokugridSetEditText(3, 0, "6");
  g.sudokugridSetEditText(5, 0, "8");
  ASSERT_EQ(g.NumStorico, 5);
  g.Undo1Click();
  EXPECT_EQ(g.NumStorico, 3);
  EXPECT_TRUE(g.controls.Undo1.enabled);
  EXPECT_EQ(Texts(g).substr(0, 9), "..46.....");  // slot 3 holds the entries, not the givens
  g.NumStorico = 2;
  g.Undo1Click();
  EXPECT_EQ(g.NumStorico, 0);
  EXPECT_EQ(Texts(g), std::string(81, '.'));
  EXPECT_EQ(g.Griglia[CellIndex(0, 0)], 5);
}

TEST(UndoTest, RestartAnsweredYesReloadsThePuzzleFromItsGivens) {
  LoadedGame f;
  Game& g = f.game;
  g.sudokugridSetEditText(2, 0, "4");
  g.SBPauseClick();
  g.Secondi = 300;
  g.steps.NumPassi = 5;
  g.sudokugridKeyDown(kKeyLeft);
  g.Lingua = "en";
  g.RicominciaPartitaClick();
  EXPECT_EQ(f.dialogs.confirmations,
            std::vector<std::string>{"Do you want to restart the game p1.tema?"});
  EXPECT_EQ(Texts(g), std::string(81, '.'));
  EXPECT_EQ(g.board.Schema[CellIndex(0, 0)], "15");
  EXPECT_EQ(g.NumStorico, 1);
  EXPECT_EQ(g.Storico[2][CellIndex(2, 0)], 0);
  EXPECT_EQ(g.Secondi, 0);
  EXPECT_EQ(g.steps.NumPassi, 0);
  EXPECT_FALSE(g.TastoSinistra);
  EXPECT_FALSE(g.controls.SudokuTimer.enabled);  // a paused timer stays paused
}

TEST(UndoTest, RestartAnsweredNoOrWithoutSelectionChangesNothing) {
  LoadedGame f;
  Game& g = f.game;
  g.sudokugridSetEditText(2, 0, "4");
  f.dialogs.confirmAnswers = {false};
  g.RicominciaPartitaClick();
  EXPECT_EQ(f.dialogs.confirmations,
            std::vector<std::string>{"Vuoi ricominciare la partita p1.tema?"});
  EXPECT_EQ(g.board.Texts[CellIndex(2, 0)], "4");
  EXPECT_EQ(g.NumStorico, 2);

  g.controls.LVsudoku.selected = -1;
  g.RicominciaPartitaClick();
  EXPECT_EQ(f.dialogs.confirmations.size(), 1u);
}

}  // namespace
}  // namespace sudoku

// The board without files: entries and their snapshots, the cursor over givens, the candidates
// grid and its error highlight, colour marks, the solve, the timer and the language item.
#include <cstdint>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"

namespace sudoku::testing {
namespace {

// A game over fakes with an empty library.
struct BoardTest : ::testing::Test {
  GameFixture f;
  Game& g = f.game;
};

TEST_F(BoardTest, TheLastDigitTypedCountsAndIsRecordedUntilTheHistoryIsFull) {
  g.AzzeraGriglia();
  for (const char* text : {"50", "5a", ""}) {  // empty the cell, record nothing
    g.board.Texts[CellIndex(4, 4)] = "5";
    g.sudokugridSetEditText(4, 4, text);
    EXPECT_EQ(g.board.Texts[CellIndex(4, 4)], "") << '"' << text << '"';
  }
  EXPECT_EQ(g.Storico.NumStorico(), 0);
  EXPECT_FALSE(g.controls.Undo1.enabled);
  g.sudokugridSetEditText(2, 3, "57");
  EXPECT_EQ(g.board.Texts[CellIndex(2, 3)], "7");
  EXPECT_EQ(g.Storico.NumStorico(), 1);
  EXPECT_TRUE(g.controls.Undo1.enabled);

  while (g.Storico.NumStorico() < 99) g.Storico.Push({}, {});
  g.sudokugridSetEditText(0, 0, "4");
  EXPECT_EQ(g.Storico.Values(100)[CellIndex(0, 0)], 4);
  g.sudokugridSetEditText(0, 0, "6");  // the history is full: the entry applies unrecorded
  EXPECT_EQ(g.board.Texts[CellIndex(0, 0)], "6");
  EXPECT_EQ(g.Storico.NumStorico(), 100);
  EXPECT_EQ(g.Storico.Values(100)[CellIndex(0, 0)], 4);
}

TEST_F(BoardTest, CursorSkipsRunsOfGivensInTheDirectionOfTheLastArrow) {
  SetGivens(g, "12.45.7.." + std::string(71, '.') + "9");
  BoardGrid& grid = g.controls.sudokugrid;
  grid.col = 2;  // leftwards is the shell's ArrowKeysJumpOverGivensAndStopAtTheEdge
  // Where the cursor lands when key went down and then the given (col, row) was clicked.
  const auto select = [&](KeyCode key, int col, int row) {
    g.sudokugridKeyDown(key);
    EXPECT_FALSE(g.sudokugridSelectCell(col, row));
    return std::pair(grid.col, grid.row);
  };
  EXPECT_EQ(select(kKeyRight, 8, 8), std::pair(2, 0));  // right edge: stays
  EXPECT_EQ(select(kKeyUp, 8, 8), std::pair(8, 7));
  EXPECT_EQ(select(kKeyDown, 3, 0), std::pair(3, 1));
  EXPECT_EQ(select(kKeyOther, 0, 0), std::pair(3, 1));  // no arrow: stays
  EXPECT_TRUE(g.sudokugridSelectCell(6, 6));
  EXPECT_EQ(std::pair(grid.col, grid.row), std::pair(6, 6));
}

TEST_F(BoardTest, CountAfterEntryReportsNoneAndOneOnly) {
  g.controls.Seganalanosoluzioni.checked = true;
  g.AzzeraGriglia();
  const std::string rows = "." + std::string(kSolved.substr(1));
  SetTexts(g, rows);
  g.sudokugridSetEditText(0, 0, "5");
  g.Lingua = "en";
  g.sudokugridSetEditText(0, 0, "3");  // 3 twice in column 0
  EXPECT_EQ(f.dialogs.messages,
            (Messages{{BoxKind::Information,
                       "Complimenti!\n\rLo schema in griglia ha UNA SOLA SOLUZIONE!"},
                      {BoxKind::Error, "The puzzle in the grid have no solutions!"}}));
  EXPECT_FALSE(g.controls.ProgressBar1.visible);

  g.AzzeraGriglia();
  g.sudokugridSetEditText(0, 0, "3");  // many solutions: no message
  g.sudokugridKeyDown(kKeyTab);
  SetTexts(g, rows);
  g.sudokugridSetEditText(0, 0, "3");  // after a navigation key: no count
  EXPECT_EQ(f.dialogs.messages.size(), 2u);
}

TEST_F(BoardTest, ErrorHighlightFlashesEachNewlyEmptyCandidateCellInColumnOrder) {
  const std::string clash = "5...5" + std::string(76, '.');  // a clash in row 0
  SetTexts(g, clash);
  g.AggiornaGriglia();
  EXPECT_TRUE(f.effects.fills.empty());  // option off

  g.AzzeraGriglia();
  g.AggiornaGriglia();
  g.EvidenziaErroreClick();
  SetTexts(g, clash);
  f.effects.log.clear();
  g.AggiornaGriglia();
  std::vector<FilledRect> expected;
  std::vector<std::string> log;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(col, row)], g.Candidati.Text(col, row));
      if (!g.Candidati.Text(col, row).empty()) continue;
      expected.push_back(
          {"UAgrid", {61 * col, 37 * row, 61 * col + 60, 37 * row + 36}, {255, 0, 0}});
      log.insert(log.end(), {"fill UAgrid", "pause 2000", "clear UAgrid cell"});
    }
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(f.effects.fills, expected);
  EXPECT_EQ(f.effects.log, log);
  EXPECT_EQ(g.controls.PageControl1.activePage, "TSHelp");
  g.AggiornaGriglia();  // already empty before: no second flash
  EXPECT_EQ(f.effects.fills.size(), expected.size());
}

TEST_F(BoardTest, RightClickPaintsOpenCellsInTheSelectedColourAndHoverShowsCandidates) {
  g.board.Schema[CellIndex(0, 0)] = "15";
  g.board.Texts[CellIndex(2, 1)] = "4";
  g.sudokugridMouseDown(MouseButton::Right, 10, 10);  // a given
  g.sudokugridMouseDown(MouseButton::Left, 40, 40);   // the left button
  EXPECT_TRUE(f.effects.log.empty());

  g.sudokugridMouseDown(MouseButton::Right, 40, 40);  // empty open cell (1, 1)
  f.effects.focusAccepted = false;                    // the mark goes on without the focus
  g.ShRossoMouseDown();
  g.sudokugridMouseDown(MouseButton::Right, 80, 40);  // filled open cell (2, 1): spares the digit
  EXPECT_EQ(f.effects.fills,
            (std::vector<FilledRect>{{"sudokugrid", {37, 37, 73, 73}, {255, 255, 0}},
                                     {"sudokugrid", {94, 57, 110, 73}, {255, 0, 0}}}));
  EXPECT_EQ(f.effects.log, (std::vector<std::string>{"focus ETipologia", "fill sudokugrid",
                                                     "focus ETipologia", "fill sudokugrid"}));
  g.ShVerdeMouseDown();
  EXPECT_EQ(g.MarkColour(), (Rgb{0, 128, 0}));
  g.ShAquaMouseDown();
  g.controls.ShGiallo.circle = true;  // of two circles the later in yellow, green, red, aqua wins
  EXPECT_EQ(g.MarkColour(), (Rgb{0, 255, 255}));

  g.AzzeraGriglia();  // a board rewrite ends every mark
  EXPECT_EQ(f.effects.log.back(), "clear sudokugrid");

  // The hover panel needs its option and goes when the pointer leaves; where it shows is the
  // shell's HoverPanelShowsTheCandidatesAboveTheCellUnderThePointer.
  g.controls.UAgrid.cells[CellIndex(2, 1)] = "149";
  g.sudokugridMouseMove(80, 40);
  EXPECT_FALSE(g.controls.lpos.visible);  // option off: untouched
  g.MostraCandidatiClick();
  g.sudokugridMouseMove(80, 40);
  EXPECT_EQ(g.controls.lpos.caption, "149");
  g.sudokugridMouseMove(80, 332);  // below the board
  EXPECT_FALSE(g.controls.lpos.visible);
  g.sudokugridMouseMove(80, 40);
  EXPECT_TRUE(g.controls.lpos.visible);
  g.sudokugridExit();
  EXPECT_FALSE(g.controls.lpos.visible);
}

TEST_F(BoardTest, OnlyAProperGridIsSolvedAndASolveIsAnnouncedOnceUntilTheBoardChanges) {
  const std::filesystem::path stats = f.temi / "statinfo.txt";
  std::string latin;  // rows and columns all hold 1..9 but the boxes repeat digits
  for (int i = 0; i < 81; ++i) latin += char('1' + (i % 9 + i / 9) % 9);
  SetTexts(g, latin);
  g.AggiornaGriglia();
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(stats));

  g.AzzeraGriglia();
  g.controls.enomefile.text = "abc.tema";
  g.Avvia1Click();
  g.Secondi = 82;
  g.SudokuTimerTimer();
  SetGivens(g, std::string(kSolved.substr(0, 40)) + std::string(41, '.'));
  SetTexts(g, std::string(40, '.') + std::string(kSolved.substr(40)));
  g.sudokugridKeyUp();
  EXPECT_EQ(f.dialogs.messages,
            (Messages{{BoxKind::Information, "Complimenti!\n\rPuzzle Risolto"}}));
  EXPECT_EQ(f.effects.sounds,
            std::vector<std::filesystem::path>{f.base / "noconnect" / "tada.wav"});
  EXPECT_FALSE(g.controls.SudokuTimer.enabled);
  EXPECT_TRUE(g.controls.Avvia1.enabled);
  EXPECT_EQ(ReadBytes(stats), "[nome]abc.tema[timer]0h 1m 23s\r\n");
  g.sudokugridKeyUp();
  g.AggiornaGriglia();
  EXPECT_EQ(f.dialogs.messages.size(), 1u);

  g.sudokugridSetEditText(8, 8, "");
  g.sudokugridKeyUp();
  g.sudokugridSetEditText(8, 8, "9");
  g.Lingua = "en";
  g.sudokugridKeyUp();
  EXPECT_EQ(f.dialogs.messages.at(1).text, "Congratulations!\n\rPuzzle Solved");
  EXPECT_EQ(ReadBytes(stats),
            "[nome]abc.tema[timer]0h 1m 23s\r\n[nome]abc.tema[timer]0h 1m 23s\r\n");

  // During a challenge a solve is silent but still recorded.
  g.sudokugridSetEditText(8, 8, "");
  g.sudokugridKeyUp();
  g.SfidaInCorso = true;
  g.controls.enomefile.text = "";
  g.Avvia1Click();
  g.sudokugridSetEditText(8, 8, "9");
  g.sudokugridKeyUp();
  EXPECT_EQ(f.dialogs.messages.size(), 2u);
  EXPECT_EQ(f.effects.sounds.size(), 2u);
  EXPECT_FALSE(g.controls.SudokuTimer.enabled);
  EXPECT_EQ(ReadBytes(stats).substr(64), "[nome]outpuzzle[timer]0h 1m 23s\r\n");
}

TEST_F(BoardTest, TimerButtonsItemsAndTheTickShowingHoursMinutesSeconds) {
  Controls& c = g.controls;
  g.Avvia1Click();
  g.SBPauseClick();
  EXPECT_FALSE(c.SudokuTimer.enabled || c.SBPause.enabled || c.Avvia1.enabled);
  EXPECT_TRUE(c.SBPlay.enabled && c.Pausa1.enabled);  // the buttons leave the menu items alone
  for (const auto& [seconds, shown] :
       {std::pair(59, "0h 1m 0s"), std::pair(3724, "1h 2m 5s"), std::pair(86399, "24h 0m 0s"),
        std::pair(INT32_MAX, "596523h 14m 7s")}) {  // the count stops at the top of its range
    g.Secondi = seconds;
    g.SudokuTimerTimer();
    EXPECT_EQ(c.LTime.caption, shown);
  }
  g.SPRestartClick();  // the display keeps its text until the next tick
  EXPECT_TRUE(c.SudokuTimer.enabled && c.Pausa1.enabled);
  EXPECT_EQ(c.LTime.caption, "596523h 14m 7s");
  g.SudokuTimerTimer();
  EXPECT_EQ(c.LTime.caption, "0h 0m 1s");
}

// The menu captions both ways are the shell's LanguageItemFlipsCaptionsAndBack; here the flag,
// the list's column and hint, and a language of neither kind.
TEST_F(BoardTest, TheLanguageItemSwitchesFlagAndListTextsBothWays) {
  const Controls& c = g.controls;
  g.menulinguaClick();
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_it.bmp").string());
  EXPECT_EQ(c.LVsudoku.columns[5].caption + "|" + c.LVsudoku.hint,
            "Solved|Double Click upload the puzzle");
  g.menulinguaClick();
  EXPECT_EQ(c.menulingua.picture, (f.base / "noconnect" / "flag_en.bmp").string());
  EXPECT_EQ(c.LVsudoku.columns[5].caption, "Risolto");
  g.Lingua = "fr";  // anything but English is Italian, and the item goes to Italian
  g.ImpostaLingua();
  EXPECT_EQ(c.Opzioni1.caption, "Schema");
  g.menulinguaClick();
  EXPECT_EQ(g.Lingua, "it");
}

}  // namespace
}  // namespace sudoku::testing

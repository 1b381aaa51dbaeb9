// The board: cell values, the rebuilt candidates and their error highlight, the solved test and
// the announcement of a solve.
#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"

namespace sudoku {
namespace {

using testing::GameFixture;
using testing::kSolved;
using testing::SetGivens;
using testing::SetTexts;

TEST(BoardTest, ValueComesFromTheTextThenTheGivenDigit) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.board.Schema[CellIndex(3, 4)] = "17";
  EXPECT_EQ(g.ValoreCella(3, 4), 7);
  g.board.Texts[CellIndex(3, 4)] = "7";
  EXPECT_EQ(g.ValoreCella(3, 4), 7);
  g.board.Schema[CellIndex(5, 5)] = "09";  // open, with a stale digit
  EXPECT_EQ(g.ValoreCella(5, 5), 0);
  g.AggiornaGriglia();
  EXPECT_EQ(g.Griglia[CellIndex(5, 5)], 0);
  EXPECT_EQ(g.Griglia[CellIndex(3, 4)], 7);
}

TEST(BoardTest, CandidatesOfTheBoardGoToTheCandidatesGrid) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  SetGivens(g, "12......." + std::string(72, '.'));
  g.board.Texts[CellIndex(0, 1)] = "3";
  g.AggiornaGriglia();
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(0, 0)], "1");
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(0, 1)], "3");
  const std::string third = g.controls.UAgrid.cells[CellIndex(2, 0)];
  EXPECT_EQ(third.find_first_of("123"), std::string::npos) << third;
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(8, 8)], "123456789");
  for (int i = 0; i < 81; ++i) EXPECT_EQ(g.controls.UAgrid.cells[i], g.Candidati.Cells[i].Text());
  EXPECT_TRUE(f.effects.fills.empty());
}

TEST(BoardTest, ErrorHighlightFlashesEachNewlyEmptyCellInColumnMajorOrder) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.AggiornaGriglia();  // every candidates text non-empty
  g.board.Texts[CellIndex(0, 0)] = "5";
  g.board.Texts[CellIndex(4, 0)] = "5";  // a clash in row 0
  g.AggiornaGriglia();
  EXPECT_TRUE(f.effects.fills.empty());  // option off

  g.AzzeraGriglia();
  g.AggiornaGriglia();
  g.EvidenziaErroreClick();
  g.board.Texts[CellIndex(0, 0)] = "5";
  g.board.Texts[CellIndex(4, 0)] = "5";
  f.effects.log.clear();
  g.AggiornaGriglia();

  std::vector<testing::FilledRect> expected;
  std::vector<std::string> log;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
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

// Rows and columns all hold 1..9 but the boxes repeat digits.
std::string LatinSquare() {
  std::string rows;
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) rows += char('1' + (col + row) % 9);
  }
  return rows;
}

TEST(BoardTest, OnlyAProperGridCountsAsSolved) {
  for (const std::string& rows : {LatinSquare(), std::string(81, '5')}) {
    GameFixture f;
    f.game.AzzeraGriglia();
    SetTexts(f.game, rows);
    f.game.AggiornaGriglia();
    EXPECT_TRUE(f.dialogs.messages.empty()) << rows;
    EXPECT_FALSE(std::filesystem::exists(f.base / "temi" / "statinfo.txt"));
  }
}

TEST(BoardTest, ASolveIsAnnouncedOnceUntilTheBoardChanges) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.controls.enomefile.text = "abc.tema";
  g.Avvia1Click();
  g.Secondi = 82;
  g.SudokuTimerTimer();
  SetGivens(g, std::string(kSolved.substr(0, 40)) + std::string(41, '.'));
  SetTexts(g, std::string(40, '.') + std::string(kSolved.substr(40)));
  g.sudokugridKeyUp();

  EXPECT_EQ(f.dialogs.messages, (std::vector<testing::ShownMessage>{
                                    {BoxKind::Information, "Complimenti!\n\rPuzzle Risolto"}}));
  EXPECT_EQ(f.effects.sounds,
            std::vector<std::filesystem::path>{f.base / "noconnect" / "tada.wav"});
  EXPECT_FALSE(g.controls.SudokuTimer.enabled);
  EXPECT_TRUE(g.controls.Avvia1.enabled);
  const std::filesystem::path stats = f.base / "temi" / "statinfo.txt";
  EXPECT_EQ(testing::ReadBytes(stats), "[nome]abc.tema[timer]0h 1m 23s\r\n");

  g.sudokugridKeyUp();
  g.AggiornaGriglia();
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.effects.sounds.size(), 1u);

  g.sudokugridSetEditText(8, 8, "");
  g.sudokugridKeyUp();
  g.sudokugridSetEditText(8, 8, "9");
  g.Lingua = "en";
  g.sudokugridKeyUp();
  ASSERT_EQ(f.dialogs.messages.size(), 2u);
  EXPECT_EQ(f.dialogs.messages[1].text, "Congratulations!\n\rPuzzle Solved");
  EXPECT_EQ(testing::ReadBytes(stats),
            "[nome]abc.tema[timer]0h 1m 23s\r\n[nome]abc.tema[timer]0h 1m 23s\r\n");
}

TEST(BoardTest, DuringAChallengeASolveIsSilentButStillRecorded) {
  GameFixture f;
  Game& g = f.game;
  g.SfidaInCorso = true;
  g.AzzeraGriglia();
  g.controls.enomefile.text = "";
  g.Avvia1Click();
  SetTexts(g, kSolved);
  g.AggiornaGriglia();
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_TRUE(f.effects.sounds.empty());
  EXPECT_FALSE(g.controls.SudokuTimer.enabled);
  EXPECT_EQ(testing::ReadBytes(f.base / "temi" / "statinfo.txt"),
            "[nome]outpuzzle[timer]0h 0m 0s\r\n");
}

}  // namespace
}  // namespace sudoku

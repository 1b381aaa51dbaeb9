// The counting commands and the automatic solution, through the message boxes and the board.
#include <gtest/gtest.h>

#include "solving_fixture.h"

namespace sudoku::testing {
namespace {

// kSolution with two independent swappable rectangles emptied: exactly four solutions.
const std::string kFourSolutions =
    "53467891267219534819834256785976.42.42685.79.713924856961.3728.287.1963.345286179";
const std::string kClash = "11" + std::string(79, '.');
const std::string kEmpty(81, '.');

struct CountCase {
  std::string entries;
  void (Game::*command)();
  std::string lingua;
  std::string message;
};

TEST(SolutionCommandsTest, CountMessagesInBothLanguages) {
  const CountCase cases[] = {
      {kClash, &Game::Finoa10Click, "en", "The puzzle allows 0 solutions"},
      {kClash, &Game::Finoa10Click, "it", "Il numero di soluzioni per lo schema in griglia \xE8 0"},
      {kPuzzle, &Game::Finoa30Click, "en", "Congratulations!\n\rThe puzzle has only one solution!"},
      {kPuzzle, &Game::Finoa30Click, "it", "Complimenti!\n\rLo schema \xE8 a soluzione unica."},
      {kFourSolutions, &Game::Finoa10Click, "en", "The puzzle allows 4 solutions"},
      {kFourSolutions, &Game::Finoa60Click, "it",
       "Il numero di soluzioni per lo schema in griglia \xE8 4"},
      {kEmpty, &Game::Finoa10Click, "en", "The puzzle allows at least 10 solutions!"},
      {kEmpty, &Game::Finoa30Click, "en", "The puzzle allows at least 30 solutions!"},
      {kEmpty, &Game::Finoa60Click, "it",
       "Il numero di soluzioni per lo schema in griglia \xE8 almeno 60"},
  };
  for (const CountCase& c : cases) {
    SolvingFixture f("count");
    f.game.Lingua = c.lingua;
    f.Entries(c.entries);
    (f.game.*c.command)();
    ASSERT_EQ(f.dialogs.messages.size(), 1u) << c.message;
    EXPECT_EQ(f.dialogs.messages[0], (ShownMessage{BoxKind::Information, c.message}));
  }
}

TEST(SolutionCommandsTest, AutomaticSolutionWritesOnlyOpenCellsAndTheCandidatesGrid) {
  SolvingFixture f("auto");
  f.Givens(kPuzzle);
  f.Entries("..4" + std::string(78, '.'));
  f.game.SoluzioneAutomaticaClick();

  EXPECT_EQ(f.dialogs.messages,
            (std::vector<ShownMessage>{{BoxKind::Information, "Soluzione unica trovata!"}}));
  EXPECT_EQ(f.Shown(), kSolution);
  for (int i = 0; i < 81; ++i) {
    const int cell = CellIndex(i % 9, i / 9);
    EXPECT_EQ(f.game.board.Texts[cell].empty(), kPuzzle[i] != '.') << i;
    EXPECT_EQ(f.game.controls.UAgrid.cells[cell], std::string(1, kSolution[i]));
    EXPECT_EQ(f.game.Griglia[cell], kSolution[i] - '0');
  }
  // No undo snapshot and no completion check.
  EXPECT_EQ(f.game.NumStorico, 0);
  EXPECT_TRUE(f.effects.sounds.empty());
}

TEST(SolutionCommandsTest, AutomaticSolutionRefusesAndLeavesTheBoard) {
  struct Case {
    std::string entries, lingua;
    ShownMessage message;
  };
  const Case cases[] = {
      {kClash, "en", {BoxKind::Error, "The puzzle in the grid have no solutions!"}},
      {kClash, "it", {BoxKind::Error, "Lo schema in griglia non ammette soluzioni!"}},
      {kFourSolutions,
       "en",
       {BoxKind::Error, "Caution!\n\rThe puzzle on the grid allow more solutions!"}},
      {kFourSolutions,
       "it",
       {BoxKind::Information, "Attenzione!\n\rLo schema in griglia ha pi\xF9 di una soluzione!"}},
  };
  for (const Case& c : cases) {
    SolvingFixture f("autono");
    f.game.Lingua = c.lingua;
    f.Entries(c.entries);
    f.game.SoluzioneAutomaticaClick();
    EXPECT_EQ(f.dialogs.messages, std::vector<ShownMessage>{c.message});
    EXPECT_EQ(f.Texts(), c.entries);
  }
}

}  // namespace
}  // namespace sudoku::testing

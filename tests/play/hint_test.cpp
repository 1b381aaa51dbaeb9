// The hint: refused without a unique solution or with ten empty cells or fewer; otherwise one
// empty cell, drawn at random, gets its solution digit.
#include <gtest/gtest.h>

#include "solving_fixture.h"

namespace sudoku::testing {
namespace {

// kSolution with these cells (row-by-row indexes) empty.
std::string SolutionWithout(std::initializer_list<int> empty) {
  std::string rows = kSolution;
  for (int i : empty) rows[i] = '.';
  return rows;
}

const std::string kElevenEmpty = SolutionWithout({0, 10, 20, 30, 40, 50, 60, 70, 80, 8, 72});

TEST(HintTest, GivesTheSolutionDigitOfADrawnEmptyCell) {
  SolvingFixture f("hint");
  // Half the board as givens, the rest typed in, eleven cells left empty.
  f.Givens(kElevenEmpty.substr(0, 45) + std::string(36, '.'));
  f.Entries(std::string(45, '.') + kElevenEmpty.substr(45));
  // Draws: a given (1, 0), a typed cell (0, 7), then the empty cell at column 1, row 1.
  f.random.script = {1, 0, 0, 7, 1, 1};
  f.game.controls.UAgrid.cells.fill("");
  const CandidateGrid candidates = f.game.Candidati;

  f.game.SuggerisciNumeroClick();

  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.random.draws, 6);
  const int cell = CellIndex(1, 1);
  const std::string digit(1, kSolution[10]);
  EXPECT_EQ(f.game.board.Texts[cell], digit);
  EXPECT_EQ(f.game.controls.UAgrid.cells[cell], digit);
  EXPECT_EQ(f.game.Griglia[cell], kSolution[10] - '0');
  EXPECT_EQ(f.Shown(), SolutionWithout({0, 20, 30, 40, 50, 60, 70, 80, 8, 72}));
  EXPECT_EQ(f.effects.log,
            (std::vector<std::string>{"fill sudokugrid", "pause 500", "clear sudokugrid cell"}));
  EXPECT_EQ(f.effects.fills[0].rect, (Rect{37, 37, 73, 73}));
  EXPECT_EQ(f.effects.fills[0].colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(f.game.Candidati, candidates);
  EXPECT_EQ(f.game.NumStorico, 0);
  // Column 2 lacks only this cell's 7: the last digit placed there, the 4 in row 9, leaves it.
  EXPECT_EQ(f.game.controls.LSpiegazione.caption,
            "Colonna 2, riga 2: 7 - unico candidato rimasto dopo il 4 in colonna 2, riga 9");
}

TEST(HintTest, RefusalsInBothLanguages) {
  struct Case {
    std::string givens, lingua;
    ShownMessage message;
  };
  const std::string tenEmpty = SolutionWithout({0, 10, 20, 30, 40, 50, 60, 70, 80, 8});
  const std::string clash = "11" + std::string(79, '.');
  const std::string twoSolutions = SolutionWithout({32, 35, 41, 44});
  const Case cases[] = {
      {tenEmpty,
       "en",
       {BoxKind::Error,
        "Caution!\n\rThe puzzle on the grid has no more that 10 empty cells!\n\rCan not suggest "
        "a number!"}},
      {tenEmpty,
       "it",
       {BoxKind::Information,
        "Attenzione!\n\rLo schema in griglia non ha pi\xF9 di 10 caselle libere!\n\rNessun "
        "suggerimento"}},
      {clash,
       "en",
       {BoxKind::Error, "The puzzle in the grid have no solutions!\n\rCan not suggest a number!"}},
      {clash,
       "it",
       {BoxKind::Error, "Lo schema in griglia non ammette soluzioni!\n\rNessun suggerimento"}},
      {twoSolutions,
       "en",
       {BoxKind::Error,
        "Caution!\n\rThe puzzle on the grid allow more solutions!\n\rCan not suggest a number!"}},
      {twoSolutions,
       "it",
       {BoxKind::Information,
        "Attenzione!\n\rLo schema in griglia ha pi\xF9 di una soluzione!\n\rNessun suggerimento"}},
  };
  for (const Case& c : cases) {
    SolvingFixture f("hintno");
    f.game.Lingua = c.lingua;
    f.Entries(c.givens);
    f.game.SuggerisciNumeroClick();
    EXPECT_EQ(f.dialogs.messages, std::vector<ShownMessage>{c.message});
    EXPECT_EQ(f.Texts(), c.givens);
    EXPECT_EQ(f.random.draws, 0);
  }
}

}  // namespace
}  // namespace sudoku::testing

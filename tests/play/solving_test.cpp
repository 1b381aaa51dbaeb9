// The solving aids: the counting commands, the automatic solution, the hint, and the
// step-by-step solution whose forward and back buttons replay it with a flash and an
// explanation on each newly found cell.
#include <algorithm>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku::testing {
namespace {

// kSolved with two independent swappable rectangles emptied: exactly four solutions.
const std::string kFourSolutions =
    "53467891267219534819834256785976.42.42685.79.713924856961.3728.287.1963.345286179";
const std::string kClash = "11" + std::string(79, '.');

// kSolved with these cells (row-by-row indexes) empty.
std::string SolvedWithout(std::initializer_list<int> empty) {
  std::string rows(kSolved);
  for (int i : empty) rows[std::size_t(i)] = '.';
  return rows;
}

TEST(SolutionCommandsTest, AutomaticSolutionWritesOnlyOpenCellsAndTheCandidatesGrid) {
  GameFixture f;
  SetGivens(f.game, kPuzzle);
  f.game.board.Texts[CellIndex(2, 0)] = "4";
  f.game.controls.LSpiegazione.caption = "a hint's explanation";
  f.game.SoluzioneAutomaticaClick();
  EXPECT_EQ(f.game.controls.LSpiegazione.caption, "");  // the hint's explanation goes
  EXPECT_EQ(f.dialogs.messages, (Messages{{BoxKind::Information, "Soluzione unica trovata!"}}));
  EXPECT_EQ(Shown(f.game), kSolved);
  std::string entries(kSolved);  // the open cells only
  for (int i = 0; i < 81; ++i) entries[std::size_t(i)] = kPuzzle[i] == '.' ? kSolved[i] : '.';
  EXPECT_EQ(Texts(f.game), entries);
  for (int i = 0; i < 81; ++i) {
    EXPECT_EQ(f.game.controls.UAgrid.cells[i], std::to_string(f.game.Griglia[i])) << i;
  }
  // No undo snapshot and no completion check.
  EXPECT_EQ(f.game.Storico.NumStorico(), 0);
  EXPECT_TRUE(f.effects.sounds.empty());
}

// A count reports any number; the automatic solution and the hint refuse a grid without exactly
// one solution, and the hint one with ten empty cells or fewer.
TEST(SolutionCommandsTest, CountsAndTheRefusalsOfTheSolutionAndHintInBothLanguages) {
  struct Case {
    std::string entries, lingua, count;
    BoxKind kind;
    std::string refusal;  // of the automatic solution; the hint's goes on
  };
  const std::string tenEmpty = SolvedWithout({0, 10, 20, 30, 40, 50, 60, 70, 80, 8});
  const Case cases[] = {
      {kClash, "en", "The puzzle allows 0 solutions", BoxKind::Error,
       "The puzzle in the grid have no solutions!"},
      {kClash, "it", "Il numero di soluzioni per lo schema in griglia \xE8 0", BoxKind::Error,
       "Lo schema in griglia non ammette soluzioni!"},
      {kFourSolutions, "en", "The puzzle allows 4 solutions", BoxKind::Error,
       "Caution!\n\rThe puzzle on the grid allow more solutions!"},
      {kFourSolutions, "it", "Il numero di soluzioni per lo schema in griglia \xE8 4",
       BoxKind::Information, "Attenzione!\n\rLo schema in griglia ha pi\xF9 di una soluzione!"},
      {tenEmpty, "en", "Congratulations!\n\rThe puzzle has only one solution!", BoxKind::Error,
       "Caution!\n\rThe puzzle on the grid has no more that 10 empty cells!"},
      {tenEmpty, "it", "Complimenti!\n\rLo schema \xE8 a soluzione unica.", BoxKind::Information,
       "Attenzione!\n\rLo schema in griglia non ha pi\xF9 di 10 caselle libere!"},
  };
  for (const Case& c : cases) {
    GameFixture f("refusal");
    f.game.Lingua = c.lingua;
    SetTexts(f.game, c.entries);
    f.game.Finoa10Click();
    f.game.SuggerisciNumeroClick();
    std::vector<ShownMessage> expected{
        {BoxKind::Information, c.count},
        {c.kind, c.refusal + (c.lingua == "en" ? "\n\rCan not suggest a number!"
                                               : "\n\rNessun suggerimento")}};
    if (c.entries != tenEmpty) {  // ten empty cells are few enough to solve
      f.game.SoluzioneAutomaticaClick();
      expected.push_back({c.kind, c.refusal});
    }
    EXPECT_EQ(f.dialogs.messages, expected);
    EXPECT_EQ(Texts(f.game), c.entries);
  }
  GameFixture f;  // counts stop at the command's limit
  f.game.Lingua = "en";
  f.game.Finoa10Click();
  f.game.Finoa30Click();
  f.game.Lingua = "it";
  f.game.Finoa60Click();
  EXPECT_EQ(f.dialogs.messages,
            (Messages{{BoxKind::Information, "The puzzle allows at least 10 solutions!"},
                      {BoxKind::Information, "The puzzle allows at least 30 solutions!"},
                      {BoxKind::Information,
                       "Il numero di soluzioni per lo schema in griglia \xE8 almeno 60"}}));
}

// Draws a given (1, 0), a typed cell (0, 7), then the empty cell at column 1, row 1.
struct HintRandom : test::ScriptedRandom {
  HintRandom() : ScriptedRandom({1, 0, 0, 7, 1, 1}) {}
};

TEST(HintTest, GivesTheSolutionDigitOfADrawnEmptyCellAndExplainsIt) {
  BasicGameFixture<HintRandom> f("hint");
  // Half the board as givens, the rest typed in, eleven cells left empty.
  const std::string elevenEmpty = SolvedWithout({0, 10, 20, 30, 40, 50, 60, 70, 80, 8, 72});
  SetGivens(f.game, elevenEmpty.substr(0, 45) + std::string(36, '.'));
  SetTexts(f.game, std::string(45, '.') + elevenEmpty.substr(45));
  f.game.controls.UAgrid.cells.fill("");
  const CandidateGrid candidates = f.game.Candidati;
  f.game.SuggerisciNumeroClick();

  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.game.controls.UAgrid.cells[CellIndex(1, 1)], "7");
  EXPECT_EQ(Shown(f.game), SolvedWithout({0, 20, 30, 40, 50, 60, 70, 80, 8, 72}));
  EXPECT_EQ(f.effects.log,
            (std::vector<std::string>{"fill sudokugrid", "pause 500", "clear sudokugrid cell"}));
  EXPECT_EQ(f.effects.fills[0], (FilledRect{"sudokugrid", {37, 37, 73, 73}, {255, 0, 0}}));
  EXPECT_EQ(f.game.Candidati, candidates);
  EXPECT_EQ(f.game.Storico.NumStorico(), 0);
  EXPECT_EQ(f.game.controls.LSpiegazione.caption,
            "Colonna 2, riga 2: 7 - ultima cifra che manca nella riga 2");
}

TEST(StepReplayTest, NoOrOneFoundCellIsTooFewToReplay) {
  struct Case {
    std::string entries, lingua;
    int steps;
    std::string message;
  };
  const Case cases[] = {
      {std::string(81, '.'), "it", 0,
       "Spiacente.\n\rIn base alle caselle valorizzate, non sono in grado di determinare altre "
       "celle."},
      {"12345678." + std::string(72, '.'), "en", 1,
       "Sorry.\n\rThe system is not able to determine other cells."},
  };
  for (const Case& c : cases) {
    GameFixture f("fewsteps");
    f.game.Lingua = c.lingua;
    SetTexts(f.game, c.entries);
    f.game.controls.BAvanti.enabled = true;
    f.game.controls.UAgrid.cells.fill("x");
    f.game.SoluzionePassoPasso1Click();
    EXPECT_EQ(f.game.steps.NumPassi, c.steps);
    EXPECT_EQ(f.dialogs.messages, (Messages{{BoxKind::Plain, c.message}}));
    EXPECT_FALSE(f.game.controls.BAvanti.enabled || f.game.controls.BIndietro.enabled);
    EXPECT_EQ(f.game.Candidati, CandidateGrid::Full());
    EXPECT_EQ(f.game.controls.UAgrid.cells[0], "x");
    EXPECT_FALSE(f.game.steps.PassoPasso);
  }
}

// The puzzle's givens plus one entry that the user typed, its steps recorded.
TEST(StepReplayTest, EachPressShowsOneFoundCellFlashedAndExplainedToTheEndAndBack) {
  GameFixture f("steps");
  Game& g = f.game;
  SetGivens(g, kPuzzle);
  g.board.Texts[CellIndex(2, 0)] = "4";
  const std::string start = Texts(g);
  g.SoluzionePassoPasso1Click();
  const int steps = g.steps.NumPassi;
  ASSERT_GT(steps, 2);
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Per visualizzare la sequenza logica trovata, " +
                                         std::to_string(steps) +
                                         " step, usa i pulsanti di navigazione.");
  EXPECT_EQ(Texts(g), start);
  EXPECT_TRUE(g.controls.BAvanti.enabled && g.controls.BIndietro.enabled);
  EXPECT_EQ(g.controls.UAgrid.cells[CellIndex(3, 0)], "6");  // found by the logic
  EXPECT_EQ(g.Griglia[CellIndex(3, 0)], 0);
  EXPECT_EQ(g.controls.LSpiegazione.caption, "");

  g.BAvantiClick();  // the first press shows the start, unflashed
  EXPECT_TRUE(f.effects.log.empty());
  std::string shown = Shown(g);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '.'),
            std::count(kPuzzle.begin(), kPuzzle.end(), '.') - 2);
  const std::string before = shown;
  g.BAvantiClick();
  const StepRecord& second = g.steps.Passi[2];
  const int col = second.Col, row = second.Row;
  shown[std::size_t(row * 9 + col)] = char('0' + second.Digit);
  EXPECT_EQ(Shown(g), shown);  // that cell only
  EXPECT_EQ(f.effects.log,
            (std::vector<std::string>{"fill sudokugrid", "pause 500", "clear sudokugrid cell"}));
  EXPECT_EQ(f.effects.fills.at(0).rect, (Rect{37 * col, 37 * row, 37 * col + 36, 37 * row + 36}));
  EXPECT_EQ(g.Candidati, second.Candidates);
  EXPECT_EQ(g.controls.LSpiegazione.caption, ExplanationText(ExplainStep(g.steps, 2), false));
  g.menulinguaClick();  // the explanation follows the language
  EXPECT_EQ(g.controls.LSpiegazione.caption, ExplanationText(ExplainStep(g.steps, 2), true));

  g.board.Texts[CellIndex(0, 0)] = "5";  // a given showing its digit, as after an undo
  g.BIndietroClick();
  EXPECT_EQ(g.controls.LSpiegazione.caption, ExplanationText(ExplainStep(g.steps, 1), true));
  EXPECT_EQ(g.board.Texts[CellIndex(0, 0)], "");  // back writes texts into open cells only
  EXPECT_EQ(Shown(g), before);
  g.BIndietroClick();
  EXPECT_EQ(g.controls.LSpiegazione.caption, "");

  for (int k = 0; k < steps; ++k) g.BAvantiClick();  // forward to the end and back to the start
  EXPECT_EQ(Shown(g), kSolved);                      // an easy puzzle: the logic finds every cell
  EXPECT_TRUE(g.controls.BAvanti.enabled);
  g.BAvantiClick();
  EXPECT_FALSE(g.controls.BAvanti.enabled);
  EXPECT_EQ(g.steps.PassoCorrente, steps);

  g.BIndietroClick();
  EXPECT_TRUE(g.controls.BAvanti.enabled);
  EXPECT_EQ(g.Candidati, g.steps.Passi[steps - 1].Candidates);
  for (int k = steps - 1; k > 1; --k) g.BIndietroClick();
  const CandidateGrid atStepOne = g.Candidati;
  g.BIndietroClick();
  EXPECT_EQ(Texts(g), start);  // the position the command started from
  EXPECT_EQ(g.Candidati, atStepOne);
  EXPECT_TRUE(g.controls.BIndietro.enabled);
  g.BIndietroClick();
  EXPECT_FALSE(g.controls.BIndietro.enabled);
  EXPECT_EQ(g.steps.PassoCorrente, 0);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);  // the announcement only

  // Loading another puzzle ends the replay: the buttons stay enabled, but neither replays the
  // last puzzle's steps onto this one.
  g.BAvantiClick();
  g.BAvantiClick();
  WritePuzzle(f.temi / "blank.tema", std::string(81, '.'), PuzzleInfo{});
  g.controls.enomefile.text = "blank.tema";
  ASSERT_TRUE(g.CaricaSchema());
  g.BIndietroClick();
  g.BAvantiClick();
  EXPECT_EQ(Shown(g), std::string(81, '.'));
  EXPECT_FALSE(g.controls.BAvanti.enabled);
  EXPECT_EQ(g.controls.LSpiegazione.caption, "");
}

}  // namespace
}  // namespace sudoku::testing

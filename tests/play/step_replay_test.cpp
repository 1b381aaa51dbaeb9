// The step-by-step solution: recording from the board, and the forward and back buttons that
// replay it with a flash on each newly found cell.
#include <gtest/gtest.h>

#include <algorithm>

#include "solving_fixture.h"
#include "storage/puzzle_file.h"

namespace sudoku::testing {
namespace {

const Rgb kRed{255, 0, 0};

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
    SolvingFixture f("fewsteps");
    f.game.Lingua = c.lingua;
    f.Entries(c.entries);
    f.game.controls.BAvanti.enabled = true;
    f.game.controls.UAgrid.cells.fill("x");
    f.game.SoluzionePassoPasso1Click();

    EXPECT_EQ(f.game.steps.NumPassi, c.steps);
    EXPECT_EQ(f.dialogs.messages, (std::vector<ShownMessage>{{BoxKind::Plain, c.message}}));
    EXPECT_FALSE(f.game.controls.BAvanti.enabled);
    EXPECT_FALSE(f.game.controls.BIndietro.enabled);
    EXPECT_EQ(f.game.Candidati, CandidateGrid::Full());
    EXPECT_EQ(f.game.controls.UAgrid.cells[0], "x");
    EXPECT_FALSE(f.game.steps.PassoPasso);
  }
}

// The puzzle's givens plus one entry that the user typed.
struct ManySteps : ::testing::Test {
  SolvingFixture f{"steps"};
  std::string start;

  void SetUp() override {
    f.Givens(kPuzzle);
    f.Entries("..4" + std::string(78, '.'));
    start = f.Texts();
    f.game.SoluzionePassoPasso1Click();
  }
  int Steps() const { return f.game.steps.NumPassi; }
};

TEST_F(ManySteps, RecordingAnnouncesTheStepsAndLeavesTheBoard) {
  EXPECT_GT(Steps(), 1);
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Per visualizzare la sequenza logica trovata, " +
                                         std::to_string(Steps()) +
                                         " step, usa i pulsanti di navigazione.");
  EXPECT_EQ(f.Texts(), start);
  EXPECT_TRUE(f.game.controls.BAvanti.enabled);
  EXPECT_TRUE(f.game.controls.BIndietro.enabled);
  EXPECT_EQ(f.game.controls.UAgrid.cells[CellIndex(3, 0)], "6");  // found by the logic
  EXPECT_EQ(f.game.Griglia[CellIndex(2, 0)], 4);
  EXPECT_EQ(f.game.Griglia[CellIndex(3, 0)], 0);
}

TEST_F(ManySteps, ForwardShowsOneMoreFoundCellPerPressFlashingAllButTheFirst) {
  f.game.BAvantiClick();
  EXPECT_TRUE(f.effects.log.empty());
  std::string before = f.Shown();
  EXPECT_EQ(std::count(before.begin(), before.end(), '.'),
            std::count(kPuzzle.begin(), kPuzzle.end(), '.') - 2);

  f.game.BAvantiClick();
  const std::string after = f.Shown();
  int changed = -1;
  for (int i = 0; i < 81; ++i) {
    if (before[i] != after[i]) {
      EXPECT_EQ(changed, -1) << "a second cell changed";
      changed = i;
    }
  }
  ASSERT_NE(changed, -1);
  const int col = changed % 9, row = changed / 9;
  const Rect rect{37 * col, 37 * row, 37 * col + 36, 37 * row + 36};
  EXPECT_EQ(f.effects.log,
            (std::vector<std::string>{"fill sudokugrid", "pause 500", "clear sudokugrid cell"}));
  EXPECT_EQ(f.effects.fills, (std::vector<FilledRect>{{"sudokugrid", rect, kRed}}));
  EXPECT_EQ(f.game.Candidati, f.game.steps.Passi[2].Candidates);
}

TEST_F(ManySteps, ForwardToTheEndAndBackToTheStart) {
  for (int k = 0; k < Steps(); ++k) f.game.BAvantiClick();
  EXPECT_EQ(f.game.steps.PassoCorrente, Steps());
  EXPECT_EQ(f.Shown(), kSolution);  // an easy puzzle: the logic finds every cell
  EXPECT_TRUE(f.game.controls.BAvanti.enabled);
  f.game.BAvantiClick();
  EXPECT_FALSE(f.game.controls.BAvanti.enabled);
  EXPECT_TRUE(f.game.controls.BIndietro.enabled);
  EXPECT_EQ(f.game.steps.PassoCorrente, Steps());

  f.game.BIndietroClick();
  EXPECT_TRUE(f.game.controls.BAvanti.enabled);
  EXPECT_EQ(f.game.steps.PassoCorrente, Steps() - 1);
  EXPECT_EQ(f.game.Candidati, f.game.steps.Passi[Steps() - 1].Candidates);
  for (int k = Steps() - 1; k > 1; --k) f.game.BIndietroClick();
  const CandidateGrid atStepOne = f.game.Candidati;
  f.game.BIndietroClick();
  EXPECT_EQ(f.game.steps.PassoCorrente, 0);
  EXPECT_EQ(f.Texts(), start);  // the position the command started from
  EXPECT_EQ(f.game.Candidati, atStepOne);

  f.game.BIndietroClick();
  EXPECT_FALSE(f.game.controls.BIndietro.enabled);
  EXPECT_TRUE(f.game.controls.BAvanti.enabled);
  EXPECT_EQ(f.game.steps.PassoCorrente, 0);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);  // the announcement only
}

TEST_F(ManySteps, BackWritesTextsOnlyIntoOpenCells) {
  f.game.BAvantiClick();
  f.game.BAvantiClick();
  f.game.board.Texts[CellIndex(0, 0)] = "5";  // a given showing its digit, as after an undo
  f.game.BIndietroClick();
  EXPECT_EQ(f.game.board.Texts[CellIndex(0, 0)], "");
  EXPECT_EQ(f.Shown().substr(0, 3), "534");
}

TEST_F(ManySteps, LoadingAnotherPuzzleEndsTheReplay) {
  f.game.BAvantiClick();
  f.game.BAvantiClick();
  WritePuzzleFile(f.base / "temi" / "blank.tema", PuzzleInfo{}, {}, f.random);
  f.game.controls.enomefile.text = "blank.tema";
  ASSERT_TRUE(f.game.CaricaSchema());

  // The buttons stay enabled, but neither replays the last puzzle's steps onto this one.
  f.game.BIndietroClick();
  f.game.BAvantiClick();
  EXPECT_EQ(f.Shown(), std::string(81, '.'));
  EXPECT_FALSE(f.game.controls.BAvanti.enabled);
  EXPECT_EQ(f.game.steps.PassoCorrente, 0);
  EXPECT_EQ(f.game.controls.LSpiegazione.caption, "");
}

TEST_F(ManySteps, EachStepShownIsExplainedInTheLanguageOfTheMoment) {
  Label& line = f.game.controls.LSpiegazione;
  EXPECT_EQ(line.caption, "");
  f.game.BAvantiClick();
  f.game.BAvantiClick();
  const StepRecord& second = f.game.steps.Passi[2];
  EXPECT_EQ(line.caption, ExplainStep(second, false));
  EXPECT_EQ(line.caption.rfind("Colonna " + std::to_string(second.Col + 1) + ", riga " +
                                   std::to_string(second.Row + 1) + ": " +
                                   std::to_string(second.Digit) + " - ",
                               0),
            0u);
  f.game.menulinguaClick();
  EXPECT_EQ(line.caption, ExplainStep(second, true));
  f.game.BIndietroClick();
  EXPECT_EQ(line.caption, ExplainStep(f.game.steps.Passi[1], true));
  f.game.BIndietroClick();
  EXPECT_EQ(line.caption, "");
}

}  // namespace
}  // namespace sudoku::testing

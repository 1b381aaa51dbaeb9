// The saved game: saving and resuming the board and its clock, and the files that cannot be
// resumed as they stand.
#include <gtest/gtest.h>

#include "solving_fixture.h"

namespace sudoku::testing {
namespace {

// The grid line of 81 rows-first cells ('.' = empty): column by column, '0' for empty.
std::string GridLine(const std::string& rows) {
  std::string grid;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const char c = rows[std::size_t(row * 9 + col)];
      grid += c == '.' ? '0' : c;
    }
  }
  return grid;
}

struct SavedGame : ::testing::Test {
  SolvingFixture f{"saved"};
  std::filesystem::path file = f.base / "temi" / "partita.txt";

  void Resume(const std::string& timer, const std::string& grid) {
    WriteBytes(file, "[timer]:" + timer + "\r\n[griglia]:" + grid + "\r\n[ua]:\r\n");
    f.game.RiprendiPartita1Click();
  }
};

TEST_F(SavedGame, RoundTripBringsGivensBackAsEntriesWithTheClock) {
  f.Givens(kPuzzle);
  f.Entries("..4" + std::string(78, '.'));
  f.game.controls.UAgrid.cells.fill("");
  f.game.controls.UAgrid.cells[CellIndex(1, 0)] = "125";
  f.game.controls.LTime.caption = "9h 9m 9s";
  f.game.SalvaPartita1Click();
  f.game.controls.LTime.caption = "1h 2m 3s";
  f.game.SalvaPartita1Click();  // the second save replaces the first
  const std::string saved = ReadBytes(file);
  EXPECT_EQ(saved.substr(0, 18), "[timer]:1h 2m 3s\r\n");
  std::string candidates = "[ua]:";
  for (int i = 0; i < 9; ++i) candidates += "0#";
  EXPECT_NE(saved.find(candidates + "125#0#"), std::string::npos);

  SolvingFixture g("resumed");
  std::filesystem::copy_file(file, g.base / "temi" / "partita.txt");
  g.game.RiprendiPartita1Click();

  EXPECT_TRUE(g.dialogs.messages.empty());
  EXPECT_EQ(g.Texts(), "534" + kPuzzle.substr(3));  // every digit is an entry now
  EXPECT_FALSE(g.game.board.IsGiven(0, 0));
  EXPECT_EQ(g.game.Griglia[CellIndex(0, 0)], 5);
  EXPECT_EQ(g.game.controls.LTime.caption, "1h 2m 3s");
  EXPECT_EQ(g.game.Secondi, 3723);
  // The timer runs as after Start, so that the user can pause it.
  EXPECT_TRUE(g.game.controls.SudokuTimer.enabled);
  EXPECT_TRUE(g.game.controls.SBPause.enabled);
  EXPECT_FALSE(g.game.controls.SBPlay.enabled);
  EXPECT_TRUE(g.game.controls.Pausa1.enabled);
  EXPECT_FALSE(g.game.controls.Avvia1.enabled);
}

TEST_F(SavedGame, ZeroTimeLeavesTheTimerAsItWas) {
  for (bool running : {false, true}) {
    f.game.controls.SudokuTimer.enabled = running;
    Resume("0h 0m 0s", GridLine(kPuzzle));
    EXPECT_EQ(f.game.Secondi, 0);
    EXPECT_EQ(f.game.controls.SudokuTimer.enabled, running);
    EXPECT_TRUE(f.dialogs.messages.empty());
  }
}

TEST_F(SavedGame, NoSavedGameOnlySaysSoAndKeepsTheGameInHand) {
  for (const char* lingua : {"it", "en"}) {
    f.Entries(kPuzzle);
    f.game.Lingua = lingua;
    f.game.RiprendiPartita1Click();
    EXPECT_EQ(f.Texts(), kPuzzle);
  }
  EXPECT_EQ(f.dialogs.messages,
            (std::vector<ShownMessage>{{BoxKind::Plain, "Non ci sono partite salvate"},
                                       {BoxKind::Plain, "There are no saved games"}}));
}

TEST_F(SavedGame, DamagedFilesAreReportedAndLeaveAConsistentGame) {
  f.game.controls.SudokuTimer.enabled = true;
  Resume("5 minutes", GridLine(kPuzzle));
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Il tempo della partita salvata non \xE8 valido: 5 minutes");
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_EQ(f.game.Griglia[CellIndex(0, 0)], 5);  // the grid is back all the same
  EXPECT_EQ(f.game.Secondi, 0);
  EXPECT_TRUE(f.game.controls.SudokuTimer.enabled);

  // A damaged or unreadable file is refused before the reset: the game in hand stays.
  f.dialogs.messages.clear();
  f.game.Lingua = "en";
  f.Entries("..4" + std::string(78, '.'));
  const std::string inHand = f.Texts();
  Resume("0h 0m 9s", "53x" + GridLine(kPuzzle));
  EXPECT_EQ(f.dialogs.OnlyMessage(), "The file does not hold a valid grid: " + file.string());
  EXPECT_EQ(f.Texts(), inHand);
  EXPECT_EQ(f.game.Secondi, 0);

  f.dialogs.messages.clear();
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  f.game.RiprendiPartita1Click();
  EXPECT_EQ(f.dialogs.OnlyMessage(), "The system can't read the file " + file.string());
  EXPECT_EQ(f.Texts(), inHand);
}

TEST_F(SavedGame, AReadOnlySaveIsRefusedAndLeftAsItWas) {
  WriteBytes(file, "kept");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  f.game.SalvaPartita1Click();
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_EQ(ReadBytes(file), "kept");
}

TEST_F(SavedGame, SaveFailureIsReported) {
  std::filesystem::remove_all(f.base / "temi");
  f.game.SalvaPartita1Click();
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(SavedGame, AGameInProgressIsOfferedToBeSavedBeforeItIsLost) {
  f.game.SetNomeFile("x.tema");
  f.game.Secondi = 42;  // timed, not solved
  f.dialogs.questionAnswers = {Answer::Cancel, Answer::No, Answer::Yes};
  EXPECT_FALSE(f.game.OfferToSaveGame());
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>(3, "Salvare la partita in corso?"));

  f.dialogs.questionAnswers = {Answer::Cancel};  // resuming is cancelled: the game in hand stays
  f.game.RiprendiPartita1Click();
  EXPECT_EQ(f.game.Secondi, 42);
  f.game.Secondi = 0;  // nothing in progress: no question
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_EQ(f.dialogs.questions.size(), 4u);
}

}  // namespace
}  // namespace sudoku::testing

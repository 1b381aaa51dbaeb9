// The files of the game in hand: the saved game, temi/partita.txt, saved and resumed with its
// clock; the statistics file and its report; and puzzle authoring, where a unique grid becomes a
// library puzzle and a grid with several solutions an unfinished puzzle, which opens again.
#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku::testing {
namespace {

struct SavedGame : ::testing::Test {
  GameFixture f{"saved"};
  std::filesystem::path file = f.temi / "partita.txt";

  // Resumes a saved game of the timer text and kPuzzle's digits.
  void Resume(const std::string& timer, const std::string& damage = "") {
    std::string grid;
    for (int i = 0; i < 81; ++i) grid += kPuzzle[std::size_t(i % 9 * 9 + i / 9)];
    std::replace(grid.begin(), grid.end(), '.', '0');
    WriteBytes(file, "[timer]:" + timer + "\r\n[griglia]:" + damage + grid + "\r\n[ua]:\r\n");
    f.game.RiprendiPartita1Click();
  }
};

TEST_F(SavedGame, RoundTripBringsGivensBackAsEntriesWithTheClockRunning) {
  SetGivens(f.game, kPuzzle);
  f.game.board.Texts[CellIndex(2, 0)] = "4";
  f.game.controls.UAgrid.cells.fill("");
  f.game.controls.UAgrid.cells[CellIndex(1, 0)] = "125";
  f.game.controls.LTime.caption = "9h 9m 9s";
  f.game.SalvaPartita1Click();
  f.game.controls.LTime.caption = "1h 2m 3s";
  f.game.SalvaPartita1Click();  // the second save replaces the first
  const std::string saved = ReadBytes(file);
  EXPECT_EQ(saved.substr(0, 18), "[timer]:1h 2m 3s\r\n");
  EXPECT_NE(saved.find("[ua]:0#0#0#0#0#0#0#0#0#125#0#"), std::string::npos);

  f.game.controls.LTime.caption = "0h 0m 0s";  // the clock comes back from the file
  f.game.RiprendiPartita1Click();
  EXPECT_TRUE(f.dialogs.messages.empty());
  const std::string entries = "534" + std::string(kPuzzle.substr(3));  // every digit an entry
  EXPECT_EQ(State(f.game), "||3723s|undo 0|timer on|" + entries + "|" + entries);
  EXPECT_FALSE(f.game.board.IsGiven(0, 0));
  EXPECT_EQ(f.game.Griglia[CellIndex(0, 0)], 5);
  EXPECT_EQ(f.game.controls.LTime.caption, "1h 2m 3s");
  // The timer runs as after Start, so that the user can pause it.
  const Controls& c = f.game.controls;
  EXPECT_TRUE(c.SBPause.enabled && c.Pausa1.enabled && !c.SBPlay.enabled && !c.Avvia1.enabled);

  // A read-only saved game, or none possible, is refused and left as it was.
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  f.game.SalvaPartita1Click();
  EXPECT_EQ(ReadBytes(file), saved);
  std::filesystem::remove_all(f.temi);
  f.game.SalvaPartita1Click();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(f.dialogs.messages.size(), 2u);
  for (const ShownMessage& message : f.dialogs.messages) EXPECT_EQ(message.kind, BoxKind::Error);
}

// A zero time leaves the timer as it was; a time that does not read is reported after the grid
// is back.
TEST_F(SavedGame, AZeroTimeLeavesTheTimerAsItWasAndABadOneIsReported) {
  for (bool running : {false, true}) {
    SCOPED_TRACE(running ? "timer running" : "timer stopped");
    f.game.controls.SudokuTimer.enabled = running;
    f.effects.log.clear();
    Resume("0h 0m 0s");
    EXPECT_EQ(f.effects.log.at(0), "clear sudokugrid");  // the marks go with the board
    EXPECT_EQ(f.game.Secondi, 0);
    EXPECT_EQ(f.game.controls.SudokuTimer.enabled, running);
    EXPECT_TRUE(f.dialogs.messages.empty());
  }
  Resume("5 minutes");  // the timer, left running, runs on
  EXPECT_EQ(
      f.dialogs.messages,
      (Messages{{BoxKind::Error, "Il tempo della partita salvata non \xE8 valido: 5 minutes"}}));
  EXPECT_EQ(State(f.game),
            "||0s|undo 0|timer on|" + std::string(kPuzzle) + "|" + std::string(kPuzzle));
}

// A missing or unreadable saved game is reported before the reset: the game in hand stays.
TEST_F(SavedGame, AMissingOrDamagedFileIsRefusedAndTheGameInHandStays) {
  enum Saved { kNone, kFolder, kBadGrid };
  struct Case {
    const char* name;
    Saved saved;
    const char* lingua;
    ShownMessage message;
  };
  const std::string path = file.string();
  const Case cases[] = {
      {"none (it)", kNone, "it", {BoxKind::Plain, "Non ci sono partite salvate"}},
      {"none (en)", kNone, "en", {BoxKind::Plain, "There are no saved games"}},
      {"grid", kBadGrid, "en", {BoxKind::Error, "The file does not hold a valid grid: " + path}},
      {"folder", kFolder, "en", {BoxKind::Error, "The system can't read the file " + path}},
  };
  SetTexts(f.game, kPuzzle);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(file);
    f.dialogs.messages.clear();
    f.game.Lingua = c.lingua;
    if (c.saved == kFolder) std::filesystem::create_directory(file);
    if (c.saved == kBadGrid) {
      Resume("0h 0m 9s", "53x");
    } else {
      f.game.RiprendiPartita1Click();
    }
    EXPECT_EQ(f.dialogs.messages, Messages{c.message});
    EXPECT_EQ(Texts(f.game), kPuzzle);
  }
}

TEST_F(SavedGame, AGameInProgressIsOfferedToBeSavedBeforeItIsLost) {
  WritePuzzle(f.temi / "x.tema", kPuzzle);
  f.game.SetNomeFile("x.tema");
  ASSERT_TRUE(f.game.CaricaSchema());
  f.game.Secondi = 42;  // a puzzle only loaded and timed: nothing to save
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_TRUE(f.dialogs.questions.empty());

  f.game.board.Texts[CellIndex(2, 0)] = "4";  // an entry: timed, not solved, changed
  f.dialogs.questionAnswers = {Answer::Cancel, Answer::No, Answer::Yes};
  EXPECT_FALSE(f.game.OfferToSaveGame());
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>(3, "Salvare la partita in corso?"));
  EXPECT_TRUE(f.game.OfferToSaveGame());  // just saved, nothing changed since: no question
  EXPECT_EQ(f.dialogs.questions.size(), 3u);

  f.game.board.Texts[CellIndex(3, 0)] = "6";
  f.dialogs.questionAnswers = {Answer::Cancel};  // resuming is cancelled: the game in hand stays
  f.game.RiprendiPartita1Click();
  EXPECT_EQ(f.game.Secondi, 42);
  EXPECT_EQ(f.dialogs.questions.size(), 4u);
  f.game.Secondi = 0;  // nothing in progress: no question
  EXPECT_TRUE(f.game.OfferToSaveGame());
  EXPECT_EQ(f.dialogs.questions.size(), 4u);
}

// Unreadable times count but never average or win; hours beyond any real count do not read
// either, rather than wrap into a tiny time; the first of equal times wins, its name cut to 30
// characters.
TEST(StatisticsTest, ReportsCountAverageAndTheFastestOrNothingAvailable) {
  const std::string two =
      "[nome]slow.tema[timer]0h 1m 40s\r\n[nome]no-timer.tema 0h 0m 1s\r\n"
      "[nome]quick.tema[timer]0h 0m 40s\r\n";
  const std::string longName(40, 'n');
  struct Case {
    const char* name;
    std::optional<std::string> file;  // none: no statistics file at all
    const char* lingua;
    std::string report;
  };
  const Case cases[] = {
      {"no file", std::nullopt, "it", "Statistiche non disponibili."},
      {"no record", "[nome][timer]0h 0m 5s\r\nrubbish\r\n", "en", "Statistics are not available."},
      {"italian", two, "it",
       "Sono stati risolti 2 puzzles.\n\rIl tempo medio per ogni puzzle \xE8 di 0h 1m 10s"
       "\n\r\n\rIl puzzle quick.tema \xE8 stato risolto con il tempo minimo di 0h  0m  40s"},
      {"english", two, "en",
       "You just solved 2 puzzles.\n\rThe average time for each puzzle is 0h 1m 10s"
       "\n\r\n\rThe puzzle quick.tema was resolved with the minimum time of 0h  0m  40s"},
      {"unreadable and equal times",
       "[nome]a[timer]xh 1m 2s\r\n[nome]" + longName + "[timer]0h 0m 15s\r\n" +
           "[nome]b[timer]0h 0m 15s\r\n",
       "it",  // 30 s over 3 records
       "Sono stati risolti 3 puzzles.\n\rIl tempo medio per ogni puzzle \xE8 di 0h 0m 10s"
       "\n\r\n\rIl puzzle " +
           longName.substr(0, 30) + " \xE8 stato risolto con il tempo minimo di 0h  0m  15s"},
      {"no valid minimum",
       "[nome]a[timer]broken\r\n[nome]b[timer]20h 0m 0s\r\n"
       "[nome]c[timer]9223372036854775807h 0m 0s\r\n",
       "en",  // 20 h over 3 records; 20 h is no minimum
       "You just solved 3 puzzles.\n\rThe average time for each puzzle is 6h 40m 0s"
       "\n\r\n\rNo puzzle has a valid minimum time."},
  };
  GameFixture f;
  const std::filesystem::path stats = f.temi / "statinfo.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file) WriteBytes(stats, *c.file);
    f.dialogs.messages.clear();
    f.game.Lingua = c.lingua;
    f.game.StatisticheClick();
    EXPECT_EQ(f.dialogs.messages, (Messages{{BoxKind::Plain, c.report}}));
  }

  f.game.CartellaBase = f.base / "missing";  // an unwritable file is reported
  f.dialogs.messages.clear();
  f.game.RegistraSoluzione();
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_NE(f.dialogs.messages[0].text.find("statinfo.txt"), std::string::npos);
}

struct Authoring : ::testing::Test {
  GameFixture f{"authoring"};
  std::filesystem::path unfinished = f.temi / "mioschema";
};

TEST_F(Authoring, UniqueGridBecomesAPuzzleFileNamedByTheClockAndNoSolutionWritesNothing) {
  f.game.Lingua = "en";
  SetTexts(f.game, "11" + std::string(79, '.'));
  f.game.Salva1Click();
  EXPECT_TRUE(std::filesystem::is_empty(f.temi));
  EXPECT_EQ(f.game.Formati.DateSeparator, '/');

  f.game.Lingua = "it";
  SetTexts(f.game, kPuzzle);
  f.game.board.Schema[CellIndex(8, 8)] = "19";  // a given the grid does not show is none
  f.game.controls.ECreatore.text = "Mario";
  f.game.controls.ENumBase.text = "30";
  f.game.Salva1Click();
  EXPECT_EQ(f.dialogs.messages,
            (Messages{{BoxKind::Error, "The puzzle in the grid has no solution!"},
                      {BoxKind::Information,
                       "Complimenti!\n\rLo schema \xE8 stato correttamente salvato!"}}));
  EXPECT_TRUE(f.dialogs.inputPrompts.empty());
  const PuzzleFile read = ReadPuzzleFile(f.temi / "ute-06-12-2026-18-20-41.tema");
  EXPECT_EQ(read.Info.Creatore + "|" + read.Info.NumBase, "Mario|30");
  for (int i = 0; i < 81; ++i) {
    const std::string code = kPuzzle[i] == '.' ? "00" : "1" + std::string(1, kPuzzle[i]);
    EXPECT_EQ(read.Schema[CellIndex(i % 9, i / 9)], code) << i;
  }
  EXPECT_EQ(f.game.Formati.DateSeparator, '-');
}

TEST_F(Authoring, UnfinishedPuzzlesSaveUnderAPlainNameOrTheProposedOneUnlessReadOnly) {
  f.game.controls.LTime.caption = "0h 0m 0s";
  f.game.Salva1Click();
  f.game.Lingua = "en";
  f.game.Salva1Click();
  EXPECT_EQ(f.dialogs.inputPrompts,
            (std::vector<std::string>{
                "Salvataggio schema incompleto|Inserisci il nome del file senza estensione",
                "Saving puzzle incomplete|Enter the name of the file without extension"}));
  const std::string expected = "[timer]:0h 0m 0s\r\n[griglia]:" + std::string(81, '0') + "\r\n";
  EXPECT_EQ(ReadBytes(unfinished / "schema100.txt"), expected);
  EXPECT_EQ(ReadBytes(unfinished / "puzzle100.txt"), expected);
  EXPECT_TRUE(f.dialogs.messages.empty());

  std::filesystem::permissions(unfinished / "puzzle100.txt", std::filesystem::perms::owner_read);
  f.game.board.Texts[0] = "5";
  f.game.Salva1Click();
  EXPECT_EQ(ReadBytes(unfinished / "puzzle100.txt"), expected);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].kind, BoxKind::Error);

  // Names that are no plain file name are refused.
  const std::string names[] = {"", ".", "..", "../escape", "a/b", std::string("a\0b", 3)};
  for (const std::string& name : names) {
    f.dialogs.messages.clear();
    f.dialogs.inputAnswers.push_back(name);
    f.game.Salva1Click();
    EXPECT_EQ(f.dialogs.OnlyMessage().rfind("The file name can't ", 0), 0u) << name;
    EXPECT_EQ(f.dialogs.messages.at(0).kind, BoxKind::Error);
  }
  EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(f.base), {}), 4);
}

// Names are UTF-8 on disk, as the file dialog reads them back; boxes show paths in Latin-1.
TEST(AuthoringNames, AccentedNamesAndPathsAndAMissingLibraryDirectory) {
  GameFixture f("citt\xC3\xA0");
  f.dialogs.inputAnswers = {"perch\xE9"};
  f.game.Salva1Click();
  EXPECT_TRUE(std::filesystem::exists(f.temi / "mioschema" / "perch\xC3\xA9.txt"));

  std::filesystem::remove_all(f.temi);
  f.game.Salva1Click();
  std::string directory = (f.temi / "mioschema").string();
  directory.replace(directory.find("\xC3\xA0"), 2, "\xE0");
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Non posso creare la directory " + directory);
  EXPECT_EQ(f.dialogs.inputPrompts.size(), 1u);
}

TEST_F(Authoring, OpeningAnUnfinishedPuzzleFillsEntriesAndLeavesTheTimer) {
  std::filesystem::create_directory(unfinished);
  const std::filesystem::path file = unfinished / "mine.txt";
  WriteBytes(file, "[timer]:0h 7m 0s\r\n[griglia]:56\r\n");
  WriteBytes(unfinished / "bad.txt", "[timer]:0h 1m 0s\r\n[griglia]:5x\r\n");
  for (bool running : {false, true}) {
    SCOPED_TRACE(running ? "timer running" : "timer stopped");
    SetGivens(f.game, kPuzzle);
    f.game.controls.SudokuTimer.enabled = running;
    f.game.controls.PageControl1.activePage = "TSInfo";
    f.dialogs.openAnswers = {file};
    f.game.ApriSchemaIncompletoClick();
    EXPECT_EQ(f.dialogs.openDirectories.back(), unfinished);
    EXPECT_EQ(f.game.controls.PageControl1.activePage, "TSHelp");
    EXPECT_EQ(f.game.controls.LTime.caption, "0h 7m 0s");
    const std::string entries = "5........6" + std::string(71, '.');  // the givens went
    EXPECT_EQ(State(f.game), "||0s|undo 0|timer " + std::string(running ? "on|" : "off|") +
                                 entries + "|" + entries);
  }
  EXPECT_TRUE(f.dialogs.messages.empty());

  // A cancelled open or a damaged file keeps the game in hand.
  SetTexts(f.game, kPuzzle);
  f.game.ApriSchemaIncompletoClick();
  EXPECT_TRUE(f.dialogs.messages.empty());
  f.dialogs.openAnswers = {unfinished / "bad.txt"};
  f.game.ApriSchemaIncompletoClick();
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(Texts(f.game), kPuzzle);
}

}  // namespace
}  // namespace sudoku::testing

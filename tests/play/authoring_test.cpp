// Puzzle authoring: a unique grid becomes a library puzzle, a grid with several solutions an
// unfinished puzzle, which opens again as entries.
#include <gtest/gtest.h>

#include "solving_fixture.h"
#include "storage/puzzle_file.h"

namespace sudoku::testing {
namespace {

int FilesUnder(const std::filesystem::path& directory) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
    count += entry.is_regular_file() ? 1 : 0;
  }
  return count;
}

struct Authoring : ::testing::Test {
  SolvingFixture f{"authoring"};
  std::filesystem::path unfinished = f.base / "temi" / "mioschema";
};

TEST_F(Authoring, UniqueGridBecomesAPuzzleFileNamedByTheClock) {
  f.Entries(kPuzzle);
  // A given that the grid does not show is no given of the new puzzle.
  f.game.board.Schema[CellIndex(8, 8)] = "19";
  f.game.controls.ECreatore.text = "Mario";
  f.game.controls.ENumBase.text = "30";
  f.game.Salva1Click();

  EXPECT_EQ(
      f.dialogs.messages,
      (std::vector<ShownMessage>{
          {BoxKind::Information, "Complimenti!\n\rLo schema \xE8 stato correttamente salvato!"}}));
  const std::filesystem::path file = f.base / "temi" / "ute-06-12-2026-18-20-41.tema";
  ASSERT_TRUE(std::filesystem::exists(file));
  const PuzzleFile read = ReadPuzzleFile(file);
  EXPECT_EQ(read.Info.Creatore, "Mario");
  EXPECT_EQ(read.Info.NumBase, "30");
  for (int i = 0; i < 81; ++i) {
    const std::string expected = kPuzzle[i] == '.' ? "00" : std::string("1") + kPuzzle[i];
    EXPECT_EQ(read.Schema[CellIndex(i % 9, i / 9)], expected) << i;
  }
  EXPECT_EQ(f.game.Formati.DateSeparator, '-');
  EXPECT_EQ(f.game.Formati.LongTimeFormat, "hh/nn/ss");
}

TEST_F(Authoring, GridWithoutSolutionWritesNothing) {
  f.game.Lingua = "en";
  f.Entries("11" + std::string(79, '.'));
  f.game.Salva1Click();
  EXPECT_EQ(
      f.dialogs.messages,
      (std::vector<ShownMessage>{{BoxKind::Error, "The puzzle in the grid has no solution!"}}));
  EXPECT_EQ(FilesUnder(f.base), 0);
  EXPECT_TRUE(f.dialogs.inputPrompts.empty());
  EXPECT_EQ(f.game.Formati.DateSeparator, '/');
}

TEST_F(Authoring, CancelledNameSavesUnderTheProposedNameOfTheLanguage) {
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
}

TEST_F(Authoring, NamesThatAreNoPlainFileNameAreRefused) {
  f.game.Lingua = "en";
  const std::string names[] = {"", ".", "..", "../escape", "a/b", std::string("a\0b", 3)};
  for (const std::string& name : names) f.dialogs.inputAnswers.push_back(name);
  for (std::size_t i = 0; i < std::size(names); ++i) f.game.Salva1Click();

  ASSERT_EQ(f.dialogs.messages.size(), std::size(names));
  for (const ShownMessage& message : f.dialogs.messages) {
    EXPECT_EQ(message.kind, BoxKind::Error);
    EXPECT_EQ(message.text.rfind("The file name can't ", 0), 0u) << message.text;
  }
  EXPECT_EQ(FilesUnder(f.base), 0);
}

TEST_F(Authoring, MissingLibraryDirectoryStopsTheUnfinishedSave) {
  std::filesystem::remove_all(f.base / "temi");
  f.game.Salva1Click();
  EXPECT_EQ(f.dialogs.messages,
            (std::vector<ShownMessage>{
                {BoxKind::Error, "Non posso creare la directory " + unfinished.string()}}));
  EXPECT_TRUE(f.dialogs.inputPrompts.empty());
}

// Names are UTF-8 on disk, as the file dialog reads them back; boxes show paths in Latin-1.
TEST(AuthoringNames, AccentedNamesAndPaths) {
  SolvingFixture f("citt\xC3\xA0");
  f.dialogs.inputAnswers = {"perch\xE9"};
  f.game.Salva1Click();
  const std::filesystem::path saved = f.base / "temi" / "mioschema" / "perch\xC3\xA9.txt";
  EXPECT_TRUE(std::filesystem::exists(saved));

  std::filesystem::remove_all(f.base / "temi");
  f.game.Salva1Click();
  std::string directory = (f.base / "temi" / "mioschema").string();
  directory.replace(directory.find("\xC3\xA0"), 2, "\xE0");
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Non posso creare la directory " + directory);
}

TEST_F(Authoring, OpeningAnUnfinishedPuzzleFillsEntriesAndLeavesTheTimer) {
  std::filesystem::create_directory(unfinished);
  const std::filesystem::path file = unfinished / "mine.txt";
  WriteBytes(file, "[timer]:0h 7m 0s\r\n[griglia]:56\r\n");
  for (bool running : {false, true}) {
    f.Givens(kPuzzle);
    f.game.controls.SudokuTimer.enabled = running;
    f.game.controls.PageControl1.activePage = "TSInfo";
    f.dialogs.openAnswers = {file};
    f.game.ApriSchemaIncompletoClick();

    EXPECT_EQ(f.dialogs.openDirectories.back(), unfinished);
    EXPECT_EQ(f.game.controls.PageControl1.activePage, "TSHelp");
    EXPECT_EQ(f.game.controls.LTime.caption, "0h 7m 0s");
    EXPECT_EQ(f.Texts(), "5........6" + std::string(71, '.'));
    EXPECT_EQ(f.Shown(), f.Texts());  // the givens went with the reset
    EXPECT_EQ(f.game.Secondi, 0);
    EXPECT_EQ(f.game.controls.SudokuTimer.enabled, running);
  }
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST_F(Authoring, ACancelledOpenOrADamagedFileKeepsTheGameInHand) {
  f.Entries(kPuzzle);
  f.game.ApriSchemaIncompletoClick();
  EXPECT_TRUE(f.dialogs.messages.empty());
  std::filesystem::create_directory(unfinished);
  WriteBytes(unfinished / "bad.txt", "[timer]:0h 1m 0s\r\n[griglia]:5x\r\n");
  f.dialogs.openAnswers = {unfinished / "bad.txt"};
  f.game.ApriSchemaIncompletoClick();
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.Texts(), kPuzzle);
}

}  // namespace
}  // namespace sudoku::testing

// The single saved game, temi/partita.txt: saving the board and resuming it with its clock.
#include <optional>
#include <stdexcept>
#include <string>

#include "play/file_name_text.h"
#include "play/game.h"
#include "storage/game_text_file.h"
#include "storage/raw_file.h"

namespace sudoku {

std::filesystem::path Game::SavedGamePath() const {
  return CartellaBase / "temi" / "partita.txt";
}

void Game::SalvaPartita1Click() {
  try {
    ReplaceFileContent(SavedGamePath(),
                       SavedGameText(controls.LTime.caption, board, controls.UAgrid.cells));
    SaveNotes();
    RememberStoredBoard();
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void Game::RiprendiPartita1Click() {
  // Everything is checked before the reset, so that a missing or damaged saved game leaves the
  // game in hand as it was.
  const std::filesystem::path path = SavedGamePath();
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    dialogs.Message(BoxKind::Plain, Tr("Non ci sono partite salvate", "There are no saved games"));
    return;
  }
  const std::optional<GameTextContent> saved = ReadGameText(path);
  if (!saved) return;
  if (!OfferToSaveGame()) return;
  AzzeraGioco();
  ApplyGameText(*saved);
  ResumeNotes();
  RememberStoredBoard();

  const std::optional<std::int32_t> seconds = ClockSeconds(controls.LTime.caption);
  if (!seconds) {
    ReportError(std::string(Tr("Il tempo della partita salvata non \xE8 valido: ",
                               "The time of the saved game is not valid: ")) +
                controls.LTime.caption);
    return;
  }
  if (*seconds > 0) {
    Secondi = *seconds;
    // The timer runs with its buttons and menu items set to match, so that it can be paused.
    Avvia1Click();
  }
}

Snapshot Game::CellValues() const {
  Snapshot values{};
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row)
      values[std::size_t(CellIndex(col, row))] = ValoreCella(col, row);
  }
  return values;
}

bool Game::GameInProgress() const {
  return Secondi > 0 && !IsSolved() && (CellValues() != storedValues_ || !(Note == storedNotes_));
}

bool Game::OfferToSaveGame() {
  if (!GameInProgress()) return true;
  switch (
      dialogs.AskYesNoCancel(Tr("Salvare la partita in corso?", "Save the game in progress?"))) {
    case Answer::Yes:
      SalvaPartita1Click();
      return true;
    case Answer::No:
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

std::optional<GameTextContent> Game::ReadGameText(const std::filesystem::path& path) {
  std::optional<GameTextContent> saved = ReadGameTextFile(path);
  if (!saved) {
    ReportError(std::string(Tr("Non posso leggere il file ", "The system can't read the file ")) +
                TextFromPath(path));
  } else if (!saved->CellsAreDigits()) {
    ReportError(std::string(Tr("Il file non contiene una griglia valida: ",
                               "The file does not hold a valid grid: ")) +
                TextFromPath(path));
    saved.reset();
  }
  return saved;
}

void Game::ApplyGameText(const GameTextContent& saved) {
  controls.LTime.caption = saved.TimerText;
  for (int cell = 0; cell < 81; ++cell) {
    if (saved.Cells[cell] != '0') board.Texts[cell] = std::string(1, saved.Cells[cell]);
  }
  AggiornaGriglia();
  RememberStoredBoard();
}

}  // namespace sudoku

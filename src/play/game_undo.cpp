// Undo, two snapshots at a time, and restarting the current game from its givens.
#include <string>

#include "play/game.h"

namespace sudoku {

void Game::Undo1Click() {
  if (Storico.NumStorico() <= 1) {
    controls.Undo1.enabled = false;
    return;
  }
  // One entry is reported twice by the grid, so one Undo steps back two snapshots.
  Storico.StepBack();
  if (Storico.NumStorico() < 2) controls.Undo1.enabled = false;
  effects.ClearFills(GridId::Board, std::nullopt);  // the marks went with the board they marked
  for (std::string& text : board.Texts) text.clear();
  const Snapshot& slot = Storico.Values(Storico.NumStorico());
  for (int i = 0; i < 81; ++i) {
    if (slot[std::size_t(i)] != 0)
      board.Texts[std::size_t(i)] = std::to_string(slot[std::size_t(i)]);
  }
  Note = Storico.Notes(Storico.NumStorico());
  AggiornaGriglia();
}

void Game::RicominciaPartitaClick() {
  const ListRow* selected = controls.LVsudoku.Selected();
  if (selected == nullptr) return;
  const std::string name = selected->caption;
  if (!dialogs.Confirm(
          std::string(Tr("Vuoi ricominciare la partita ", "Do you want to restart the game ")) +
          name + "?")) {
    return;
  }
  if (!ReadChosenPuzzle(name)) return;  // the game in hand stays
  SetNomeFile(name);
  if (controls.SudokuTimer.enabled) Restart1Click();
  ClearGame();
  CaricaSchema();
}

}  // namespace sudoku

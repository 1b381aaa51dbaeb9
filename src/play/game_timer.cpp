// The game timer: start, pause, restart, the one-second tick and the time display; and sounds.
#include <cstdint>
#include <string>

#include "play/game.h"

namespace sudoku {

void Game::StartTimer() {
  controls.SudokuTimer.enabled = true;
  controls.SBPause.enabled = true;
  controls.SBPlay.enabled = false;
}

void Game::PauseTimer() {
  controls.SBPlay.enabled = true;
  controls.SBPause.enabled = false;
  controls.SudokuTimer.enabled = false;
}

void Game::SBPlayClick() {
  StartTimer();
}

void Game::SBPauseClick() {
  PauseTimer();
}

void Game::Avvia1Click() {
  StartTimer();
  controls.Pausa1.enabled = true;
  controls.Avvia1.enabled = false;
}

void Game::Pausa1Click() {
  PauseTimer();
  controls.Avvia1.enabled = true;
  controls.Pausa1.enabled = false;
}

void Game::Restart1Click() {
  Secondi = 0;
  StartTimer();
  controls.Pausa1.enabled = true;
  controls.Avvia1.enabled = false;
}

void Game::SPRestartClick() {
  Restart1Click();
}

void Game::SudokuTimerTimer() {
  if (Secondi < INT32_MAX) ++Secondi;  // a resumed game may start at the top of the range
  controls.LTime.caption = std::to_string(Secondi / 3600) + "h " +
                           std::to_string(Secondi / 60 % 60) + "m " + std::to_string(Secondi % 60) +
                           "s";
}

void Game::Playsound(const std::filesystem::path& path) {
  effects.PlaySound(path);
}

}  // namespace sudoku

// The game object's construction and the texts shared by every handler.
#include "play/game.h"

namespace sudoku {

Game::Game(const Ports& ports)
    : dialogs(ports.dialogs),
      effects(ports.effects),
      clock(ports.clock),
      random(ports.random),
      settings(ports.settings) {
  ComponentiCatalogo[1] = "z0";
  LoadNoteOptions();
}

const char* Game::Tr(const char* italian, const char* english) const {
  return Lingua == "en" ? english : italian;
}

void Game::ReportError(const std::string& text) {
  dialogs.Message(BoxKind::Error, text);
}

}  // namespace sudoku

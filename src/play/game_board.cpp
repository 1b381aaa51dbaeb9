// The board operations: clearing it, rebuilding values and candidates after every change, the
// candidates grid with its error highlight, and the solved test.
#include <array>
#include <bitset>

#include "play/announcement.h"
#include "play/game.h"
#include "play/grid_geometry.h"
#include "play/text_utils.h"
#include "solver/place_digit.h"

namespace sudoku {

int Game::ValoreCella(int col, int row) const {
  const std::string& text = board.Texts[CellIndex(col, row)];
  if (!text.empty()) return TextValue(text);
  if (!board.IsGiven(col, row)) return 0;
  const std::string& code = board.Schema[CellIndex(col, row)];
  return code.size() >= 2 && code[1] >= '0' && code[1] <= '9' ? code[1] - '0' : 0;
}

void Game::AzzeraGriglia() {
  // Colour marks belong to the board they were painted on.
  effects.ClearFills(GridId::Board, std::nullopt);
  ClearNotes();
  for (int i = 0; i < 81; ++i) {
    board.Schema[i] = "0";
    board.Texts[i].clear();
  }
}

void Game::AggiornaGriglia() {
  DropCoveredNotes();
  Griglia.fill(0);
  CandidateGrid work = CandidateGrid::Full();
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      if (board.Texts[CellIndex(col, row)].empty() && !board.IsGiven(col, row)) continue;
      const int value = ValoreCella(col, row);
      Griglia[CellIndex(col, row)] = value;
      if (value >= 1 && value <= 9) {
        work = PlaceDigit(work, col, row, PlaceMode::Basic, value, board);
      }
    }
  }
  Candidati = work;
  RefreshCandidateGrid();
  KeepCursorOnOpenCell();

  // A solve is announced once; the board has to stop being solved before it counts again.
  if (!IsSolved()) {
    solvedAnnounced_ = false;
  } else if (!solvedAnnounced_) {
    solvedAnnounced_ = true;
    AnnounceSolve();
  }
}

void Game::RefreshCandidateGrid() {
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      std::string& shown = controls.UAgrid.cells[CellIndex(col, row)];
      std::string fresh = Candidati.Text(col, row);
      if (controls.EvidenziaErrore.checked && !shown.empty() && fresh.empty()) {
        controls.PageControl1.activePage = "TSHelp";
        effects.Announce(AnnouncementText(kAnnounceNoCandidates, col, row, 0, Lingua == "en"));
        effects.FillRect(GridId::Candidates, CandidateCellRect(col, row), kErrorRed);
        effects.Pause(2000);
        effects.ClearFills(GridId::Candidates, CandidateCellRect(col, row));
      }
      shown = std::move(fresh);
    }
  }
}

// Every row, column and box holds each digit 1 to 9 exactly once.
bool Game::IsSolved() const {
  std::array<std::bitset<10>, 27> seen{};
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const int value = Griglia[CellIndex(col, row)];
      if (value < 1 || value > 9) return false;
      for (int unit : {col, 9 + row, 18 + BoxOfCell(col, row)}) {
        if (seen[unit][value]) return false;
        seen[unit][value] = true;
      }
    }
  }
  return true;
}

void Game::AnnounceSolve() {
  effects.Announce(AnnouncementText(kAnnounceSolved, 0, 0, 0, Lingua == "en"));
  if (!SfidaInCorso) {
    Playsound(CartellaBase / "noconnect" / "tada.wav");
    dialogs.Message(BoxKind::Information,
                    Tr("Complimenti!\n\rPuzzle Risolto", "Congratulations!\n\rPuzzle Solved"));
  }
  Pausa1Click();
  RegistraSoluzione();
  AggiornaElenco();
}

}  // namespace sudoku

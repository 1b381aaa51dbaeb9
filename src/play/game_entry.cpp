// Cell entry: the remembered navigation key, the cursor skipping givens, the entry rule with its
// undo snapshot and optional solution count, the key release, and the candidates hover panel.
#include <optional>
#include <utility>

#include "play/announcement.h"
#include "play/game.h"
#include "play/grid_geometry.h"
#include "play/text_utils.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

bool IsOpen(const Board& board, int col, int row) {
  const std::string& code = board.Schema[CellIndex(col, row)];
  return !code.empty() && code[0] == '0';
}

}  // namespace

bool Game::IsOpenCell(int col, int row) const {
  return col >= 0 && col < 9 && row >= 0 && row < 9 && IsOpen(board, col, row);
}

void Game::KeepCursorOnOpenCell() {
  BoardGrid& grid = controls.sudokugrid;
  if (IsOpenCell(grid.col, grid.row)) return;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      if (IsOpen(board, col, row)) {
        grid.col = col;
        grid.row = row;
        return;
      }
    }
  }
}

void Game::sudokugridKeyDown(KeyCode key) {
  switch (key) {
    case kKeyLeft:
      Tasto = NavigationKey::TastoSinistra;
      break;
    case kKeyUp:
      Tasto = NavigationKey::TastoSu;
      break;
    case kKeyRight:
      Tasto = NavigationKey::TastoDestra;
      break;
    case kKeyDown:
      Tasto = NavigationKey::TastoGiu;
      break;
    case kKeyTab:
      Tasto = NavigationKey::TastoTab;
      break;
    case kKeyPageUp:
      Tasto = NavigationKey::TastoPagSu;
      break;
    case kKeyPageDown:
      Tasto = NavigationKey::TastoPagGiu;
      break;
    case kKeyEnd:
      Tasto = NavigationKey::TastoFine;
      break;
    case kKeyHome:
      Tasto = NavigationKey::TastoInizio;
      break;
    default:
      Tasto = NavigationKey::None;
      break;
  }
}

bool Game::sudokugridSelectCell(int col, int row) {
  if (IsOpen(board, col, row)) {
    controls.sudokugrid.col = col;
    controls.sudokugrid.row = row;
    return true;
  }
  // Push the cursor on in the direction of the remembered arrow key, over a run of givens; at
  // the edge of the board, or for any other key, it stays where it was.
  std::optional<std::pair<int, int>> landed;
  int c = col, r = row;
  while (!landed) {
    if (Tasto == NavigationKey::TastoSinistra && c > 0) {
      --c;
    } else if (Tasto == NavigationKey::TastoDestra && c < 8) {
      ++c;
    } else if (Tasto == NavigationKey::TastoSu && r > 0) {
      --r;
    } else if (Tasto == NavigationKey::TastoGiu && r < 8) {
      ++r;
    } else {
      break;
    }
    if (IsOpen(board, c, r)) landed = {c, r};
  }
  if (landed) {
    controls.sudokugrid.col = landed->first;
    controls.sudokugrid.row = landed->second;
  }
  return false;
}

Snapshot Game::TextValues() const {
  Snapshot values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = TextValue(board.Texts[i]);
  return values;
}

void Game::sudokugridSetEditText(int col, int row, const std::string& text) {
  const char digit = text.empty() ? '\0' : text.back();
  std::string& cell = board.Texts[CellIndex(col, row)];
  if (digit < '1' || digit > '9') {
    cell.clear();
    return;
  }
  Snapshot values = TextValues();
  values[std::size_t(CellIndex(col, row))] = digit - '0';
  if (Storico.Push(values, Note)) {  // its notes follow once the entry has cleared some
    controls.Undo1.enabled = true;
  }
  // The editor reports the same text again as it closes: only a change is news.
  if (cell != std::string(1, digit)) {
    effects.Announce(AnnouncementText(kAnnouncePlaced, col, row, digit - '0', Lingua == "en"));
  }
  cell = std::string(1, digit);
  NotesAfterEntry(col, row, digit - '0');
  if (Tasto == NavigationKey::None && controls.Seganalanosoluzioni.checked) {
    CountSolutionsAfterEntry();
  }
}

void Game::CountSolutionsAfterEntry() {
  ProgressBar& bar = controls.ProgressBar1;
  bar.visible = true;
  bar.max = 60;
  bar.position = 5;
  const std::int32_t n = CountBoardSolutions(2);
  if (n == 0) {
    dialogs.Message(BoxKind::Error, Tr("Lo schema in griglia non ammette soluzioni!",
                                       "The puzzle in the grid have no solutions!"));
  } else if (n == 1) {
    dialogs.Message(BoxKind::Information,
                    Tr("Complimenti!\n\rLo schema in griglia ha UNA SOLA SOLUZIONE!",
                       "Congratulations!\n\rThe puzzle in the grid has ONLY ONE SOLUTION!"));
  }
  bar.position = bar.max;
  bar.visible = false;
}

void Game::sudokugridKeyUp() {
  AggiornaGriglia();
}

void Game::sudokugridMouseMove(int x, int y) {
  if (!controls.MostraCandidati.checked) return;
  Label& panel = controls.lpos;
  if (x > 1 && x < 332 && y > 1 && y < 332) {
    const int col = x / kBoardPitch, row = y / kBoardPitch;
    panel.caption = controls.UAgrid.cells[CellIndex(col, row)];
    panel.left = kBoardPitch * col + kBoardGridLeft - 9;
    panel.top = kBoardPitch * row + kBoardGridTop - 20;
    panel.visible = true;
  } else {
    panel.visible = false;
  }
}

void Game::sudokugridExit() {
  controls.lpos.visible = false;
}

void Game::MostraCandidatiClick() {
  controls.MostraCandidati.checked = !controls.MostraCandidati.checked;
}

void Game::EvidenziaErroreClick() {
  controls.EvidenziaErrore.checked = !controls.EvidenziaErrore.checked;
}

void Game::SeganalanosoluzioniClick() {
  controls.Seganalanosoluzioni.checked = !controls.Seganalanosoluzioni.checked;
}

}  // namespace sudoku

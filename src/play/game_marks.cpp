// Colour marks: right-clicking an open cell paints it with the selected swatch's colour; the
// swatches; and bringing the candidates tab to the front.
#include "play/game.h"
#include "play/grid_geometry.h"

namespace sudoku {
namespace {

constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kAqua{0, 255, 255};
constexpr Rgb kGreen{0, 128, 0};

}  // namespace

Rgb Game::MarkColour() const {
  // The swatches are tested in this order and the last circle wins.
  Rgb colour = kYellow;
  if (controls.ShGiallo.circle) colour = kYellow;
  if (controls.ShVerde.circle) colour = kGreen;
  if (controls.ShRosso.circle) colour = kRed;
  if (controls.ShAqua.circle) colour = kAqua;
  return colour;
}

void Game::sudokugridMouseDown(MouseButton button, int x, int y) {
  if (button != MouseButton::Right) return;
  if (x < 0 || y < 0) return;
  const int col = x / kBoardPitch, row = y / kBoardPitch;
  if (col > 8 || row > 8) return;
  const std::string& code = board.Schema[CellIndex(col, row)];
  if (code.empty() || code[0] != '0') return;
  effects.SetFocus("ETipologia");  // refused focus is of no consequence
  Rect rect = BoardCellRect(col, row);
  if (!board.Texts[CellIndex(col, row)].empty()) {
    rect.left += 20;
    rect.top += 20;
  }
  effects.FillRect(GridId::Board, rect, MarkColour());
}

namespace {

void SelectSwatch(Controls& controls, Shape& chosen) {
  controls.ShGiallo.circle = controls.ShRosso.circle = controls.ShAqua.circle =
      controls.ShVerde.circle = false;
  chosen.circle = true;
}

}  // namespace

void Game::ShGialloMouseDown() {
  SelectSwatch(controls, controls.ShGiallo);
}
void Game::ShRossoMouseDown() {
  SelectSwatch(controls, controls.ShRosso);
}
void Game::ShAquaMouseDown() {
  SelectSwatch(controls, controls.ShAqua);
}
void Game::ShVerdeMouseDown() {
  SelectSwatch(controls, controls.ShVerde);
}

void Game::MostraTuttiiCandidati1Click() {
  controls.PageControl1.activePage = "TSHelp";
}

}  // namespace sudoku

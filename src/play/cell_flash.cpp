// The red flash that points the user at one cell of the playing grid.
#include "play/game.h"
#include "play/grid_geometry.h"

namespace sudoku {
namespace {

// The system colour of window backgrounds, which the flash leaves behind.
constexpr Rgb kWindowBackground{255, 255, 255};

}  // namespace

void Game::FlashCell(int col, int row, int ms) {
  const Rect rect = BoardCellRect(col, row);
  effects.FillRect("sudokugrid", rect, kErrorRed);
  effects.Pause(ms);
  effects.FillRect("sudokugrid", rect, kWindowBackground);
}

}  // namespace sudoku

// The red flash that points the user at one cell of the playing grid.
#include "play/game.h"
#include "play/grid_geometry.h"

namespace sudoku {

void Game::FlashCell(int col, int row, int ms) {
  const Rect rect = BoardCellRect(col, row);
  effects.FillRect(GridId::Board, rect, kErrorRed);
  effects.Pause(ms);
  // The cell shows as it was, its digit included: nothing of the flash lingers.
  effects.ClearFills(GridId::Board, rect);
}

}  // namespace sudoku

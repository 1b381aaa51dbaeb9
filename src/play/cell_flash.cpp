// The red flash that points the user at one cell of the playing grid.
#include "play/game.h"

namespace sudoku {
namespace {

constexpr Rgb kFlashRed{255, 0, 0};
constexpr Rgb kWindowBackground{255, 255, 255};
// Cells are 36 pixels square with 1-pixel grid lines between them.
constexpr int kCellPitch = 37;
constexpr int kCellSize = 36;

}  // namespace

void Game::FlashCell(int col, int row, int ms) {
  const Rect rect{kCellPitch * col, kCellPitch * row, kCellPitch * col + kCellSize,
                  kCellPitch * row + kCellSize};
  effects.FillRect("sudokugrid", rect, kFlashRed);
  effects.Pause(ms);
  effects.FillRect("sudokugrid", rect, kWindowBackground);
}

}  // namespace sudoku

// Pixel geometry of the two grids and the colours painted on them.
#pragma once

#include "play/ports.h"

namespace sudoku {

// The line between two cells of either grid, in pixels.
inline constexpr int kGridLine = 1;
// The playing grid: 36 x 36 cells on a 37-pixel pitch, placed at (21, 52) in the board panel.
inline constexpr int kBoardCell = 36;
inline constexpr int kBoardPitch = kBoardCell + kGridLine;
inline constexpr int kBoardGridLeft = 21;
inline constexpr int kBoardGridTop = 52;
// The candidates grid: 60 x 36 cells on a 61 x 37 pitch.
inline constexpr int kCandidateCellWidth = 60;
inline constexpr int kCandidateCellHeight = 36;
inline constexpr int kCandidatePitchX = kCandidateCellWidth + kGridLine;
inline constexpr int kCandidatePitchY = kCandidateCellHeight + kGridLine;

inline constexpr Rgb kErrorRed{255, 0, 0};

inline Rect BoardCellRect(int col, int row) {
  return {kBoardPitch * col, kBoardPitch * row, kBoardPitch * col + kBoardCell,
          kBoardPitch * row + kBoardCell};
}

inline Rect CandidateCellRect(int col, int row) {
  return {kCandidatePitchX * col, kCandidatePitchY * row,
          kCandidatePitchX * col + kCandidateCellWidth,
          kCandidatePitchY * row + kCandidateCellHeight};
}

}  // namespace sudoku

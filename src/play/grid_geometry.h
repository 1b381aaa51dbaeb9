// Pixel geometry of the two grids and the colours painted on them.
#pragma once

#include "play/ports.h"

namespace sudoku {

// The playing grid: 36 x 36 cells on a 37-pixel pitch, placed at (21, 52) in the board panel.
inline constexpr int kBoardPitch = 37;
inline constexpr int kBoardCell = 36;
inline constexpr int kBoardGridLeft = 21;
inline constexpr int kBoardGridTop = 52;
// The candidates grid: 60 x 36 cells on a 61 x 37 pitch.
inline constexpr int kCandidatePitchX = 61;
inline constexpr int kCandidatePitchY = 37;

inline constexpr Rgb kErrorRed{255, 0, 0};

inline Rect BoardCellRect(int col, int row) {
  return {kBoardPitch * col, kBoardPitch * row, kBoardPitch * col + kBoardCell,
          kBoardPitch * row + kBoardCell};
}

inline Rect CandidateCellRect(int col, int row) {
  return {kCandidatePitchX * col, kCandidatePitchY * row, kCandidatePitchX * col + 60,
          kCandidatePitchY * row + 36};
}

}  // namespace sudoku

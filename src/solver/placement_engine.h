// The placement passes on raw bit sets, for the library's own callers that chain many placements
// (building candidates, the reduction) without converting grids at every step.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver/board.h"
#include "solver/candidate_grid.h"
#include "solver/cell_mask.h"
#include "solver/step_log.h"

namespace sudoku::engine {

// Bit d set = digit d possible; same layout as CandidateGrid.
using Cells = std::array<std::uint16_t, 81>;

struct PlacementContext {
  CellMask given;  // cells that pass 8 never places
  const Board* board = nullptr;
  StepLog* steps = nullptr;  // records only while its PassoPasso is set
  // The last grid on which the full-mode passes found nothing to change: placing again a digit
  // that it already holds and that its peers already lack leaves it as it is.
  mutable Cells quiet{};
  mutable bool hasQuiet = false;
};

PlacementContext MakeContext(const Board& board, StepLog* steps);
Cells ToCells(const CandidateGrid& grid);
CandidateGrid ToGrid(const Cells& cells);

// PlaceDigit on raw cells: digit 0..9 at cell (col * 9 + row).
Cells Place(const Cells& input, int cell, bool full, int digit, const PlacementContext& context);

struct CellDigit {
  int cell, digit;
};
// Place of each in turn, each on the grid the one before left; what the passes learnt of the
// grid carries over from one placement to the next.
Cells PlaceAll(const Cells& input, const std::vector<CellDigit>& placements, bool full,
               const PlacementContext& context);

}  // namespace sudoku::engine

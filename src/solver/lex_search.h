// The depth-first search below the counter's top-level examination: it enumerates the complete
// valid grids that a candidate grid admits in column-major lexicographic order.
#pragma once

#include <cstdint>
#include <functional>

#include "solver/placement_engine.h"
#include "solver/solution_counter.h"

namespace sudoku::engine {

// Counts into state, from its current NumSoluzioni up to limit, the solutions of start in
// column-major lexicographic order, keeping the last one in state.Soluzione. Every single
// cell of start counts as placed; advance is called once per trial placement.
//
// Branching is always on the first open cell in column-major order with the digits ascending,
// so the solutions come in the same order as from the placement-driven search; in between it
// uses its own faster sound propagation (naked and hidden singles, a digit without a place in a
// unit ends the branch), so the number of trials differs from that search's.
void LexSearch(const Cells& start, std::int32_t limit, CountState& state,
               const std::function<void()>& advance);

}  // namespace sudoku::engine

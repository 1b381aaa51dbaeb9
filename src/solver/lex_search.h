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
// A set of solutions smaller than the number still wanted is found whole by a search that
// branches on the cell with the fewest candidates, and taken smallest first: the column-major
// search would reach exactly those. Otherwise that search runs, branching on the first open cell
// with the digits ascending. Both propagate naked and hidden singles, so the number of trials
// differs from the placement-driven search's.
//
// With inOrderOnly the column-major search runs alone, as the counter did before the fewest-
// candidates search existed: its trials are those the generator's levels were set by.
void LexSearch(const Cells& start, std::int32_t limit, CountState& state,
               const std::function<void()>& advance, bool inOrderOnly = false);

}  // namespace sudoku::engine

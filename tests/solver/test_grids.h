// Helpers of the solver tests: boards from 81-character strings and grids as comparable text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "solver/board.h"
#include "solver/candidate_grid.h"
#include "solver/random.h"
#include "solver/reference/reference_solver.h"

namespace sudoku::testing {

// A board whose cells are the digits of text (81 characters row by row, '.' or '0' empty).
// As givens they go into Schema ("1d"); otherwise they are the cell texts.
Board BoardOf(const std::string& text, bool asGivens = true);

// Every cell's candidate text, column-major, separated by '|'.
std::string Describe(const CandidateGrid& grid);
std::string Describe(const reference::Grid& grid);

// A valid complete grid, shuffled by digits, bands, stacks, rows and columns.
std::string RandomSolution(Random& random);
// The solution with `keep` cells kept (others '.'), chosen at random.
std::string RandomPartialFill(const std::string& solution, int keep, Random& random);

}  // namespace sudoku::testing

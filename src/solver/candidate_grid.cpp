// The candidate grid's text form and its small cell and box helpers.
#include "solver/candidate_grid.h"

#include <bit>

namespace sudoku {

int CandidateSet::Size() const {
  return std::popcount(bits_);
}

std::string CandidateSet::Text() const {
  std::string text;
  for (int digit = 0; digit <= 9; ++digit) {
    if (Has(digit)) text.push_back(char('0' + digit));
  }
  return text;
}

CandidateGrid CandidateGrid::Full() {
  CandidateGrid grid;
  grid.Cells.fill(CandidateSet(CandidateSet::kAllNine));
  return grid;
}

int BoxOfCell(int col, int row) {
  return 3 * (col / 3) + row / 3;
}

std::array<int, 2> CellOfBox(int box, int k) {
  return {3 * (box / 3) + k / 3, 3 * (box % 3) + k % 3};
}

}  // namespace sudoku

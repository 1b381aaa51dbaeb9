// sudoku-cli reduce: thins each puzzle as publishing does, emptying every digit that the others
// determine by propagation alone.
#include <iostream>

#include "cli_commands.h"
#include "puzzle_input.h"
#include "solver/solution_counter.h"

namespace sudoku::cli {

int RunReduce(const Args& args) {
  if (!args.empty()) return UsageError("reduce takes no arguments");
  const int malformed = ForEachPuzzle(std::cin, std::cerr, [&](const PuzzleLine& puzzle) {
    CountState state;
    CountSolutions(BuildCandidates(EntriesBoard(puzzle)), 2, state);
    if (state.NumSoluzioni == 0) {
      std::cout << "no solution\n";
    } else if (state.NumSoluzioni > 1) {
      std::cout << "more than one solution\n";
    } else {
      std::cout << RowMajorText(ReducePuzzle(puzzle.values)) << '\n';
    }
  });
  return malformed > 0 ? 1 : 0;
}

}  // namespace sudoku::cli

// sudoku-cli count: the number of solutions of each puzzle up to a limit, the last solution
// found and the number of trial placements the search made.
#include <iostream>

#include "cli_commands.h"
#include "puzzle_input.h"
#include "solver/solution_counter.h"

namespace sudoku::cli {

int RunCount(const Args& args) {
  std::int32_t limit = 2;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--limit" || i + 1 >= args.size()) return UsageError("count: bad arguments");
    try {
      std::size_t used = 0;
      limit = std::stoi(args[++i], &used);
      if (used != args[i].size() || limit < 1) throw std::invalid_argument(args[i]);
    } catch (const std::exception&) {
      return UsageError("count: the limit must be a whole number from 1 up");
    }
  }
  const int malformed = ForEachPuzzle(std::cin, std::cerr, [&](const PuzzleLine& puzzle) {
    CountState state;
    long advances = 0;
    CountGivens(puzzle.values, limit, state, [&] { ++advances; });
    std::cout << state.NumSoluzioni << ' '
              << (state.NumSoluzioni > 0 ? RowMajorText(state.Soluzione) : "-") << ' ' << advances
              << '\n';
  });
  return malformed > 0 ? 1 : 0;
}

}  // namespace sudoku::cli

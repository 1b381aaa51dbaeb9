// sudoku-cli steps: the cells the logical solver finds, step by step, from each puzzle's givens.
#include <iostream>

#include "cli_commands.h"
#include "puzzle_input.h"
#include "solver/solution_counter.h"

namespace sudoku::cli {

// As the step-by-step solution does: every given placed in full mode with steps recorded.
int RunSteps(const Args& args) {
  if (!args.empty()) return UsageError("steps takes no arguments");
  const int malformed = ForEachPuzzle(std::cin, std::cerr, [&](const PuzzleLine& puzzle) {
    StepLog log;
    log.PassoPasso = true;
    BuildCandidates(GivensBoard(puzzle.values), &log);
    std::cout << log.NumPassi;
    for (int k = 1; k <= log.NumPassi; ++k) {
      const StepRecord& record = log.Passi[k];
      std::cout << ' ' << record.Col + 1 << record.Row + 1 << record.Digit;
    }
    std::cout << '\n';
  });
  return malformed > 0 ? 1 : 0;
}

}  // namespace sudoku::cli

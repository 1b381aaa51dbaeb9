// sudoku-cli steps: the cells the logical solver finds, step by step, from each puzzle's givens,
// and on request why each holds its digit on the board the replay shows at that step.
#include <iostream>

#include "cli_commands.h"
#include "latin1_output.h"
#include "puzzle_input.h"
#include "solver/cell_explanation.h"
#include "solver/solution_counter.h"

namespace sudoku::cli {

// As the step-by-step solution does: every given placed in full mode with steps recorded.
int RunSteps(const Args& args) {
  bool explain = false, english = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--explain") {
      explain = true;
    } else if (args[i] == "--lang" && i + 1 < args.size() && ParseLanguage(args[i + 1], english)) {
      ++i;
    } else {
      return UsageError("steps: bad arguments");
    }
  }
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
    for (int k = 1; explain && k <= log.NumPassi; ++k) {
      const StepRecord& record = log.Passi[k];
      std::cout << record.Col + 1 << ' ' << record.Row + 1 << ' ' << record.Digit << '\t'
                << Utf8(ExplanationText(ExplainStep(log, k), english)) << '\n';
    }
  });
  return malformed > 0 ? 1 : 0;
}

}  // namespace sudoku::cli

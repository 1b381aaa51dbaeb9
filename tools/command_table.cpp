// The table of sudoku-cli's commands: one line per command, each implemented in its own file.
#include "cli_commands.h"

namespace sudoku::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"count", "count [--limit N] < PUZZLES", RunCount},
      {"steps", "steps [--explain] [--lang it|en] < PUZZLES", RunSteps},
      {"hint", "hint [--lang it|en] [--seed S] < GIVENS ENTRIES lines", RunHint},
      {"reduce", "reduce < PUZZLES", RunReduce},
      {"generate", "generate [--count N] [--givens N] [--level 1-5] [--symmetric] [--seed S]",
       RunGenerate},
      {"tema",
       "tema show FILE | tema make FILE [--creator|--type|--givens-count|--level|"
       "--average-vote|--voters|--number|--date TEXT] [--seed N] < PUZZLE",
       RunTema},
  };
  return commands;
}

}  // namespace sudoku::cli

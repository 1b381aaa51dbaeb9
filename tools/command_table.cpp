// The table of sudoku-cli's commands: one line per command, each implemented in its own file.
#include "cli_commands.h"

namespace sudoku::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
  };
  return commands;
}

}  // namespace sudoku::cli

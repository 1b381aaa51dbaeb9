// sudoku-cli: dispatches to the command named by the first argument.
#include <iostream>

#include "cli_commands.h"

namespace sudoku::cli {

int UsageError(std::string_view why) {
  if (!why.empty()) std::cerr << "sudoku-cli: " << why << "\n";
  std::cerr << "usage:\n";
  for (const Command& command : AllCommands())
    std::cerr << "  sudoku-cli " << command.usage << "\n";
  return 2;
}

}  // namespace sudoku::cli

int main(int argc, char** argv) {
  using namespace sudoku::cli;
  if (argc < 2) return UsageError("no command given");
  const std::string name = argv[1];
  for (const Command& command : AllCommands()) {
    if (command.name == name) return command.run(Args(argv + 2, argv + argc));
  }
  return UsageError("unknown command '" + name + "'");
}

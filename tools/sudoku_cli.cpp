// sudoku-cli: dispatches to the command named by the first argument; --help (or -h) prints the
// usage, of the tool or of one command, to standard output and succeeds.
#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <string>

#include "cli_commands.h"

namespace sudoku::cli {

int UsageError(std::string_view why) {
  if (!why.empty()) std::cerr << "sudoku-cli: " << why << "\n";
  std::cerr << "usage:\n";
  for (const Command& command : AllCommands())
    std::cerr << "  sudoku-cli " << command.usage << "\n";
  return 2;
}

bool ParseWhole(const std::string& text, long long low, long long& value) {
  try {
    std::size_t used = 0;
    value = std::stoll(text, &used);
    return used == text.size() && value >= low;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace sudoku::cli

namespace {

bool AsksForHelp(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sudoku::cli;
  if (argc < 2) return UsageError("no command given");
  const std::string name = argv[1];
  if (AsksForHelp(name)) {
    std::cout << "usage:\n";
    for (const Command& command : AllCommands()) {
      std::cout << "  sudoku-cli " << command.usage << "\n";
    }
    return 0;
  }
  for (const Command& command : AllCommands()) {
    if (command.name != name) continue;
    const Args args(argv + 2, argv + argc);
    if (std::any_of(args.begin(), args.end(), AsksForHelp)) {
      std::cout << "usage: sudoku-cli " << command.usage << "\n";
      return 0;
    }
    return command.run(args);
  }
  return UsageError("unknown command '" + name + "'");
}

// sudoku-cli generate: random puzzles with exactly one solution, one a line with their level.
#include <iostream>
#include <random>

#include "cli_commands.h"
#include "puzzle_input.h"
#include "solver/generator.h"

namespace sudoku::cli {

int RunGenerate(const Args& args) {
  long long count = 1, givens = 26, seed = std::random_device{}(), level = 0;
  GeneratorOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--symmetric") {
      options.symmetric = true;
      continue;
    }
    if (i + 1 >= args.size()) return UsageError("generate: " + option + " needs a value");
    const std::string& value = args[++i];
    bool ok = false;
    if (option == "--count")
      ok = ParseWhole(value, 0, count);
    else if (option == "--givens")
      ok = ParseWhole(value, 17, givens) && givens <= 81;
    else if (option == "--seed")
      ok = ParseWhole(value, 0, seed);
    else if (option == "--level")
      ok = ParseWhole(value, 1, level) && level <= 5;
    else
      return UsageError("generate: unknown option " + option);
    if (!ok) return UsageError("generate: bad value for " + option + ": " + value);
  }
  options.givens = int(givens);
  SeededRandom random{std::uint64_t(seed)};
  for (long long n = 0; n < count; ++n) {
    const GeneratedPuzzle puzzle = level > 0 ? GeneratePuzzleOfLevel(random, int(level), options)
                                             : GeneratePuzzle(random, options);
    std::string line = RowMajorText(puzzle.givens);
    for (char& ch : line) {
      if (ch == '0') ch = '.';
    }
    std::cout << line << ' ' << puzzle.level << '\n';
  }
  return 0;
}

}  // namespace sudoku::cli

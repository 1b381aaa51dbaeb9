// sudoku-cli tema: shows the plain records of a puzzle file, or writes one from a puzzle line.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "cli_commands.h"
#include "puzzle_input.h"
#include "storage/puzzle_file.h"
#include "storage/record_file.h"

namespace sudoku::cli {
namespace {

constexpr int kPuzzleRecords = 17;

int Show(const std::string& file) {
  if (!IsReadableFile(file)) {
    std::cerr << "sudoku-cli: " << file << ": cannot be read\n";
    return 1;
  }
  for (int index = 1; index <= kPuzzleRecords; ++index)
    std::cout << ReadRecord(file, index) << "\n";
  return 0;
}

// The givens of the one puzzle on standard input, read as every command reads puzzles; nullopt,
// reported on standard error, when a line is malformed or there is not exactly one puzzle.
std::optional<std::array<int, 81>> OnlyPuzzle() {
  std::optional<std::array<int, 81>> givens;
  int count = 0;
  const int malformed = ForEachPuzzle(std::cin, std::cerr, [&](const PuzzleLine& puzzle) {
    if (count++ > 0) return;
    givens.emplace();
    std::copy(puzzle.values.begin(), puzzle.values.end(), givens->begin());
  });
  if (malformed > 0) return std::nullopt;
  if (count != 1) {
    std::cerr << "sudoku-cli: tema make needs exactly one puzzle on standard input, not " << count
              << "\n";
    return std::nullopt;
  }
  return givens;
}

std::optional<std::uint64_t> Seed(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  try {
    return std::stoull(text);
  } catch (const std::out_of_range&) {
    return std::nullopt;
  }
}

// The option name for each information field.
std::map<std::string, std::string PuzzleInfo::*> InfoOptions() {
  return {{"--creator", &PuzzleInfo::Creatore},       {"--type", &PuzzleInfo::Tipologia},
          {"--givens-count", &PuzzleInfo::NumBase},   {"--level", &PuzzleInfo::Livello},
          {"--average-vote", &PuzzleInfo::MediaVoti}, {"--voters", &PuzzleInfo::Votanti},
          {"--number", &PuzzleInfo::NumeroSchema},    {"--date", &PuzzleInfo::DataPubblicazione}};
}

int Make(const Args& args) {
  const auto options = InfoOptions();
  PuzzleInfo info;
  bool countGiven = false;
  std::uint64_t seed = std::random_device{}();
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return UsageError("option " + args[i] + " needs a value");
    if (args[i] == "--seed") {
      const std::optional<std::uint64_t> chosen = Seed(args[i + 1]);
      if (!chosen) return UsageError("the seed must be a whole number from 0 up");
      seed = *chosen;
    } else if (const auto option = options.find(args[i]); option != options.end()) {
      info.*(option->second) = args[i + 1];
      countGiven = countGiven || args[i] == "--givens-count";
    } else {
      return UsageError("unknown option " + args[i]);
    }
  }
  const std::optional<std::array<int, 81>> givens = OnlyPuzzle();
  if (!givens) return 1;
  if (!countGiven) {
    int count = 0;
    for (int digit : *givens) count += digit != 0 ? 1 : 0;
    info.NumBase = std::to_string(count);
  }
  SeededRandom random(seed);
  WritePuzzleFile(args[0], info, *givens, random);
  return 0;
}

}  // namespace

int RunTema(const Args& args) {
  if (args.size() == 2 && args[0] == "show") return Show(args[1]);
  if (args.size() < 2 || args[0] != "make") return UsageError("tema needs show FILE or make FILE");
  try {
    return Make(Args(args.begin() + 1, args.end()));
  } catch (const std::exception& error) {
    std::cerr << "sudoku-cli: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace sudoku::cli

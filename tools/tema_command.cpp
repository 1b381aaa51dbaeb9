// sudoku-cli tema: shows the plain records of a puzzle file, or writes one from a puzzle line.
#include <array>
#include <iostream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "cli_commands.h"
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

// 81 cells row by row from the top, "1"-"9" a given, "0" or "." an open cell; surrounding
// blanks are ignored. Returns the givens [col][row] or throws std::invalid_argument.
std::array<int, 81> ParsePuzzleLine(std::string line) {
  const auto first = line.find_first_not_of(" \t\r\n");
  const auto last = line.find_last_not_of(" \t\r\n");
  line = first == std::string::npos ? "" : line.substr(first, last - first + 1);
  if (line.size() != 81) throw std::invalid_argument("the puzzle must have 81 cells");
  std::array<int, 81> givens{};
  for (std::size_t i = 0; i < 81; ++i) {
    const char c = line[i];
    if (c != '.' && (c < '0' || c > '9')) throw std::invalid_argument("a cell must be 1-9, 0 or .");
    givens[(i % 9) * 9 + i / 9] = c == '.' ? 0 : c - '0';
  }
  return givens;
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
      seed = std::stoull(args[i + 1]);
    } else if (const auto option = options.find(args[i]); option != options.end()) {
      info.*(option->second) = args[i + 1];
      countGiven = countGiven || args[i] == "--givens-count";
    } else {
      return UsageError("unknown option " + args[i]);
    }
  }
  std::string line;
  std::getline(std::cin, line);
  const std::array<int, 81> givens = ParsePuzzleLine(line);
  if (!countGiven) {
    int count = 0;
    for (int digit : givens) count += digit != 0 ? 1 : 0;
    info.NumBase = std::to_string(count);
  }
  SeededRandom random(seed);
  WritePuzzleFile(args[0], info, givens, random);
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

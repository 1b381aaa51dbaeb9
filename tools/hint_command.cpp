// sudoku-cli hint: the cell a hint fills on each board (givens, then the player's entries) and
// why its digit belongs there on that board, or why no hint is given.
#include <iostream>

#include "cli_commands.h"
#include "latin1_output.h"
#include "puzzle_input.h"
#include "solver/cell_explanation.h"
#include "solver/random.h"
#include "solver/solution_counter.h"

namespace sudoku::cli {
namespace {

// As the hint does: fewer empty cells than this and no hint is given.
constexpr int kFewestEmptyCells = 11;

// The board of a line: the givens, and the entries of the second field in the other cells.
std::optional<Board> HintBoard(const PuzzleLine& puzzle, std::string& why) {
  Board board = GivensBoard(puzzle.values);
  if (puzzle.rest.empty()) return board;
  const auto entries = ParsePuzzleLine(puzzle.rest, why);
  if (!entries) {
    why = "entries: " + why;
    return std::nullopt;
  }
  for (int cell = 0; cell < 81; ++cell) {
    if (puzzle.values[cell] == 0 && entries->values[cell] > 0) {
      board.Texts[cell] = std::to_string(entries->values[cell]);
    }
  }
  return board;
}

// The hint for one board, as the game gives it with a generator of that seed; the line printed.
std::string Hint(const Board& board, Random& random, bool english) {
  CountState state;
  CountBoard(board, 2, state);
  if (state.NumSoluzioni == 0) {
    return english ? "no hint: the grid has no solution"
                   : "nessun suggerimento: lo schema in griglia non ammette soluzioni";
  }
  if (state.NumSoluzioni >= 2) {
    return english ? "no hint: the grid has more than one solution"
                   : "nessun suggerimento: lo schema in griglia ha pi\xF9 di una soluzione";
  }
  int empty = 0;
  for (int cell = 0; cell < 81; ++cell) empty += board.ValoreCella(cell / 9, cell % 9) == 0;
  if (empty < kFewestEmptyCells) {
    return english ? "no hint: the grid has no more than 10 empty cells"
                   : "nessun suggerimento: lo schema in griglia non ha pi\xF9 di 10 caselle libere";
  }
  int col = 0, row = 0;
  do {
    col = random.Next(0, 8);
    row = random.Next(0, 8);
  } while (board.ValoreCella(col, row) != 0);
  const int cell = CellIndex(col, row);
  return std::to_string(col + 1) + ' ' + std::to_string(row + 1) + ' ' +
         std::to_string(state.Soluzione[cell]) + '\t' +
         ExplanationText(ExplainHint(board, state.Soluzione, cell), english);
}

}  // namespace

int RunHint(const Args& args) {
  bool english = true;
  long long seed = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--lang" && hasValue && ParseLanguage(args[i + 1], english)) {
      ++i;
    } else if (args[i] == "--seed" && hasValue && ParseWhole(args[i + 1], 0, seed)) {
      ++i;
    } else {
      return UsageError("hint: bad arguments");
    }
  }
  SeededRandom random{std::uint64_t(seed)};
  int badEntries = 0;
  const int malformed = ForEachPuzzle(std::cin, std::cerr, [&](const PuzzleLine& puzzle) {
    std::string why;
    const auto board = HintBoard(puzzle, why);
    if (!board) {
      std::cerr << "sudoku-cli: line " << puzzle.lineNumber << ": " << why << "\n";
      ++badEntries;
      return;
    }
    std::cout << Utf8(Hint(*board, random, english)) << '\n';
  });
  return malformed + badEntries > 0 ? 1 : 0;
}

}  // namespace sudoku::cli

// A game wired to fakes, with a scripted random source, and helpers that set up its board from
// 81-character strings written row by row from the top ('.' or '0' = empty).
#pragma once

#include <deque>
#include <string>

#include "play/fakes.h"

namespace sudoku::testing {

// Answers the queued numbers first, then counts up cyclically through the range.
class ScriptedRandom : public Random {
 public:
  std::deque<int> script;
  int draws = 0;

  int Next(int lo, int hi) override {
    ++draws;
    if (!script.empty()) {
      const int value = script.front();
      script.pop_front();
      return value;
    }
    return lo + (fallback_++ % (hi - lo + 1));
  }

 private:
  int fallback_ = 0;
};

struct SolvingFixture : BasicGameFixture<ScriptedRandom> {
  explicit SolvingFixture(const std::string& name) : BasicGameFixture(name) {}

  // Loads rows as the givens of the board (no texts), as a loaded puzzle stands.
  void Givens(const std::string& rows) {
    ForEachDigit(rows,
                 [&](int cell, char digit) { game.board.Schema[cell] = std::string("1") + digit; });
  }
  // Types rows into the board as entries.
  void Entries(const std::string& rows) {
    ForEachDigit(rows,
                 [&](int cell, char digit) { game.board.Texts[cell] = std::string(1, digit); });
  }
  // The board as row-by-row text: each cell's value, '.' when empty.
  std::string Shown() const {
    std::string rows;
    for (int row = 0; row < 9; ++row) {
      for (int col = 0; col < 9; ++col) {
        const int value = game.board.ValoreCella(col, row);
        rows += value == 0 ? '.' : char('0' + value);
      }
    }
    return rows;
  }
  // The cell texts only, row by row, '.' when empty.
  std::string Texts() const {
    std::string rows;
    for (int row = 0; row < 9; ++row) {
      for (int col = 0; col < 9; ++col) {
        const std::string& text = game.board.Texts[CellIndex(col, row)];
        rows += text.empty() ? '.' : text[0];
      }
    }
    return rows;
  }

 private:
  template <class F>
  static void ForEachDigit(const std::string& rows, F apply) {
    for (int i = 0; i < 81 && i < int(rows.size()); ++i) {
      if (rows[i] >= '1' && rows[i] <= '9') apply(CellIndex(i % 9, i / 9), rows[i]);
    }
  }
};

// A well-known puzzle with one solution, and that solution.
inline const std::string kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline const std::string kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace sudoku::testing

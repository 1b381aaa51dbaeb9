// Boards written as 81-character strings, row by row from the top as one reads a puzzle:
// a digit is a given (or an entry, for texts), "0" or "." an open or empty cell.
#pragma once

#include <string>
#include <string_view>

#include "play/game.h"

namespace sudoku::testing {

// A solved grid, and the same grid as a string of givens.
inline constexpr std::string_view kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Character of cell (col, row) in a row-major string.
inline char At(std::string_view rows, int col, int row) {
  return rows[std::size_t(row * 9 + col)];
}

// Schema codes: "1d" for a digit, "0" for an open cell.
inline void SetGivens(Game& game, std::string_view rows) {
  for (int i = 0; i < 81; ++i) {
    const char c = rows[std::size_t(i)];
    game.board.Schema[CellIndex(i % 9, i / 9)] =
        c >= '1' && c <= '9' ? "1" + std::string(1, c) : "0";
  }
}

// Cell texts: the digit, or empty.
inline void SetTexts(Game& game, std::string_view rows) {
  for (int i = 0; i < 81; ++i) {
    const char c = rows[std::size_t(i)];
    game.board.Texts[CellIndex(i % 9, i / 9)] = c >= '1' && c <= '9' ? std::string(1, c) : "";
  }
}

// The cell texts back as a row-major string, "." for an empty text.
inline std::string Texts(const Game& game) {
  std::string rows;
  for (int i = 0; i < 81; ++i) {
    const std::string& text = game.board.Texts[CellIndex(i % 9, i / 9)];
    rows += text.empty() ? "." : text;
  }
  return rows;
}

// The value every cell shows, text or given, as a row-major string, "." for none.
inline std::string Shown(const Game& game) {
  std::string rows;
  for (int i = 0; i < 81; ++i) rows += ".123456789"[game.board.ValoreCella(i % 9, i / 9)];
  return rows;
}

// The game in hand in one line: file name, title, clock seconds, undo depth, whether the timer
// runs, then the shown values and the texts as above.
inline std::string State(const Game& g) {
  return g.controls.enomefile.text + "|" + g.controls.LTitle.caption + "|" +
         std::to_string(g.Secondi) + "s|undo " + std::to_string(g.Storico.NumStorico()) +
         "|timer " + (g.controls.SudokuTimer.enabled ? "on|" : "off|") + Shown(g) + "|" + Texts(g);
}

}  // namespace sudoku::testing

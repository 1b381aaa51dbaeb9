// The board of a match as pure functions: the match puzzle's codes, the opponent's moves to copy
// onto the board, the colour a copied cell flashes in, and the report of the user's moves.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "challenge/dati_sfida.h"
#include "play/ports.h"
#include "solver/board.h"

namespace sudoku {

// Character p (0-based) of an 81-character field; a shorter field reads "0" beyond its end.
char FieldAt(const std::string& field, int p);

// The Schema codes of a match puzzle: piece i of the ";"-separated text is column i, two
// characters per row. Missing pieces and short pieces leave their cells open ("0").
std::array<std::string, 81> MatchPuzzleCodes(const std::string& puzzle);

// A digit of the site's board that the user's board takes: cell index p (column-major) and the
// digit's text.
struct CellCopy {
  int p = 0;
  std::string digit;
};

// The cells to copy from ultimamossa, in board order: a filled cell takes a digit only when it
// is new in this update (mossaprecedente still "0"); an empty open cell takes any.
std::vector<CellCopy> OpponentMoves(const Board& board, const DatiSfida& dati);

// The colour a copied cell flashes in: aqua for cells the challenger found, dark green for the
// challenged user's; a cell without finder takes the other side's colour.
Rgb FinderColour(const DatiSfida& dati, int p, bool challenger);

// What one press of the send button reports to the site.
struct MoveReport {
  std::string moves;            // 81 digits, column by column, "0" where nothing is reported
  int right = 0;                // new correct digits
  int wrong = 0;                // digits that do not match the solution, counted at every send
  std::string found;            // elementotrovatoda with the new correct cells marked
  int filled = 0;               // cells reported as filled
  std::vector<int> wrongCells;  // cells (column-major) whose digit is wrong, in board order
};

MoveReport BuildMoveReport(const Board& board, const DatiSfida& dati);

}  // namespace sudoku

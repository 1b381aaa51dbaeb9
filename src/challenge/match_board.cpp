// The match board's pure functions.
#include "challenge/match_board.h"

namespace sudoku {

char FieldAt(const std::string& field, int p) {
  return p >= 0 && std::size_t(p) < field.size() ? field[std::size_t(p)] : '0';
}

std::array<std::string, 81> MatchPuzzleCodes(const std::string& puzzle) {
  std::array<std::string, 81> codes;
  codes.fill("0");
  std::size_t start = 0;
  for (int col = 0; col < 9 && start <= puzzle.size(); ++col) {
    std::size_t end = col < 8 ? puzzle.find(';', start) : std::string::npos;
    if (end == std::string::npos) end = puzzle.size();
    const std::string piece = puzzle.substr(start, end - start);
    for (int row = 0; row < 9; ++row) {
      const std::size_t at = std::size_t(2 * row);
      if (at < piece.size()) codes[std::size_t(CellIndex(col, row))] = piece.substr(at, 2);
    }
    start = end + 1;
  }
  return codes;
}

std::vector<CellCopy> OpponentMoves(const Board& board, const DatiSfida& dati) {
  std::vector<CellCopy> copies;
  for (int p = 0; p < 81; ++p) {
    const char site = FieldAt(dati.ultimamossa, p);
    if (site == '0') continue;
    const bool filled = !board.Texts[std::size_t(p)].empty();
    const bool given = board.IsGiven(p / 9, p % 9);
    const bool isNew = FieldAt(dati.mossaprecedente, p) == '0';
    if ((filled && isNew) || (!filled && !given)) copies.push_back({p, std::string(1, site)});
  }
  return copies;
}

Rgb FinderColour(const DatiSfida& dati, int p, bool challenger) {
  static constexpr Rgb kAqua{0, 255, 255}, kDarkGreen{0, 128, 0};
  switch (FieldAt(dati.elementotrovatoda, p)) {
    case '1':
      return kAqua;
    case '2':
      return kDarkGreen;
    default:
      return challenger ? kDarkGreen : kAqua;
  }
}

MoveReport BuildMoveReport(const Board& board, const DatiSfida& dati) {
  MoveReport report;
  report.found = dati.elementotrovatoda;
  const bool challenger = dati.nickname == dati.sfidante;
  for (int p = 0; p < 81; ++p) {
    const std::string& text = board.Texts[std::size_t(p)];
    const char solution = FieldAt(dati.soluzione, p);
    const bool siteHasIt = FieldAt(dati.ultimamossa, p) != '0';
    if (!text.empty()) {
      const bool right = text == std::string(1, solution);
      if (siteHasIt) {
        report.moves += solution;
        ++report.filled;
      } else if (right) {
        report.moves += solution;
        ++report.right;
        if (std::size_t(p) < report.found.size())
          report.found[std::size_t(p)] = challenger ? '1' : '2';
        ++report.filled;
      } else {
        report.moves += '0';
        ++report.wrong;
      }
      if (!right) report.wrongCells.push_back(p);
    } else if (board.IsGiven(p / 9, p % 9)) {
      report.moves += FieldAt(board.Schema[std::size_t(p)], 1);
      ++report.filled;
    } else {
      report.moves += siteHasIt ? solution : '0';
    }
  }
  return report;
}

}  // namespace sudoku

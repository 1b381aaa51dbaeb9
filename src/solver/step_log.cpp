// Appending a step record while a step-by-step solution is under way, and telling a player why
// the record's cell holds its digit.
#include "solver/step_log.h"

namespace sudoku {

void StepLog::RecordStep(const Board& board, int col, int row, const CandidateGrid& grid, int digit,
                         const StepReason& reason) {
  if (NumPassi >= kMaxSteps) return;
  const int cell = CellIndex(col, row);
  if (NumPassi > 0 && Passi[NumPassi].Values[cell] == digit) return;
  ++NumPassi;
  StepRecord& record = Passi[NumPassi];
  if (NumPassi == 1) {
    for (int c = 0; c < 9; ++c) {
      for (int r = 0; r < 9; ++r) record.Values[CellIndex(c, r)] = board.ValoreCella(c, r);
    }
  } else {
    record.Values = Passi[NumPassi - 1].Values;
  }
  record.Candidates = grid;
  record.Values[cell] = digit;
  record.Col = col;
  record.Row = row;
  record.Digit = digit;
  record.Reason = reason;
}

namespace {

std::string CellText(int col, int row, bool english) {
  return (english ? "column " : "colonna ") + std::to_string(col + 1) +
         (english ? ", row " : ", riga ") + std::to_string(row + 1);
}

// "il 7", "l'8": the Italian article before a digit read aloud.
std::string ItalianDigit(int digit) {
  return (digit == 1 || digit == 8 ? "l'" : "il ") + std::to_string(digit);
}

// "in row 5", "in the top left box" / "nella riga 5", "nel riquadro in alto a sinistra".
std::string InUnit(UnitKind kind, int unit, bool english) {
  const std::string number = std::to_string(unit + 1);
  switch (kind) {
    case UnitKind::Column:
      return (english ? "in column " : "nella colonna ") + number;
    case UnitKind::Row:
      return (english ? "in row " : "nella riga ") + number;
    case UnitKind::Box:
      break;
    case UnitKind::None:
      return {};
  }
  // Boxes go down the columns of boxes: unit / 3 is the column of boxes, unit % 3 the row.
  const int across = unit / 3, down = unit % 3;
  if (english) {
    static const char* const kDown[] = {"top", "middle", "bottom"};
    static const char* const kAcross[] = {"left", "middle", "right"};
    const std::string place =
        across == 1 && down == 1 ? "centre" : std::string(kDown[down]) + " " + kAcross[across];
    return "in the " + place + " box";
  }
  static const char* const kDown[] = {"in alto", "al centro", "in basso"};
  static const char* const kAcross[] = {"a sinistra", "al centro", "a destra"};
  if (across == 1 && down == 1) return "nel riquadro centrale";
  return std::string("nel riquadro ") + kDown[down] + " " + kAcross[across];
}

std::string Because(const StepRecord& record, bool english) {
  const StepReason& why = record.Reason;
  const std::string left =
      english ? "the only candidate left after " : "unico candidato rimasto dopo ";
  const std::string where = InUnit(why.Kind, why.Unit, english);
  switch (why.Pass) {
    case StepPass::Placed: {
      const std::string from = CellText(why.FromCell / 9, why.FromCell % 9, english);
      return english ? left + "the " + std::to_string(why.FromDigit) + " at " + from
                     : left + ItalianDigit(why.FromDigit) + " in " + from;
    }
    case StepPass::NakedPair:
      return left + (english ? "the pair " : "la coppia ") + where;
    case StepPass::Triple:
      return left + (english ? "the triple " : "la terna ") + where;
    case StepPass::PairInTriple:
      return left + (english ? "the pair inside the triple " : "la coppia dentro la terna ") +
             where;
    case StepPass::HiddenSingle:
      return english ? "the only place for " + std::to_string(record.Digit) + " " + where
                     : "unico posto per " + ItalianDigit(record.Digit) + " " + where;
    case StepPass::BoxPair: {
      const bool columns = why.Lines == UnitKind::Column;
      if (english) {
        return left + "the pair " + where + " against its " + (columns ? "column" : "row") +
               " of boxes";
      }
      return left + "la coppia " + where + " contro la sua " + (columns ? "colonna" : "riga") +
             " di riquadri";
    }
    case StepPass::Quad:
      return left + (english ? "the quad " : "la quaterna ") + where;
    case StepPass::None:
      break;
  }
  return english ? "the logical solver alone does not reach this cell: it takes trial and error"
                 : "il risolutore logico da solo non arriva a questa cella: serve procedere per "
                   "tentativi";
}

}  // namespace

std::string ExplainStep(const StepRecord& record, bool english) {
  std::string cell = CellText(record.Col, record.Row, english);
  cell[0] = char(cell[0] - 'a' + 'A');
  return cell + ": " + std::to_string(record.Digit) + " - " + Because(record, english);
}

}  // namespace sudoku

// The wording of an explanation in English and Italian (Latin-1 text): the cell and digit, then
// the reason, naming the units, cells and digits it rests on.
#include <string>
#include <utility>

#include "solver/cell_explanation.h"
#include "solver/units.h"

namespace sudoku {
namespace {

using units::kBoxes;
using units::kRows;

std::string Number(int n) {
  return std::to_string(n);
}

std::string CellText(int cell, bool english) {
  return (english ? "column " : "colonna ") + Number(cell / 9 + 1) +
         (english ? ", row " : ", riga ") + Number(cell % 9 + 1);
}

// "il 7", "l'8": the Italian article before a digit read aloud.
std::string ItalianDigit(int digit) {
  return (digit == 1 || digit == 8 ? "l'" : "il ") + Number(digit);
}

// "a, b and c" / "a, b e c".
std::string Join(const std::vector<std::string>& items, bool english) {
  std::string text;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k > 0) text += k + 1 == items.size() ? (english ? " and " : " e ") : ", ";
    text += items[k];
  }
  return text;
}

std::vector<std::string> DigitList(std::uint16_t digits) {
  std::vector<std::string> list;
  for (int digit = 1; digit <= 9; ++digit) {
    if ((digits >> digit) & 1u) list.push_back(Number(digit));
  }
  return list;
}

// How a unit is named after a preposition, or without one.
enum class Prep { None, In, Of };

std::string UnitName(int unit, Prep prep, bool english) {
  if (unit < kBoxes) {
    const bool column = unit < kRows;
    if (english) {
      static const char* const kPreps[] = {"", "in ", "of "};
      return kPreps[int(prep)] + std::string(column ? "column " : "row ") + Number(unit % 9 + 1);
    }
    static const char* const kPreps[] = {"la ", "nella ", "della "};
    return kPreps[int(prep)] + std::string(column ? "colonna " : "riga ") + Number(unit % 9 + 1);
  }
  // Boxes go down the columns of boxes: box / 3 is the column of boxes, box % 3 the row.
  const int box = unit - kBoxes, across = box / 3, down = box % 3;
  if (english) {
    static const char* const kPreps[] = {"the ", "in the ", "of the "};
    static const char* const kDown[] = {"top", "middle", "bottom"};
    static const char* const kAcross[] = {"left", "middle", "right"};
    const std::string place =
        across == 1 && down == 1 ? "centre" : std::string(kDown[down]) + " " + kAcross[across];
    return kPreps[int(prep)] + place + " box";
  }
  static const char* const kPreps[] = {"il ", "nel ", "del "};
  static const char* const kDown[] = {"in alto", "al centro", "in basso"};
  static const char* const kAcross[] = {"a sinistra", "al centro", "a destra"};
  const std::string place =
      across == 1 && down == 1 ? "centrale" : std::string(kDown[down]) + " " + kAcross[across];
  return std::string(kPreps[int(prep)]) + "riquadro " + place;
}

// Cells named in full: "column 1, row 1; column 2, row 2 and column 3, row 1".
std::string CellList(const std::vector<int>& cells, bool english) {
  std::string text;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (k > 0) text += k + 1 == cells.size() ? (english ? " and " : " e ") : "; ";
    text += CellText(cells[k], english);
  }
  return text;
}

// The cells of a pattern: "(columns 1 and 4)" along a row, "(rows 2 and 7)" along a column,
// each cell in full in a box.
std::string CellsText(const std::vector<int>& cells, int unit, bool english) {
  if (unit >= kBoxes) return "(" + CellList(cells, english) + ")";
  std::vector<std::string> items;
  for (int cell : cells) items.push_back(Number(unit < kRows ? cell % 9 + 1 : cell / 9 + 1));
  const bool alongColumn = unit < kRows;
  if (english)
    return std::string(alongColumn ? "(rows " : "(columns ") + Join(items, english) + ")";
  return std::string(alongColumn ? "(righe " : "(colonne ") + Join(items, english) + ")";
}

// The pair, triple or quad: "the pair 2 and 6 in row 5 (columns 1 and 4)".
std::string SubsetText(const Pattern& p, bool english) {
  static const char* const kEnglish[] = {"the pair ", "the triple ", "the quad "};
  static const char* const kItalian[] = {"la coppia ", "la terna ", "la quaterna "};
  const std::size_t size = p.Cells.size() - 2;
  return (english ? kEnglish[size] : kItalian[size]) + Join(DigitList(p.Digits), english) + " " +
         UnitName(p.Unit, Prep::In, english) + " " + CellsText(p.Cells, p.Unit, english);
}

// A digit confined to where two units meet: "the 4 of the top left box, which can only go in
// row 2".
std::string ConfinedText(const Pattern& p, bool english) {
  if (english) {
    return "the " + Number(p.Digit) + " " + UnitName(p.Unit, Prep::Of, true) +
           ", which can only go " + UnitName(p.Other, Prep::In, true);
  }
  return ItalianDigit(p.Digit) + " " + UnitName(p.Unit, Prep::Of, false) +
         ", che pu\xF2 andare solo " + UnitName(p.Other, Prep::In, false);
}

// The pair of a box and a second box of its band holding a digit on two lines, which leaves the
// band's third box the third line.
std::string BoxPairText(const Pattern& p, bool english) {
  const bool columns = p.Line < kRows;
  int first = columns ? p.Cells[0] / 9 : p.Cells[0] % 9;
  int second = columns ? p.Cells[1] / 9 : p.Cells[1] % 9;
  if (first > second) std::swap(first, second);
  const std::vector<std::string> lines = {Number(first + 1), Number(second + 1)};
  const std::string digit = english ? Number(p.Digit) : ItalianDigit(p.Digit);
  const std::string pair = Join(DigitList(p.Digits), english);
  const std::string cells = CellList(p.Cells, english);
  if (english) {
    return "the " + digit + " " + UnitName(p.Unit, Prep::Of, true) + " (in the pair " + pair +
           " at " + cells + ") and the " + digit + " " + UnitName(p.Other, Prep::Of, true) +
           " (no place " + UnitName(p.Line, Prep::In, true) + ") fill " +
           (columns ? "columns " : "rows ") + Join(lines, true) + ", so the " + digit + " " +
           UnitName(p.Target, Prep::Of, true) + " goes " + UnitName(p.Line, Prep::In, true);
  }
  return digit + " " + UnitName(p.Unit, Prep::Of, false) + " (nella coppia " + pair + " in " +
         cells + ") e " + digit + " " + UnitName(p.Other, Prep::Of, false) + " (nessun posto " +
         UnitName(p.Line, Prep::In, false) + ") occupano le " + (columns ? "colonne " : "righe ") +
         Join(lines, false) + ", quindi " + digit + " " + UnitName(p.Target, Prep::Of, false) +
         " va " + UnitName(p.Line, Prep::In, false);
}

// What a pattern adds to a claim: " after the pair ..." or ", since the 5 of ...".
std::string AfterText(const Pattern& p, bool english) {
  switch (p.Kind) {
    case PatternKind::Subset:
      return (english ? " after " : " dopo ") + SubsetText(p, english);
    case PatternKind::Pointing:
    case PatternKind::Claiming:
      return (english ? " after " : " dopo ") + ConfinedText(p, english);
    case PatternKind::BoxPair:
      break;
  }
  return (english ? ", since " : ", perch\xE9 ") + BoxPairText(p, english);
}

// "the only digit absent from its row (1, 3, 9), column (2, 4) and box (5, 6, 8)", naming
// only the units that add digits.
std::string OnlyDigitText(const CellReason& why, bool english) {
  static const char* const kEnglish[] = {"row", "column", "box"};
  static const char* const kItalianFirst[] = {"dalla sua riga", "dalla sua colonna",
                                              "dal suo riquadro"};
  static const char* const kItalian[] = {"dalla riga", "dalla colonna", "dal riquadro"};
  std::vector<std::string> parts;
  for (int k = 0; k < 3; ++k) {
    if (why.Seen[k] == 0) continue;
    std::string digits;
    for (const std::string& digit : DigitList(why.Seen[k])) {
      digits += (digits.empty() ? " (" : ", ") + digit;
    }
    digits += ")";
    const bool first = parts.empty();
    parts.push_back((english ? kEnglish[k] : first ? kItalianFirst[k] : kItalian[k]) + digits);
  }
  return english ? "the only digit absent from its " + Join(parts, true)
                 : "unica cifra assente " + Join(parts, false);
}

// The reason as a noun phrase; the Italian one without its article ("unico posto ...").
std::string ReasonText(const CellReason& why, int digit, bool english) {
  switch (why.What) {
    case CellReason::Kind::LastInUnit:
      return english ? "the last digit missing from " + UnitName(why.Unit, Prep::None, true)
                     : "ultima cifra che manca " + UnitName(why.Unit, Prep::In, false);
    case CellReason::Kind::OnlyDigit:
      if (!why.After) return OnlyDigitText(why, english);
      return (english ? "the only candidate left" : "unico candidato rimasto") +
             AfterText(*why.After, english);
    case CellReason::Kind::OnlyPlace:
      break;
  }
  const std::string place =
      english
          ? "the only place for " + Number(digit) + " " + UnitName(why.Unit, Prep::In, true)
          : "unico posto per " + ItalianDigit(digit) + " " + UnitName(why.Unit, Prep::In, false);
  return why.After ? place + AfterText(*why.After, english) : place;
}

// "6 at column 4, row 2 and 3 at column 1, row 9" / "il 6 in colonna 4, riga 2 e ...".
std::string PlacementsText(const std::vector<Placement>& cells, bool english) {
  std::vector<std::string> items;
  for (const Placement& p : cells) {
    items.push_back(english ? Number(p.Digit) + " at " + CellText(p.Cell, true)
                            : ItalianDigit(p.Digit) + " in " + CellText(p.Cell, false));
  }
  return Join(items, english);
}

// Why the reason holds only once cells still to come are filled.
std::string LaterText(const Explanation& e, bool english) {
  const std::string reason = ReasonText(e.Why, e.Digit, english);
  const std::size_t n = e.Later.size();
  const std::string count = Number(int(n));
  if (english) {
    std::string text = e.PlayersBoard ? "not evident yet on your board: once "
                                      : "not evident yet on the board shown: once ";
    if (e.PlayersBoard) {
      text += n <= 2 ? PlacementsText(e.Later, true) + (n == 1 ? " is" : " are") + " in place"
                     : count + " other cells are found";
    } else {
      text += "the replay shows " +
              (n <= 2 ? PlacementsText(e.Later, true) : count + " cells it has not shown yet");
    }
    return text + ", it is " + reason;
  }
  std::string text = e.PlayersBoard ? "non ancora evidente sulla tua griglia: quando "
                                    : "non ancora evidente sulla griglia mostrata: quando ";
  if (e.PlayersBoard) {
    text += n <= 2 ? std::string(n == 1 ? "ci sar\xE0 " : "ci saranno ") +
                         PlacementsText(e.Later, false)
                   : "saranno trovate altre " + count + " celle";
  } else {
    text += "la sequenza avr\xE0 mostrato " +
            (n <= 2 ? PlacementsText(e.Later, false) : "altre " + count + " celle");
  }
  return text + ", sar\xE0 l'" + reason;
}

std::string BasisText(const Explanation& e, bool english) {
  switch (e.On) {
    case Explanation::Basis::Board:
      return ReasonText(e.Why, e.Digit, english);
    case Explanation::Basis::Later:
      return LaterText(e, english);
    case Explanation::Basis::Ahead:
      if (!e.PlayersBoard) {
        return english ? "not evident yet on the board shown: the solver found it by reasoning "
                         "further ahead"
                       : "non ancora evidente sulla griglia mostrata: il risolutore l'ha trovata "
                         "ragionando pi\xF9 avanti";
      }
      if (english) {
        return "not evident yet on your board: the logical solver reaches it after " +
               Number(e.Ahead) + (e.Ahead == 1 ? " other cell" : " other cells");
      }
      return "non ancora evidente sulla tua griglia: il risolutore logico ci arriva dopo " +
             (e.Ahead == 1 ? std::string("un'altra cella") : "altre " + Number(e.Ahead) + " celle");
    case Explanation::Basis::TrialAndError:
      break;
  }
  return english ? "the logical solver alone does not reach this cell: it takes trial and error"
                 : "il risolutore logico da solo non arriva a questa cella: serve procedere per "
                   "tentativi";
}

// "The entry at column 2, row 4 is wrong. " and the like, or nothing.
std::string WrongEntriesText(const std::vector<int>& cells, bool english) {
  if (cells.empty()) return {};
  const std::string first = CellText(cells[0], english);
  if (cells.size() == 1) {
    return english ? "The entry at " + first + " is wrong. "
                   : "Il numero inserito in " + first + " \xE8 sbagliato. ";
  }
  if (cells.size() > 2) {
    const std::string count = Number(int(cells.size()));
    return english ? count + " entries are wrong, the first at " + first + ". "
                   : count + " numeri inseriti sono sbagliati, il primo in " + first + ". ";
  }
  const std::string both = Join({first, CellText(cells[1], english)}, english);
  return english ? "The entries at " + both + " are wrong. "
                 : "I numeri inseriti in " + both + " sono sbagliati. ";
}

}  // namespace

std::string ExplanationText(const Explanation& explanation, bool english) {
  std::string cell = CellText(explanation.Cell, english);
  cell[0] = char(cell[0] - 'a' + 'A');
  return WrongEntriesText(explanation.WrongEntries, english) + cell + ": " +
         Number(explanation.Digit) + " - " + BasisText(explanation, english);
}

}  // namespace sudoku

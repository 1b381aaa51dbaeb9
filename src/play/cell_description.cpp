// The spoken form of a board cell: place, content, colour mark and notes.
#include "play/cell_description.h"

#include "play/cell_notes.h"

namespace sudoku {
namespace {

struct ColourWords {
  Rgb colour;
  const char* italian;
  const char* english;
};

// The swatches' colours; a wrong entry's flash shares the red.
constexpr ColourWords kColours[] = {
    {{255, 255, 0}, "giallo", "yellow"},
    {{255, 0, 0}, "rosso", "red"},
    {{0, 255, 255}, "azzurro", "aqua"},
    {{0, 128, 0}, "verde", "green"},
};

std::string MarkWords(Rgb mark, bool english) {
  for (const ColourWords& words : kColours) {
    if (words.colour == mark) {
      return std::string(english ? "marked " : "segnata in ") +
             (english ? words.english : words.italian);
    }
  }
  return english ? "marked" : "segnata";
}

std::string Place(int col, int row, bool english) {
  return (english ? "Row " : "Riga ") + std::to_string(row + 1) +
         (english ? ", column " : ", colonna ") + std::to_string(col + 1) + ": ";
}

}  // namespace

std::string DescribeCell(const CellFacts& cell, bool english) {
  std::string text = Place(cell.col, cell.row, english);
  if (cell.digit == 0) {
    text += english ? "empty" : "vuota";
  } else {
    text += std::to_string(cell.digit);
    if (cell.given) text += english ? ", given" : ", dato";
  }
  if (cell.marked) text += ", " + MarkWords(cell.mark, english);
  if (cell.notes != 0) text += ", " + NotesInWords(cell.notes, english);
  return text;
}

std::string DescribeCandidates(int col, int row, const std::string& shown, bool english) {
  if (shown.empty())
    return Place(col, row, english) + (english ? "no candidates" : "nessun candidato");
  return Place(col, row, english) + (english ? "candidates " : "candidati ") + shown;
}

std::string NoValueWords(bool english) {
  return english ? "no value" : "nessun valore";
}

}  // namespace sudoku

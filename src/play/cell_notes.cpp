// The notes of the board, their side file's text and their wording.
#include "play/cell_notes.h"

namespace sudoku {
namespace {

constexpr std::string_view kHeader = "[note]:";

bool ValidDigit(int digit) {
  return digit >= 1 && digit <= 9;
}

}  // namespace

bool SharesUnit(int col, int row, int otherCol, int otherRow) {
  return col == otherCol || row == otherRow || (col / 3 == otherCol / 3 && row / 3 == otherRow / 3);
}

bool CellNotes::Has(int col, int row, int digit) const {
  return ValidDigit(digit) && (Mask(col, row) >> digit & 1) != 0;
}

void CellNotes::Set(int col, int row, std::uint16_t mask) {
  masks_[Index(col, row)] = mask & 0x3FE;
}

void CellNotes::Toggle(int col, int row, int digit) {
  if (ValidDigit(digit)) masks_[Index(col, row)] ^= std::uint16_t(1u << digit);
}

void CellNotes::ClearFromPeers(int col, int row, int digit) {
  if (!ValidDigit(digit)) return;
  for (int c = 0; c < 9; ++c) {
    for (int r = 0; r < 9; ++r) {
      if ((c != col || r != row) && SharesUnit(col, row, c, r)) {
        masks_[Index(c, r)] &= std::uint16_t(~(1u << digit));
      }
    }
  }
}

bool CellNotes::Empty() const {
  for (std::uint16_t mask : masks_) {
    if (mask != 0) return false;
  }
  return true;
}

std::uint16_t NoteMaskOf(std::string_view text) {
  std::uint16_t mask = 0;
  for (char c : text) {
    if (c >= '1' && c <= '9') mask |= std::uint16_t(1u << (c - '0'));
  }
  return mask;
}

std::string NotesFileText(const CellNotes& notes) {
  std::string text(kHeader);
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      for (int digit = 1; digit <= 9; ++digit) {
        if (notes.Has(col, row, digit)) text += char('0' + digit);
      }
      text += '#';
    }
  }
  return text + "\r\n";
}

std::optional<CellNotes> ParseNotesFile(std::string_view text) {
  if (!text.starts_with(kHeader)) return std::nullopt;
  text.remove_prefix(kHeader.size());
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  CellNotes notes;
  int cell = 0;
  std::uint16_t mask = 0;
  for (char c : text) {
    if (c == '#') {
      if (cell == 81) return std::nullopt;
      notes.Set(cell / 9, cell % 9, mask);
      ++cell;
      mask = 0;
      continue;
    }
    if (c < '1' || c > '9') return std::nullopt;
    const std::uint16_t bit = std::uint16_t(1u << (c - '0'));
    if ((mask & bit) != 0) return std::nullopt;
    mask |= bit;
  }
  if (cell != 81 || mask != 0) return std::nullopt;
  return notes;
}

std::string NotesInWords(std::uint16_t mask, bool english) {
  std::string digits;
  for (int digit = 1; digit <= 9; ++digit) {
    if ((mask >> digit & 1) == 0) continue;
    if (!digits.empty()) digits += ", ";
    digits += char('0' + digit);
  }
  if (digits.empty()) return english ? "No notes" : "Nessuna nota";
  return (english ? "Notes: " : "Note: ") + digits;
}

}  // namespace sudoku

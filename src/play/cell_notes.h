// Pencil marks: the small digits a player notes in the cells, the text of the side file that
// keeps them beside the saved game, and their wording for a screen reader.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sudoku {

// The notes of the 81 cells, [col][row] as CellIndex; bit d of a cell's mask is digit d (1..9).
class CellNotes {
 public:
  std::uint16_t Mask(int col, int row) const { return masks_[Index(col, row)]; }
  bool Has(int col, int row, int digit) const;
  void Set(int col, int row, std::uint16_t mask);
  void Toggle(int col, int row, int digit);
  // Removes digit from every other cell that shares a row, column or box with (col, row).
  void ClearFromPeers(int col, int row, int digit);
  void Clear() { masks_.fill(0); }
  bool Empty() const;
  bool operator==(const CellNotes&) const = default;

 private:
  static std::size_t Index(int col, int row) { return std::size_t(col * 9 + row); }
  std::array<std::uint16_t, 81> masks_{};
};

// Whether the two cells share a row, a column or a box (a cell shares all three with itself).
bool SharesUnit(int col, int row, int otherCol, int otherRow);

// The mask of the digits '1'..'9' in text (a candidate text, for instance); other characters
// are ignored.
std::uint16_t NoteMaskOf(std::string_view text);

// The side file: one line "[note]:" followed, for every cell in column-major order, by its noted
// digits in ascending order and "#", ended by CR LF.
std::string NotesFileText(const CellNotes& notes);
// Nothing when text is not such a file: another first line, not 81 fields, or a field holding
// anything but distinct digits 1..9.
std::optional<CellNotes> ParseNotesFile(std::string_view text);

// A cell's notes read out: "Note: 1, 4, 7" / "Notes: 1, 4, 7", or "Nessuna nota" / "No notes".
std::string NotesInWords(std::uint16_t mask, bool english);

}  // namespace sudoku

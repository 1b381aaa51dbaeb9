// Recording, clearing and restarting the undo history.
#include "play/undo_history.h"

namespace sudoku {

void UndoHistory::Clear() {
  numStorico_ = 0;
  for (Snapshot& slot : values_) slot.fill(0);
}

void UndoHistory::StartFromGivens(const Board& board) {
  Clear();
  numStorico_ = 1;
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const std::string& code = board.Schema[std::size_t(CellIndex(col, row))];
      if (board.IsGiven(col, row) && code.size() >= 2 && code[1] >= '1' && code[1] <= '9') {
        values_[1][std::size_t(CellIndex(col, row))] = code[1] - '0';
      }
    }
  }
}

bool UndoHistory::Push(const Snapshot& values, const CellNotes& notes) {
  if (Full()) return false;
  ++numStorico_;
  values_[Slot(numStorico_)] = values;
  notes_[Slot(numStorico_)] = notes;
  return true;
}

void UndoHistory::ClearNotes() {
  for (CellNotes& slot : notes_) slot.Clear();
}

}  // namespace sudoku

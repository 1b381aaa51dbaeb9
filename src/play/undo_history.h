// The undo history, Storico: numbered snapshots of every cell's value, each with the pencil marks
// as they stood after the action that recorded it.
#pragma once

#include <array>
#include <cstdint>

#include "play/cell_notes.h"
#include "solver/board.h"

namespace sudoku {

// An undo snapshot: the value of every cell, [col][row] as CellIndex, 0 = empty.
using Snapshot = std::array<std::int32_t, 81>;

// Slots 1..100 hold snapshots; slot 0 stays all zero and stands for the board with no entries.
// NumStorico is the number of the newest snapshot. An Undo does not drop the snapshots above
// the slot it steps back to: the next ones recorded overwrite them.
class UndoHistory {
 public:
  static constexpr std::int32_t kSlots = 100;

  std::int32_t NumStorico() const { return numStorico_; }
  bool Full() const { return numStorico_ >= kSlots; }
  const Snapshot& Values(std::int32_t slot) const { return values_[Slot(slot)]; }
  const CellNotes& Notes(std::int32_t slot) const { return notes_[Slot(slot)]; }

  // No snapshot left: NumStorico 0 and every slot's values 0 (their notes stay).
  void Clear();
  // The history of a freshly loaded puzzle: cleared, then slot 1 holds the givens of the board
  // (the digit of every cell whose code marks it as given, 0 elsewhere) and NumStorico is 1.
  void StartFromGivens(const Board& board);
  // Records the next snapshot; false, with nothing recorded, when the history is full.
  bool Push(const Snapshot& values, const CellNotes& notes);
  // The newest snapshot's notes (slot 0's when there is none) become these.
  void SetNewestNotes(const CellNotes& notes) { notes_[Slot(numStorico_)] = notes; }
  // Two snapshots back, as one entry is recorded twice; NumStorico must be at least 2.
  void StepBack() { numStorico_ -= 2; }
  // Every slot's notes emptied.
  void ClearNotes();

 private:
  static std::size_t Slot(std::int32_t slot) { return std::size_t(slot); }

  std::int32_t numStorico_ = 0;
  std::array<Snapshot, kSlots + 1> values_{};
  std::array<CellNotes, kSlots + 1> notes_{};
};

}  // namespace sudoku

// What the game tells a screen reader as it happens on the board: a placed digit, a cell left
// without candidates, the solved board, a hint. The texts are rows of the caption table.
#pragma once

#include <string>
#include <string_view>

namespace sudoku {

// The announcement rows of the caption table, by the event they tell.
inline constexpr std::string_view kAnnouncePlaced = "Placed";
inline constexpr std::string_view kAnnounceNoCandidates = "NoCandidates";
inline constexpr std::string_view kAnnounceSolved = "Solved";
inline constexpr std::string_view kAnnounceHint = "Hint";

// The event's text in the language chosen, its "%d" the digit and "%r" / "%c" the row and
// column counted from 1 (col and row count from 0). Latin-1. Throws std::logic_error for an
// event the table lacks.
std::string AnnouncementText(std::string_view event, int col, int row, int digit, bool english);

}  // namespace sudoku

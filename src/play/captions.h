// The caption table of the main window: every control whose caption or tooltip follows the
// language, with its Italian and English texts and, for the few that differ, its text at start.
#pragma once

#include <span>
#include <string_view>

namespace sudoku {

// What a row writes: a control's caption, its tooltip, the caption of one list column, the
// name or description assistive technology reads for a widget of the window (written by the
// shell onto the widget of that object name, which the control model need not hold), or what
// a screen reader is told when an event happens (its control is the event's name).
enum class CaptionKind {
  Caption,
  Tooltip,
  Column,
  AccessibleName,
  AccessibleDescription,
  Announcement
};

struct CaptionRow {
  std::string_view control;  // the control's name in the Controls model
  CaptionKind kind;
  std::string_view italian;
  std::string_view english;
  std::string_view initial = {};  // the text shown before the first switch; empty = italian
  int column = -1;                // the list column, for CaptionKind::Column

  std::string_view InitialText() const { return initial.empty() ? italian : initial; }
  bool ForAssistiveTechnology() const {
    return kind == CaptionKind::AccessibleName || kind == CaptionKind::AccessibleDescription ||
           kind == CaptionKind::Announcement;
  }
};

// Every row, in the order the language switch writes them. Texts are Latin-1.
std::span<const CaptionRow> CaptionTable();

// The language item's caption and tooltip offering the other language, for the language in use.
struct LanguageItemTexts {
  std::string_view caption;
  std::string_view tooltip;
  std::string_view flagFile;  // picture under CartellaBase/noconnect
};
LanguageItemTexts LanguageItemFor(std::string_view lingua);

}  // namespace sudoku

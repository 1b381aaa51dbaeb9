// The language switch: the caption table written into the controls, and the two handlers of
// the language item.
#include "play/language.h"

#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include "play/captions.h"
#include "play/game.h"

namespace sudoku {
namespace {

std::string_view TextOf(const CaptionRow& row, CaptionColumn column) {
  switch (column) {
    case CaptionColumn::Initial:
      return row.InitialText();
    case CaptionColumn::Italian:
      return row.italian;
    case CaptionColumn::English:
      return row.english;
  }
  return row.italian;
}

// Writes one row's text into the control; false when the control has no such text.
bool Write(const ControlRef& control, const CaptionRow& row, std::string_view text) {
  return std::visit(
      [&](auto* target) {
        using T = std::remove_pointer_t<decltype(target)>;
        if constexpr (std::is_same_v<T, ListView>) {
          if (row.kind == CaptionKind::Tooltip) {
            target->hint = text;
            return true;
          }
          if (row.kind != CaptionKind::Column || row.column < 0 ||
              row.column >= int(target->columns.size())) {
            return false;
          }
          target->columns[std::size_t(row.column)].caption = text;
          return true;
        } else {
          if (row.kind == CaptionKind::Caption) {
            if constexpr (requires { target->caption; }) {
              target->caption = text;
              return true;
            }
          } else if (row.kind == CaptionKind::Tooltip) {
            if constexpr (requires { target->hint; }) {
              target->hint = text;
              return true;
            }
          }
          return false;
        }
      },
      control);
}

}  // namespace

void WriteCaptions(Controls& controls, CaptionColumn column) {
  for (const CaptionRow& row : CaptionTable()) {
    if (row.ForAssistiveTechnology()) continue;
    const ControlRef* control = controls.Find(row.control);
    if (!control || !Write(*control, row, TextOf(row, column))) {
      throw std::logic_error("caption table names an unknown text: " + std::string(row.control));
    }
  }
}

void Game::menulinguaClick() {
  Lingua = Lingua == "it" ? "en" : "it";
  LanguageItemTexts item = LanguageItemFor(Lingua);
  controls.menulingua.picture = (CartellaBase / "noconnect" / item.flagFile).string();
  controls.menulingua.hint = item.tooltip;
  controls.menulingua.caption = item.caption;
  ImpostaLingua();
}

void Game::ImpostaLingua() {
  WriteCaptions(controls, Lingua == "en" ? CaptionColumn::English : CaptionColumn::Italian);
  ShowExplanation(explained_);
}

}  // namespace sudoku

// The caption table's rows for assistive technology, applied by object name.
#include "desktop/accessible_texts.h"

#include <QWidget>

#include "play/captions.h"

namespace sudoku {

void WriteAccessibleTexts(QWidget* root, bool english) {
  for (const CaptionRow& row : CaptionTable()) {
    if (row.kind != CaptionKind::AccessibleName && row.kind != CaptionKind::AccessibleDescription) {
      continue;
    }
    auto* widget = root->findChild<QWidget*>(QString::fromLatin1(row.control));
    if (widget == nullptr) continue;
    const std::string_view latin1 = english ? row.english : row.italian;
    const QString text = QString::fromLatin1(latin1.data(), qsizetype(latin1.size()));
    if (row.kind == CaptionKind::AccessibleName) {
      widget->setAccessibleName(text);
    } else {
      widget->setAccessibleDescription(text);
    }
  }
}

}  // namespace sudoku

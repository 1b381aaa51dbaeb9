// Shows the logic's model of the controls on the widgets: each widget is found by its
// objectName and re-read from the model entry of the same name after every handler.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <string>

#include "play/controls.h"

class QWidget;

namespace sudoku {

class ControlBinder {
 public:
  // root: the window whose children (and actions) carry the control names.
  ControlBinder(QWidget* root, Controls& controls);

  // Brings every bound widget in line with the model.
  void Sync();
  // The widget or action bound to name; null when the window has none.
  QObject* Find(const std::string& name) const;
  // The words a screen reader hears, after the column's caption, for an empty cell of a list.
  void SetNoValueWords(const QString& words);
  // The real timer bound to a Timer entry; null for other names.
  QTimer* TimerOf(const std::string& name) const;

 private:
  struct Cache {
    int left = 0;
    int top = 0;
    std::vector<ListRow> rows;
    std::vector<std::string> items;
  };
  void SyncOne(const std::string& name, const ControlRef& control);

  Controls& controls_;
  std::map<std::string, QPointer<QObject>> widgets_;
  std::map<std::string, QTimer*> timers_;
  std::map<std::string, Cache> caches_;
  QString noValueWords_;
};

// The character a "Webdings" caption stood for, as a symbol a Unicode font has.
QString WebdingsSymbol(const std::string& caption);

}  // namespace sudoku

// Wires the main window to the logic: each widget event runs the handler of the same name
// (control name + event), errors go to the general error report, and the window is re-synced
// from the control model after every handler.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "desktop/control_binder.h"
#include "desktop/qt_translations.h"
#include "play/game.h"

class QPainter;

namespace sudoku {

class TFsudoku;

// Handlers by event name ("Undo1Click", "SudokuTimerTimer", "WQuilloTitleChange", ...).
struct Handlers {
  std::map<std::string, std::function<void()>> plain;
  std::map<std::string, std::function<void(const std::string&)>> withText;
  // Whether the user may leave the tab PageControl1 shows; always when unset.
  std::function<bool()> pageControl1Changing;
  // Run after every handler and sync (the window's own follow-ups, such as a close request).
  std::function<void()> afterSync;
};

// The handlers of the play logic that take no arguments.
void AddGameHandlers(Game& game, Handlers& handlers);

class ShellBinding : public QObject {
  Q_OBJECT
 public:
  ShellBinding(TFsudoku& window, Game& game, Handlers handlers);

  // Runs the named handler, then re-syncs. An event no handler answers is a wiring fault: it is
  // logged, once per name, and nothing runs.
  void Fire(const std::string& event);
  void FireText(const std::string& event, const std::string& text);
  // Whether a handler answers the event, and every event one answers.
  bool Handles(const std::string& event) const;
  std::vector<std::string> HandledEvents() const;
  // Runs any piece of logic the same way.
  void Run(const std::function<void()>& work);
  void Sync();
  ControlBinder& Binder() { return binder_; }

 private:
  void BindMenusAndButtons();
  void BindGrid();
  void BindLists();
  void BindTabs();
  void BindTimersAndPanes();
  void PaintBoardCell(QPainter& painter, int col, int row) const;
  void PaintNotes(QPainter& painter, int col, int row) const;
  // Repaints the cells whose notes or repeat colour changed since the last sync.
  void RefreshNotesAndRepeats();
  // The board cell's words for a screen reader, in the language in use.
  QString DescribeBoardCell(int col, int row) const;
  void ReportUnhandled(const std::string& event);

  TFsudoku& window_;
  Game& game_;
  Handlers handlers_;
  ControlBinder binder_;
  QtTranslations translations_;     // follow Lingua after every handler
  std::string accessibleLanguage_;  // the Lingua the accessible texts were last written in
  int syncing_ = 0;
  std::array<std::uint16_t, 81> notesShown_{};
  std::array<bool, 81> repeatsShown_{};
  std::set<std::string> unhandledReported_;
};

}  // namespace sudoku

// The Dialogs port over Qt: message boxes, the input box, the file dialog, the login window and
// the About box.
#pragma once

#include <QString>
#include <functional>

#include "play/ports.h"

class QWidget;

namespace sudoku {

class AfterCallbacks;

// A Latin-1 text of the logic as shown in a box: "\n\r" (and a lone "\r") become line breaks.
QString BoxText(const std::string& text);

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  void Message(BoxKind kind, const std::string& text) override;
  bool Confirm(const std::string& text) override;
  Answer AskYesNoCancel(const std::string& text) override;
  std::string InputBox(const std::string& caption, const std::string& prompt,
                       const std::string& proposed) override;
  std::optional<std::filesystem::path> OpenFile(const std::filesystem::path& directory) override;
  std::string ShowLogin() override;
  void ShowAbout() override;

  // The two windows the program creates after the main window.
  std::function<std::string()> login;
  std::function<void()> about;
  // Where a message asked for inside a browser callback waits until the callback has returned;
  // null shows it at once.
  AfterCallbacks* later = nullptr;

 private:
  QWidget* owner_;
};

}  // namespace sudoku

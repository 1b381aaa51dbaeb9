// Modal boxes and dialogs of the Dialogs port.
#include "desktop/qt_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include "desktop/after_callbacks.h"
#include "desktop/browser_callback.h"
#include "desktop/web_pane.h"

namespace sudoku {

namespace {

// Runs a modal box brought to the front even where no window manager stacks it: the main
// window's native window may be recreated on top of it while its web panes start up.
int ExecOnTop(QDialog& box) {
  for (int delay : {0, 300, 1000}) {
    QTimer::singleShot(delay, &box, [&box] {
      box.raise();
      box.activateWindow();
    });
  }
  return box.exec();
}

}  // namespace

QString BoxText(const std::string& text) {
  QString shown = FromLatin1(text);
  shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void QtDialogs::Message(BoxKind kind, const std::string& text) {
  // A box is a modal loop: inside the engine's callback it would stall every pane meanwhile.
  if (later != nullptr && BrowserCallback::Active()) {
    later->Post([this, kind, text] { Message(kind, text); });
    return;
  }
  QMessageBox box(owner_);
  box.setWindowTitle(QStringLiteral("Sudoku"));
  box.setTextFormat(Qt::PlainText);
  box.setText(BoxText(text));
  box.setIcon(kind == BoxKind::Error         ? QMessageBox::Critical
              : kind == BoxKind::Information ? QMessageBox::Information
                                             : QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  ExecOnTop(box);
}

namespace {

// A question box with the given buttons, Yes the default; the button chosen.
int AskQuestion(QWidget* owner, const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(owner);
  box.setWindowTitle(QStringLiteral("Sudoku"));
  box.setTextFormat(Qt::PlainText);
  box.setText(BoxText(text));
  box.setIcon(QMessageBox::Question);
  box.setStandardButtons(buttons);
  box.setDefaultButton(QMessageBox::Yes);
  if (buttons.testFlag(QMessageBox::Cancel)) box.setEscapeButton(QMessageBox::Cancel);
  return ExecOnTop(box);
}

}  // namespace

bool QtDialogs::Confirm(const std::string& text) {
  return AskQuestion(owner_, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const std::string& text) {
  const int chosen =
      AskQuestion(owner_, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  return chosen == QMessageBox::Yes  ? Answer::Yes
         : chosen == QMessageBox::No ? Answer::No
                                     : Answer::Cancel;
}

std::string QtDialogs::InputBox(const std::string& caption, const std::string& prompt,
                                const std::string& proposed) {
  bool accepted = false;
  const QString answer = QInputDialog::getText(owner_, FromLatin1(caption), FromLatin1(prompt),
                                               QLineEdit::Normal, FromLatin1(proposed), &accepted);
  return accepted ? ToLatin1(answer) : proposed;
}

std::optional<std::filesystem::path> QtDialogs::OpenFile(const std::filesystem::path& directory) {
  const QString chosen =
      QFileDialog::getOpenFileName(owner_, QString(), QString::fromStdString(directory.string()));
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(chosen.toStdString());
}

std::string QtDialogs::ShowLogin() {
  return login ? login() : std::string("noconnect");
}

void QtDialogs::ShowAbout() {
  if (about) about();
}

}  // namespace sudoku

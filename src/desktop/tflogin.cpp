// The login window's frame.
#include "desktop/tflogin.h"

#include <QTimer>

#include "desktop/web_pane.h"

namespace sudoku {

TFLogin::TFLogin(QWebEngineProfile* profile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FLogin"));
  setWindowTitle(QStringLiteral("Login"));
  resize(571, 268);
  if (profile != nullptr) {
    webConnect_ = new WebPane(profile, this);
    webConnect_->setObjectName(QStringLiteral("WebConnect"));
    webConnect_->setGeometry(0, 0, 571, 268);
  }
}

std::string TFLogin::Exec() {
  exec();
  return ToLatin1(windowTitle());
}

void TFLogin::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (activated) QTimer::singleShot(0, this, [this] { activated(); });
}

}  // namespace sudoku

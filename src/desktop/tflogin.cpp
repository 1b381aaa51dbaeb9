// The login window's frame.
#include "desktop/tflogin.h"

#include <QTimer>
#include <QVBoxLayout>

#include "desktop/web_pane.h"

namespace sudoku {

TFLogin::TFLogin(QWebEngineProfile* profile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FLogin"));
  setWindowTitle(QStringLiteral("Login"));
  resize(571, 268);
  if (profile != nullptr) {
    // The pane fills the window whatever height the login pages ask for.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    webConnect_ = new WebPane(profile, this);
    webConnect_->setObjectName(QStringLiteral("WebConnect"));
    layout->addWidget(webConnect_);
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

// The login window's frame.
#include "desktop/tflogin.h"

#include <QTimer>
#include <QVBoxLayout>

#include "desktop/web_pane.h"
#include "online/login_window.h"

namespace sudoku {

TFLogin::TFLogin(std::function<QWebEngineProfile*()> profile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FLogin"));
  setWindowTitle(QStringLiteral("Login"));
  setFixedSize(kLoginClientWidth, kLoginClientHeight);
  if (profile) {
    // The pane fills the window whatever height the login pages ask for.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    webConnect_ = new WebPane(std::move(profile), this);
    webConnect_->setObjectName(QStringLiteral("WebConnect"));
    layout->addWidget(webConnect_);
  }
}

void TFLogin::Attach(LoginWindow& logic, Runner run) {
  logic_ = &logic;
  run_ = std::move(run);
  if (webConnect_ != nullptr) {
    webConnect_->documentComplete = [this] {
      Handle([this] { logic_->WebConnectDocumentComplete(); });
    };
  }
}

std::string TFLogin::Exec() {
  exec();
  return logic_ != nullptr ? logic_->Caption : std::string("noconnect");
}

void TFLogin::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (logic_ == nullptr) return;
  QTimer::singleShot(0, this, [this] { Handle([this] { logic_->FormActivate(); }); });
}

void TFLogin::reject() {
  if (logic_ != nullptr) logic_->FormClose();
  QDialog::reject();
}

void TFLogin::Handle(const std::function<void()>& handler) {
  if (run_) {
    run_(handler);
  } else {
    handler();
  }
  Sync();
}

void TFLogin::Sync() {
  // The caption of the logic is the result channel; the title bar keeps saying "Login".
  // The heights the pages ask for are the outer frame's; the caption bar takes its share.
  setFixedSize(kLoginClientWidth, logic_->Height - (kLoginHeightShort - kLoginClientHeight));
  if (!logic_->Visible && isVisible()) done(QDialog::Accepted);
}

}  // namespace sudoku

// The login window: a fixed dialog filled by its browser pane; its caption carries the result.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QWebEngineProfile;

namespace sudoku {

class WebPane;

class TFLogin : public QDialog {
  Q_OBJECT
 public:
  // profile: the profile every pane shares; null builds the window without its browser.
  TFLogin(QWebEngineProfile* profile, QWidget* parent = nullptr);

  WebPane* WebConnect() const { return webConnect_; }
  // Shows the window modally and returns its caption once it is closed.
  std::string Exec();
  // Runs when the window is shown (the login logic's activation).
  std::function<void()> activated;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  WebPane* webConnect_ = nullptr;
};

}  // namespace sudoku

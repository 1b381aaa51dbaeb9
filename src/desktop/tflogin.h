// The login window: a fixed dialog over the main window filled by its browser pane, showing what
// its logic decides (height, when to close); the logic's caption carries the result.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QWebEngineProfile;

namespace sudoku {

class LoginWindow;
class WebPane;

class TFLogin : public QDialog {
  Q_OBJECT
 public:
  // Runs a handler of the logic, reporting its errors as every handler's are.
  using Runner = std::function<void(const std::function<void()>&)>;

  // profile: gives the profile every pane shares, once the pane needs the engine; empty builds
  // the window without its browser. parent: the main window, which the login window stays over
  // while it is open.
  TFLogin(std::function<QWebEngineProfile*()> profile, QWidget* parent = nullptr);

  WebPane* WebConnect() const { return webConnect_; }
  void Attach(LoginWindow& logic, Runner run);
  // Shows the window modally and returns its caption once it is closed.
  std::string Exec();
  // The user closes the window (close button or Escape): it is only hidden.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Handle(const std::function<void()>& handler);
  void Sync();

  WebPane* webConnect_ = nullptr;
  LoginWindow* logic_ = nullptr;
  Runner run_;
};

}  // namespace sudoku

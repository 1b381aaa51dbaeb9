// A whole game over the real WebEngine panes, offscreen, talking to a site process; boxes are
// recorded instead of shown, and the login window runs for real with a scripted user.
#pragma once

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "desktop/desktop_app.h"
#include "desktop/qt_settings_store.h"
#include "play/fakes.h"
#include "site_process.h"

namespace sudoku::testing {

// Boxes are recorded; the login window is the real one, and while it is open the test's user
// acts in it.
class PlayerDialogs : public FakeDialogs {
 public:
  std::function<std::string()> showLogin;
  std::string ShowLogin() override {
    ++loginShown;
    return showLogin ? showLogin() : std::string("noconnect");
  }
  bool Shown(const std::string& text) const;
};

// One player: a game folder, a settings file, the program with its own browser profile.
class Player {
 public:
  // pause: the long challenge pauses; null waits for real. realBoxes: the program shows its own
  // boxes (a BoxAnswerer answers them) instead of recording them in dialogs.
  Player(const std::string& siteAddress, const QString& folder, PaintingPause* pause = nullptr,
         bool realBoxes = false);
  ~Player();

  DesktopApp& App() { return *app_; }
  Game& Logic() { return app_->Logic(); }
  ConnectionState& Connection() { return app_->Main().connection; }
  WebPane& LoginPane() { return *app_->Login().WebConnect(); }
  WebPane& Pane(const char* name) { return *app_->Window().Pane(name); }
  void Fire(const char* handler) { app_->Binding().Fire(handler); }
  // Starts the program and answers the connect question; the user acts in the login window
  // (when there is inLogin) and it is closed.
  void Start(bool connect, std::function<void()> inLogin = {});

  PlayerDialogs dialogs;
  bool RealBoxes() const { return realBoxes_; }

 private:
  bool realBoxes_ = false;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<DesktopApp> app_;
};

// Answers the program's real message boxes as a player would: OK, and Yes to a question unless
// yes says otherwise. With progress set, a box waits until progress has moved on since it came
// up (or 8 seconds have passed). Keeps what each box said and whose child it was.
class BoxAnswerer {
 public:
  struct Box {
    std::string text;  // Latin-1, lines joined by "\n"
    QMessageBox::Icon icon;
    QWidget* parent;
  };
  BoxAnswerer();
  std::vector<Box> boxes;
  std::function<bool(const std::string& question)> yes;
  std::function<long()> progress;

 private:
  void Look();
  QTimer timer_;
  QMessageBox* current_ = nullptr;
  long progressAtShow_ = 0;
  QElapsedTimer shown_;
};

// In the login window: registers the user with the address USER@x.it (the site confirms new
// users at once) and waits until the site has said so and the login form is back.
void SignUp(Player& player, const QString& user, const QString& password = "segreto1");
// SignUp, then logs in.
void SignUpAndLogIn(Player& player, const QString& user, const QString& password = "segreto1");
// The login window shows the login form, ready for the user.
bool OnLoginForm(Player& player);

// Waits, handling events, until the condition holds or ms pass; true when it holds.
bool WaitFor(const std::function<bool()>& condition, int ms = 15000);
// Runs a script in the pane's page and waits (bounded) for its value.
QVariant RunScript(WebPane& pane, const QString& script, int ms = 10000);
// Fills the named inputs of the page's first form as a user would and submits it.
void FillAndSubmit(WebPane& pane, const std::vector<std::pair<QString, QString>>& fields);
// Clicks the first link whose address contains the text.
void ClickLink(WebPane& pane, const QString& hrefPart);
// The visible text of the page.
QString PageText(WebPane& pane);

class OnlineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  QTemporaryDir folder;
};

// With a site process of its own over a SQLite file in the test's folder.
class SiteTest : public OnlineTest {
 protected:
  void SetUp() override;
  std::unique_ptr<SiteProcess> site;
};

}  // namespace sudoku::testing

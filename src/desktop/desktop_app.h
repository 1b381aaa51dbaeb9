// The whole program put together: the main window, the ports over Qt, the logic, the binding,
// the login window and the About box, in the order the program creates them.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "challenge/challenge_window.h"
#include "desktop/after_callbacks.h"
#include "desktop/qt_clock.h"
#include "desktop/qt_dialogs.h"
#include "desktop/qt_effects.h"
#include "desktop/qt_painting_pause.h"
#include "desktop/shell_binding.h"
#include "desktop/tfabout.h"
#include "desktop/tflogin.h"
#include "desktop/tfsudoku.h"
#include "desktop/web_pane.h"
#include "online/login_window.h"
#include "online/main_window.h"
#include "online/site_actions.h"
#include "online/web_catalogue.h"

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace sudoku {

struct ShellOptions {
  // False builds the window without web panes (their ports load nothing): offscreen tests.
  bool browsers = true;
  // Replacements of the Qt ports, for tests; null uses the Qt ones.
  Dialogs* dialogs = nullptr;
  SettingsStore* settings = nullptr;
  PaintingPause* pause = nullptr;  // the long challenge pauses
  // The site's base address; empty takes SUDOKU_SITE, else the default.
  std::string siteAddress;
};

class DesktopApp {
 public:
  explicit DesktopApp(const ShellOptions& options);
  ~DesktopApp();

  // The creation step of the main window, with base as CartellaBase.
  void Create(const std::filesystem::path& base);
  void Show();

  TFsudoku& Window() { return *window_; }
  Game& Logic() { return *game_; }
  MainWindow& Main() { return *main_; }
  ChallengeWindow& Challenge() { return *challenge_; }
  ShellBinding& Binding() { return *binding_; }
  TFLogin& Login() { return *login_; }
  LoginWindow& LoginLogic() { return *loginLogic_; }
  QtEffects& EffectsPort() { return *effects_; }

 private:
  void BuildPanes(const std::string& site);
  // The profile every pane shares, made (and the browser engine started) on the first call.
  QWebEngineProfile* Profile();
  // Collections the site sends are saved into the library folder when the user agrees; any
  // other download is refused.
  void HandleDownloads();
  void ReceiveDownload(QWebEngineDownloadRequest* download);
  struct IncomingCollection;
  // Once the user has answered and the download has ended: the file into the library folder
  // and the offer to add its puzzles, or nothing of it kept.
  void Settle(IncomingCollection& incoming);
  // Copy and paste of puzzles as text, importing a file of puzzles, the statistics chart.
  void AddExchangeHandlers(Handlers& handlers);

  QWebEngineProfile* profile_ = nullptr;  // made on demand: see Profile
  NavigationPolicy policy_;
  AfterCallbacks later_;
  std::unique_ptr<TFsudoku> window_;
  std::unique_ptr<QtDialogs> qtDialogs_;
  std::unique_ptr<QtDialogs> loginDialogs_;  // the login window's boxes, its children
  std::unique_ptr<SettingsStore> qtSettings_;
  std::unique_ptr<QtEffects> effects_;
  QtClock clock_;
  std::unique_ptr<Random> random_;
  std::unique_ptr<QtPaintingPause> qtPause_;
  PaintingPause* pause_ = nullptr;
  ChallengeWindow* challenge_ = nullptr;  // main_, with the challenges
  std::unique_ptr<Game> game_;
  std::vector<std::unique_ptr<BrowserPane>> panes_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<WebCatalogue> catalogue_;
  std::unique_ptr<SiteActions> siteActions_;
  ShellBinding* binding_ = nullptr;
  std::unique_ptr<TFLogin> login_;
  std::unique_ptr<LoginWindow> loginLogic_;
  std::unique_ptr<TFAbout> about_;
};

// Called before the application exists. The browser engine draws the site's pages in software
// (as QT_QUICK_BACKEND=software asks), so that no OpenGL context, and no graphics driver, is
// made at start for an engine that may never run. QT_QUICK_BACKEND set by the user keeps the
// engine's own choice.
void ChooseSoftwareRendering();

// The handlers of the main window's life and connection that take no arguments.
void AddMainWindowHandlers(MainWindow& window, Handlers& handlers);
// The handlers of the web catalogue, the collections and the site actions on a puzzle.
void AddSiteHandlers(WebCatalogue& catalogue, SiteActions& actions, Handlers& handlers);

}  // namespace sudoku

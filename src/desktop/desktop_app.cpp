// Composition of the program: which port goes where and how the windows meet the logic.
#include "desktop/desktop_app.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <QWebEngineProfile>
#include <cstdlib>

#include "desktop/challenge_handlers.h"
#include "desktop/qt_browser_pane.h"
#include "desktop/qt_settings_store.h"
#include "desktop/web_pane.h"
#include "online/local_pages.h"

namespace sudoku {

namespace {

std::string SiteAddress(const std::string& chosen) {
  if (!chosen.empty()) return chosen;
  const char* fromEnvironment = std::getenv("SUDOKU_SITE");
  return fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment
                                                                : kDefaultSiteAddress;
}

}  // namespace

void AddMainWindowHandlers(MainWindow& window, Handlers& handlers) {
  auto& h = handlers.plain;
  h["AboutClick"] = [&window] { window.AboutClick(); };
  h["EXIT1Click"] = [&window] { window.EXIT1Click(); };
  h["Connessione1Click"] = [&window] { window.Connessione1Click(); };
  h["CtrlTimerTimer"] = [&window] { window.CtrlTimerTimer(); };
  h["ScaricaSchemaweb1Click"] = [&window] { window.ScaricaSchemaweb1Click(); };
  h["ScaricaSchemaweb2Click"] = [&window] { window.ScaricaSchemaweb2Click(); };
  handlers.withText["WQuilloTitleChange"] = [&window](const std::string& title) {
    window.WQuilloTitleChange(title);
  };
  handlers.pageControl1Changing = [&window] { return window.PageControl1Changing(); };
}

DesktopApp::DesktopApp(const ShellOptions& options) {
  if (options.browsers) {
    profile_ = new QWebEngineProfile(qApp);
    profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  }
  window_ = std::make_unique<TFsudoku>(TFsudoku::Options{options.browsers, profile_});
  qtDialogs_ = std::make_unique<QtDialogs>(window_.get());
  if (options.settings == nullptr) qtSettings_ = std::make_unique<QtSettingsStore>();
  effects_ = std::make_unique<QtEffects>(*window_, [this] {
    if (binding_ != nullptr) binding_->Sync();
  });
  random_ = std::make_unique<SeededRandom>(
      static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
  qtPause_ = std::make_unique<QtPaintingPause>([this] {
    if (binding_ != nullptr) binding_->Sync();
  });
  pause_ = options.pause != nullptr ? options.pause : qtPause_.get();
  Dialogs& dialogs = options.dialogs != nullptr ? *options.dialogs : *qtDialogs_;
  SettingsStore& settings = options.settings != nullptr ? *options.settings : *qtSettings_;
  game_ = std::make_unique<Game>(Ports{dialogs, *effects_, clock_, *random_, settings});
  effects_->reportError = [this](const std::string& text) {
    binding_->Run([this, text] { game_->ReportError(text); });
  };

  login_ = std::make_unique<TFLogin>(profile_);
  const std::string site = SiteAddress(options.siteAddress);
  BuildPanes(site);
  loginLogic_ = std::make_unique<LoginWindow>(main_->panes.WebConnect, dialogs, site);
  main_->toolbarColoriWidth = 93;

  Handlers handlers;
  AddGameHandlers(*game_, handlers);
  AddChallengeHandlers(*challenge_, handlers);
  AddMainWindowHandlers(*main_, handlers);
  handlers.afterSync = [this] {
    if (!main_->closeRequested) return;
    main_->closeRequested = false;
    QTimer::singleShot(0, window_.get(), [this] { window_->close(); });
  };
  binding_ = new ShellBinding(*window_, *game_, std::move(handlers));
  window_->setWindowTitle(FromLatin1(main_->WindowCaption()));

  about_ = std::make_unique<TFAbout>(
      FromLatin1("Tutti i sudoku su " + main_->SiteAddress() + "/sudoku/"), window_.get());
  about_->reportError = effects_->reportError;
  login_->Attach(*loginLogic_, [this](const std::function<void()>& work) { binding_->Run(work); });
  qtDialogs_->login = [this] { return login_->Exec(); };
  qtDialogs_->about = [this] { about_->exec(); };

  window_->activated = [this] {
    window_->move(0, 0);
    QTimer::singleShot(0, window_.get(),
                       [this] { binding_->Run([this] { main_->FormActivate(); }); });
  };
  window_->closing = [this] { binding_->Run([this] { main_->FormClose(); }); };
}

DesktopApp::~DesktopApp() = default;

void DesktopApp::BuildPanes(const std::string& site) {
  auto pane = [this](WebPane* web) -> BrowserPane& {
    if (web != nullptr) {
      panes_.push_back(std::make_unique<QtBrowserPane>(*web));
    } else {
      panes_.push_back(std::make_unique<BlankBrowserPane>());
    }
    return *panes_.back();
  };
  TFsudoku& w = *window_;
  auto challenge = std::make_unique<ChallengeWindow>(
      *game_,
      BrowserPanes{pane(w.Pane("WQuillo")), pane(w.Pane("WBdownload")), pane(w.Pane("WBsoluzione")),
                   pane(w.Pane("WBTrascina")), pane(w.Pane("wbAltriSudoku")),
                   pane(w.Pane("wbSfida")), pane(login_->WebConnect())},
      site, pause_);
  challenge_ = challenge.get();
  main_ = std::move(challenge);
}

void DesktopApp::Create(const std::filesystem::path& base) {
  binding_->Run([this, base] { main_->FormCreate(base); });
}

void DesktopApp::Show() {
  window_->show();
}

}  // namespace sudoku

// Composition of the program: which port goes where and how the windows meet the logic.
#include "desktop/desktop_app.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <cstdlib>

#include "desktop/browser_callback.h"
#include "desktop/challenge_handlers.h"
#include "desktop/qt_browser_pane.h"
#include "desktop/qt_settings_store.h"
#include "desktop/statistics_chart.h"
#include "desktop/web_pane.h"
#include "online/local_pages.h"

namespace sudoku {

namespace {

// Where the site's address is kept in the game's settings, for players of another site.
constexpr const char* kGameSettingsKey = "Software\\Sudoku";
constexpr const char* kSiteAddressValue = "SiteAddress";

// The address chosen by the caller, else SUDOKU_SITE, else the settings' one, else the default.
std::string SiteAddress(const std::string& chosen, SettingsStore& settings) {
  if (!chosen.empty()) return chosen;
  const char* fromEnvironment = std::getenv("SUDOKU_SITE");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
  const std::optional<std::string> saved = settings.Read(kGameSettingsKey, kSiteAddressValue);
  return saved && !saved->empty() ? *saved : kDefaultSiteAddress;
}

// The engine gives every page a renderer process of its own; the panes all show one site, so
// one renderer serves them all. Chosen before the engine starts (it reads its flags once),
// unless the user chose a process model already.
void ShareOneRenderer() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  const QStringList arguments = QCoreApplication::arguments();
  for (const char* model : {"--single-process", "--process-per-site", "--process-per-tab"}) {
    if (flags.contains(model) || arguments.contains(QLatin1String(model))) return;
  }
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --process-per-site").trimmed());
}

}  // namespace

void ChooseSoftwareRendering() {
  if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return;
  }
  qputenv("QT_QUICK_BACKEND", "software");
  // Linking the engine asks for a context shared by every window, made as the application
  // starts; nothing needs it now, and on X no OpenGL is offered to make it with.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, false);
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "none");
}

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
  for (const char* pane :
       {"WQuillo", "WBdownload", "WBsoluzione", "WBTrascina", "wbAltriSudoku", "wbSfida"}) {
    handlers.withText[std::string(pane) + "NavigateError"] = [&window](const std::string& address) {
      window.PaneNavigateError(address);
    };
  }
}

void AddSiteHandlers(WebCatalogue& catalogue, SiteActions& actions, Handlers& handlers) {
  auto& h = handlers.plain;
  h["wbAltriSudokuDocumentComplete"] = [&catalogue] { catalogue.wbAltriSudokuDocumentComplete(); };
  h["SBApplicaFiltriClick"] = [&catalogue] { catalogue.SBApplicaFiltriClick(); };
  h["RBTuttiClick"] = [&catalogue] { catalogue.RBTuttiClick(); };
  h["RBSimmetriciClick"] = [&catalogue] { catalogue.RBSimmetriciClick(); };
  h["RGnbaseClick"] = [&catalogue] { catalogue.RGnbaseClick(); };
  h["CBMeseChange"] = [&catalogue] { catalogue.CBMeseChange(); };
  h["CBAnnoChange"] = [&catalogue] { catalogue.CBAnnoChange(); };
  h["SBAvantiWBClick"] = [&catalogue] { catalogue.SBAvantiWBClick(); };
  h["SBIndietroWBClick"] = [&catalogue] { catalogue.SBIndietroWBClick(); };
  h["SBLoadFromWebClick"] = [&catalogue] { catalogue.SBLoadFromWebClick(); };
  handlers.withText["WBTrascinaTitleChange"] = [&catalogue](const std::string& title) {
    catalogue.WBTrascinaTitleChange(title);
  };
  handlers.withText["WBdownloadBeforeNavigate2"] = [&catalogue](const std::string& address) {
    catalogue.WBdownloadBeforeNavigate2(address);
  };
  h["vedisoluzioneClick"] = [&actions] { actions.vedisoluzioneClick(); };
  h["VotaClick"] = [&actions] { actions.VotaClick(); };
  h["BStampaClick"] = [&actions] { actions.BStampaClick(); };
  h["WBsoluzioneDocumentComplete"] = [&actions] { actions.WBsoluzioneDocumentComplete(); };
  h["Soluzione1Click"] = [&actions] { actions.Soluzione1Click(); };
  h["Vota1Click"] = [&actions] { actions.Vota1Click(); };
  h["Stampa1Click"] = [&actions] { actions.Stampa1Click(); };
  h["Pubblica1Click"] = [&actions] { actions.Pubblica1Click(); };
  h["Istruzioni1Click"] = [&actions] { actions.Istruzioni1Click(); };
}

DesktopApp::DesktopApp(const ShellOptions& options) {
  std::function<QWebEngineProfile*()> profile;
  if (options.browsers) profile = [this] { return Profile(); };
  window_ = std::make_unique<TFsudoku>(TFsudoku::Options{options.browsers, profile});
  qtDialogs_ = std::make_unique<QtDialogs>(window_.get());
  qtDialogs_->later = &later_;
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

  // The login window belongs to the main window: it stays over it, and its boxes over itself.
  login_ = std::make_unique<TFLogin>(profile, window_.get());
  loginDialogs_ = std::make_unique<QtDialogs>(login_.get());
  loginDialogs_->later = &later_;
  const std::string site = SiteAddress(options.siteAddress, settings);
  policy_.site = QUrl(FromLatin1(site));
  for (const auto& [name, pane] : window_->Panes()) pane->SetPolicy(&policy_);
  if (login_->WebConnect() != nullptr) login_->WebConnect()->SetPolicy(&policy_);
  BuildPanes(site);
  loginLogic_ = std::make_unique<LoginWindow>(
      main_->panes.WebConnect, options.dialogs != nullptr ? dialogs : *loginDialogs_, site);
  main_->toolbarColoriWidth = 93;
  catalogue_ = std::make_unique<WebCatalogue>(*main_);
  siteActions_ = std::make_unique<SiteActions>(*main_);

  Handlers handlers;
  AddGameHandlers(*game_, handlers);
  AddChallengeHandlers(*challenge_, handlers);
  AddMainWindowHandlers(*main_, handlers);
  AddSiteHandlers(*catalogue_, *siteActions_, handlers);
  AddExchangeHandlers(handlers);
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
  qtDialogs_->login = [this] {
    binding_->Sync();  // the menus as the logic leaves them while the window is open
    return login_->Exec();
  };
  qtDialogs_->about = [this] { about_->exec(); };

  window_->activated = [this] {
    QTimer::singleShot(0, window_.get(),
                       [this] { binding_->Run([this] { main_->FormActivate(); }); });
  };
  window_->mayClose = [this] {
    bool allowed = true;
    binding_->Run([&] { allowed = main_->FormCloseQuery(); });
    return allowed;
  };
  window_->closing = [this] { binding_->Run([this] { main_->FormClose(); }); };
}

QWebEngineProfile* DesktopApp::Profile() {
  if (profile_ != nullptr) return profile_;
  ShareOneRenderer();
  profile_ = new QWebEngineProfile(qApp);
  profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  // An address that cannot be reached brings no error page of the browser's own: the game
  // says what happened, in its words.
  profile_->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  HandleDownloads();
  return profile_;
}

void DesktopApp::AddExchangeHandlers(Handlers& handlers) {
  auto& h = handlers.plain;
  h["CopiaSchema1Click"] = [this] {
    QGuiApplication::clipboard()->setText(FromLatin1(game_->CopiaSchemaText()));
  };
  h["IncollaSchema1Click"] = [this] {
    game_->IncollaSchemaText(ToLatin1(QGuiApplication::clipboard()->text()));
  };
  h["ImportaSchemi1Click"] = [this] { game_->ImportaSchemi1Click(); };
  h["GraficoStatistiche1Click"] = [this] {
    StatisticsChart chart(ReadSolveSeries(game_->CartellaBase), game_->Lingua == "en",
                          window_.get());
    chart.exec();
  };
}

void DesktopApp::HandleDownloads() {
  if (profile_ == nullptr) return;
  QObject::connect(profile_, &QWebEngineProfile::downloadRequested, window_.get(),
                   [this](QWebEngineDownloadRequest* download) { ReceiveDownload(download); });
}

// A collection on its way into the library folder, under a hidden name until it has ended and
// the user has agreed.
struct DesktopApp::IncomingCollection {
  QWebEngineDownloadRequest* download = nullptr;
  std::string name;
  std::filesystem::path partial, target;
  bool answered = false, wanted = false, settled = false;
};

void DesktopApp::ReceiveDownload(QWebEngineDownloadRequest* download) {
  BrowserCallback inside;
  const std::string address = ToLatin1(download->url().toString());
  bool collection = false;
  binding_->Run([&] { collection = catalogue_->IsCollectionDownload(address); });
  if (!collection) {
    download->cancel();
    return;
  }
  auto incoming = std::make_shared<IncomingCollection>();
  incoming->download = download;
  incoming->name = ToLatin1(download->downloadFileName());
  const std::filesystem::path folder = game_->CartellaBase / "temi";
  incoming->target = folder / incoming->name;
  incoming->partial = folder / ("." + incoming->name + ".part");
  download->setDownloadDirectory(QString::fromStdString(folder.string()));
  download->setDownloadFileName(QString::fromStdString(incoming->partial.filename().string()));
  QObject::connect(download, &QWebEngineDownloadRequest::isFinishedChanged, window_.get(),
                   [this, incoming] {
                     if (!incoming->download->isFinished()) return;
                     later_.Post([this, incoming] { Settle(*incoming); });
                   });
  download->accept();
  // The question waits until the engine's callback has returned.
  later_.Post([this, incoming] {
    binding_->Run(
        [&] { incoming->wanted = catalogue_->CollectionDownloadRequested(incoming->name); });
    incoming->answered = true;
    if (!incoming->wanted) incoming->download->cancel();
    Settle(*incoming);
  });
}

void DesktopApp::Settle(IncomingCollection& incoming) {
  if (incoming.settled || !incoming.answered || !incoming.download->isFinished()) return;
  incoming.settled = true;
  const bool completed = incoming.download->state() == QWebEngineDownloadRequest::DownloadCompleted;
  std::error_code error;
  if (incoming.wanted && completed)
    std::filesystem::rename(incoming.partial, incoming.target, error);
  const bool saved = incoming.wanted && completed && !error;
  if (!saved) std::filesystem::remove(incoming.partial, error);
  if (!incoming.wanted) return;
  binding_->Run([&] {
    if (saved) {
      catalogue_->CollectionDownloaded(incoming.target);
    } else {
      catalogue_->CollectionDownloadFailed(incoming.partial);
    }
  });
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
  policy_.localPages = QString::fromStdString((base / "noconnect").string());
  binding_->Run([this, base] { main_->FormCreate(base); });
}

void DesktopApp::Show() {
  window_->PlaceAtTopLeft();
  window_->show();
}

}  // namespace sudoku

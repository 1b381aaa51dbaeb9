// Creation, activation, the connection set-ups and shutdown of the main window.
#include "online/main_window.h"

#include <string_view>
#include <utility>

#include "online/local_pages.h"
#include "online/login_result.h"
#include "online/query_value.h"
#include "play/captions.h"

namespace sudoku {
namespace {

constexpr const char* kOfflineSetup = "Configurazione OFFLINE\n\rOffline Setup";

// A date or time in one of the formats of FormatSettings: dd, mm, yyyy, hh, nn, ss, and "/"
// and ":" standing for the separators.
std::string FormatDateTime(const std::string& format, const DateTime& t, const FormatSettings& f) {
  auto two = [](int n) { return std::string(1, char('0' + n / 10 % 10)) + char('0' + n % 10); };
  std::string text;
  for (std::size_t i = 0; i < format.size();) {
    std::string_view rest = std::string_view(format).substr(i);
    if (rest.starts_with("yyyy")) {
      text += std::to_string(t.year);
      i += 4;
      continue;
    }
    std::string_view pair = rest.substr(0, 2);
    int value = pair == "dd"   ? t.day
                : pair == "mm" ? t.month
                : pair == "hh" ? t.hour
                : pair == "nn" ? t.minute
                : pair == "ss" ? t.second
                               : -1;
    if (value >= 0) {
      text += two(value);
      i += 2;
      continue;
    }
    text += rest[0] == '/' ? f.DateSeparator : rest[0] == ':' ? f.TimeSeparator : rest[0];
    ++i;
  }
  return text;
}

void Disable(MenuItem& item) {
  item.enabled = false;
}

}  // namespace

MainWindow::MainWindow(Game& g, const BrowserPanes& p, std::string siteAddress)
    : game(g), panes(p), siteAddress_(std::move(siteAddress)) {
  while (!siteAddress_.empty() && siteAddress_.back() == '/') siteAddress_.pop_back();
}

std::string MainWindow::WindowCaption() const {
  return "Sudoku " + siteAddress_ + "/sudoku/";
}

std::string MainWindow::SiteUrl(const std::string& path) const {
  return siteAddress_ + path;
}

bool MainWindow::IsSiteAddress(const std::string& address) const {
  const std::string lower = LowerAscii(address.substr(0, siteAddress_.size() + 1));
  return !siteAddress_.empty() && lower == LowerAscii(siteAddress_) + "/";
}

void MainWindow::FormCreate(const std::filesystem::path& workingDirectory) {
  game.CartellaBase = workingDirectory;
  // The language item shows the flag of the language it offers.
  game.controls.menulingua.picture =
      (workingDirectory / "noconnect" / LanguageItemFor("it").flagFile).string();
  connection.Marcatore = "quillo";
  DateTime today = game.clock.Now();
  game.Anno = std::uint16_t(today.year);
  game.Mese = std::uint16_t(today.month);
  game.Giorno = std::uint16_t(today.day);
  ScorrimentoX = ScorrimentoY = 0;
  game.SfidaInCorso = false;
  savedSettings = SaveBrowserSettings(game.settings);
  ApplyBrowserSettings(game.settings, savedSettings);
  game.AzzeraGioco();
  tooltipsOn = true;
}

void MainWindow::FormActivate() {
  game.Lingua = "it";
  game.StampaInAttesa = false;
  connection.Connesso = false;
  connection.Registrato = false;
  game.Utente.clear();
  connection.DatiUtente.clear();
  PlaceColourBar();

  bool connect = game.dialogs.Confirm("Vuoi effettuare la connessione su " + siteAddress_ +
                                      "?\n\r\n\rDo you want to connect to " + siteAddress_);
  if (!connect) {
    connection.Connesso = false;
    connection.Registrato = false;
    ShowOffline();
    return;
  }
  ProcessLoginResult(true);
}

void MainWindow::PlaceColourBar() {
  Controls& c = game.controls;
  c.toolbarColori.left = kGridLeft + kGridWidth / 2 - toolbarColoriWidth / 2;
  c.toolbarColori.top = kGridTop + kGridHeight + 1;
  c.ShGiallo.circle = true;
  c.ShRosso.circle = c.ShAqua.circle = c.ShVerde.circle = false;
}

bool MainWindow::FormCloseQuery() {
  return game.OfferToSaveGame();
}

void MainWindow::FormClose() {
  closed_ = true;
  if (connection.Connesso) SignOffChallenge();
  for (BrowserPane* pane : {&panes.WQuillo, &panes.WBdownload, &panes.WBsoluzione,
                            &panes.WBTrascina, &panes.wbAltriSudoku, &panes.wbSfida}) {
    BlankAndStop(*pane);
  }
  panes.WebConnect.Stop();
  RestoreBrowserSettings(game.settings, savedSettings);
}

bool MainWindow::PageControl1Changing() const {
  const Controls& c = game.controls;
  return c.PageControl1.activePage == "TSHelp" || c.Opzioni1.enabled;
}

void MainWindow::AboutClick() {
  game.dialogs.ShowAbout();
}

void MainWindow::EXIT1Click() {
  closeRequested = true;
}

void MainWindow::Connessione1Click() {
  ProcessLoginResult(false);
}

void MainWindow::ProcessLoginResult(bool atStartUp) {
  if (!atStartUp && connection.Registrato) {
    game.dialogs.Message(BoxKind::Plain, "Sei gi\xE0 connesso\n\rYou are currently connected");
    ApplyConnectionState(ConnectionSetup::Connected);
    return;
  }
  // One login window at a time: its command is off while it is open.
  if (loginOpen_) return;
  struct LoginOpen {
    MainWindow& w;
    bool wasEnabled;
    explicit LoginOpen(MainWindow& window)
        : w(window), wasEnabled(window.game.controls.Connessione1.enabled) {
      w.loginOpen_ = true;
      w.game.controls.Connessione1.enabled = false;
    }
    ~LoginOpen() {
      w.loginOpen_ = false;
      w.game.controls.Connessione1.enabled = wasEnabled;
    }
  };
  std::string caption;
  {
    LoginOpen open(*this);
    caption = game.dialogs.ShowLogin();
  }
  LoginResult result = ParseLoginResult(caption);
  game.Utente = result.utente;
  if (result.hasFields) {
    nAttesa = result.nAttesa;
    nCorso = result.nCorso;
    connection.DatiUtente = result.datiUtente;
    connection.Registrato = result.registrato;
  }
  connection.OpzioniNavigazione = kNavigationFlags;
  if (game.Utente == kNoConnect) {
    connection.Connesso = false;
    connection.Registrato = false;
    ShowOffline();
    return;
  }
  connection.Connesso = true;
  if (game.Utente == kAnonymousMarker || game.Utente == "login") {
    connection.Registrato = false;
    game.Utente.clear();
  } else {
    connection.Registrato = game.Utente.size() > 3;
    if (atStartUp && connection.Registrato) PollChallengeState();
  }
  ApplyConnectionState(ConnectionSetup::Connected);
}

void MainWindow::ShowOffline() {
  game.dialogs.Message(BoxKind::Plain, kOfflineSetup);
  ApplyConnectionState(ConnectionSetup::Offline);
}

void MainWindow::ShowSelectPage(const char* innerPage) {
  Controls& c = game.controls;
  c.PageControl1.activePage = "TSSudokuFile";
  bool listShown = std::string(innerPage) == "TSLocale" && c.PageControl2.activePage != innerPage;
  c.PageControl2.activePage = innerPage;
  if (listShown) game.AggiornaElenco();
}

void MainWindow::DisableSolvingCommands() {
  Controls& c = game.controls;
  for (MenuItem* item : {&c.SoluzionePassoPasso1, &c.SoluzioneAutomatica, &c.SuggerisciNumero,
                         &c.NumeroSoluzioni1, &c.Pubblica1}) {
    Disable(*item);
  }
  c.MostraCandidati.checked = false;
  c.MostraCandidati.enabled = false;
  c.RiempiNote1.enabled = false;  // the candidates as notes go with the candidates
}

void MainWindow::ApplyConnectionState(ConnectionSetup setup) {
  Controls& c = game.controls;
  if (setup == ConnectionSetup::Offline) {
    panes.WQuillo.Navigate(LocalPageUrl(game.CartellaBase, "sudoku.html"));
    std::string notice = LocalPageUrl(game.CartellaBase, "in-paese.html");
    panes.WBsoluzione.Navigate(notice);
    panes.WBdownload.Navigate(notice);
    panes.WBTrascina.Navigate(notice);
    // Offline the challenge pane says how challenges are played instead of staying blank.
    panes.wbSfida.Navigate(LocalPageUrl(game.CartellaBase, "sfida.html"));
    DisableSolvingCommands();
    for (MenuItem* item : {&c.Opzioni1, &c.CreaSudoku1, &c.sfida, &c.menuhelp, &c.ScaricaSchemaweb2,
                           &c.ScaricaSchemaweb1, &c.LanciaSfida, &c.AccettaSfida, &c.AbbandonaSfida,
                           &c.Classifica}) {
      Disable(*item);
    }
    c.SBLancia.enabled = c.SBAbbandona.enabled = c.SBAccetta.enabled = false;
    c.TimerOnLogin.enabled = false;
    ShowSelectPage("TSLocale");
    return;
  }

  c.menuhelp.enabled = true;
  if (connection.Registrato) {
    for (MenuItem* item :
         {&c.SoluzionePassoPasso1, &c.SoluzioneAutomatica, &c.SuggerisciNumero, &c.LanciaSfida,
          &c.Classifica, &c.NumeroSoluzioni1, &c.Pubblica1, &c.MostraCandidati, &c.Opzioni1,
          &c.CreaSudoku1, &c.sfida, &c.ScaricaSchemaweb2, &c.ScaricaSchemaweb1,
          &c.MostraTuttiiCandidati1, &c.EvidenziaErrore, &c.Seganalanosoluzioni, &c.RiempiNote1}) {
      item->enabled = true;
    }
    c.AccettaSfida.enabled = nAttesa >= 1;
    c.AbbandonaSfida.enabled = false;
    if (!game.SfidaInCorso) c.TimerOnLogin.enabled = true;
  }
  panes.WBdownload.Navigate(SiteUrl(DownloadListAddress()), kNavigationFlags);
  const std::string& number = c.ENumeroSchema.text;
  panes.WBsoluzione.Navigate(SiteUrl("/sudoku/gioco-offline/vota-sudoku.asp" +
                                     (number.empty() ? "" : "?num=" + QueryValue(number))),
                             kNavigationFlags);
  panes.WQuillo.Navigate(SiteUrl(LobbyPath()));
  panes.WBTrascina.Navigate(
      SiteUrl("/sudoku/gioco-offline/sudoku-select-new.asp?of=" + std::to_string(game.Anno) + "_" +
              std::to_string(game.Mese) + "_T_00_1_" + QueryValue(connection.Marcatore)));
  ShowSelectPage("TSTrascina");
  PollChallengeState();
}

std::string MainWindow::LobbyPath() const {
  return "/sudoku/sfida-online/sudoku-space.asp?" +
         (connection.Registrato ? "who=" + QueryValue(game.Utente) : std::string());
}

std::string MainWindow::DownloadListAddress() const {
  const std::string path = "/sudoku/download/file-download-list.asp?when=";
  if (connection.Registrato)
    return path + QueryValue(connection.DatiUtente) + "&who=" + QueryValue(game.Utente);
  const DateTime now = game.clock.Now();
  const FormatSettings& f = game.Formati;
  return path +
         QueryValue(FormatDateTime(f.ShortDateFormat, now, f) + " " +
                    FormatDateTime(f.LongTimeFormat, now, f)) +
         "&who=Anonimo";
}

void MainWindow::CtrlTimerTimer() {
  if (connection.Registrato || connection.Connesso) return;
  if (LowerAscii(panes.WQuillo.LocationURL()).find("sudoku.html") != std::string::npos) return;
  ApplyConnectionState(ConnectionSetup::Offline);
}

void MainWindow::PaneNavigateError(const std::string& address) {
  if (closed_ || !connection.Connesso || !IsSiteAddress(address)) return;
  SiteLost();
}

void MainWindow::SiteLost() {
  game.dialogs.Message(BoxKind::Plain, "Connessione inesistente");
  game.Utente = kNoConnect;
  connection.Connesso = false;
  connection.Registrato = false;
  ShowOffline();
}

void MainWindow::WQuilloTitleChange(const std::string& title) {
  if (LowerAscii(title).find("sudoku") != std::string::npos) return;
  DisableSolvingCommands();
  connection.Connesso = false;
}

void MainWindow::ScaricaSchemaweb1Click() {
  BrowseSitePuzzles("TSwwwquillo");
}

void MainWindow::ScaricaSchemaweb2Click() {
  BrowseSitePuzzles("TSTrascina");
}

void MainWindow::BrowseSitePuzzles(const char* innerPage) {
  if (connection.Connesso) {
    ShowSelectPage(innerPage);
    return;
  }
  game.dialogs.Message(BoxKind::Plain,
                       game.Tr("Effettua la connessione per navigare fra i sudoku di quillo",
                               "Make the connection to browse through quillo's sudoku"));
  Connessione1Click();
}

bool MainWindow::RegisteredOrAsked(const std::string& italianPurpose,
                                   const std::string& englishPurpose) {
  if (connection.Registrato) return true;
  const std::string italian = "E' necessario essere connessi con la propria USER " +
                              italianPurpose + "\n\rRicordiamo che la registrazione \xE8 gratis.";
  const std::string english = "You must be connected with your USER " + englishPurpose +
                              "\n\rLet us remember that registration is free.";
  game.dialogs.Message(BoxKind::Plain, game.Tr(italian.c_str(), english.c_str()));
  Connessione1Click();
  return false;
}

}  // namespace sudoku

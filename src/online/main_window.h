// The main window's life and connection: creation, the connect question at activation, the
// offline and connected set-ups, the watchdog, the tab guard and shutdown. It drives the one
// Game and the browser panes; the online and challenge layers extend it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "online/browser_pane.h"
#include "online/browser_settings.h"
#include "online/connection_state.h"
#include "play/game.h"

namespace sudoku {

// The main window's browser panes and the login window's, owned by the shell.
struct BrowserPanes {
  BrowserPane& WQuillo;        // site pane of the challenge panel
  BrowserPane& WBdownload;     // collections to download
  BrowserPane& WBsoluzione;    // online solution and votes
  BrowserPane& WBTrascina;     // web catalogue
  BrowserPane& wbAltriSudoku;  // other puzzles beside the catalogue
  BrowserPane& wbSfida;        // challenge pane
  BrowserPane& WebConnect;     // the login window's pane
};

enum class ConnectionSetup { Offline, Connected };

// Where the colour-swatch bar goes: centred under the grid.
inline constexpr int kGridLeft = 21, kGridTop = 52, kGridWidth = 333, kGridHeight = 333;

// How the shell drives it: FormCreate(current directory) once the widgets exist; FormActivate
// when the window is first shown; FormClose when it closes (after EXIT1Click has set
// closeRequested, or from the title bar); CtrlTimerTimer on each CtrlTimer tick while
// controls.CtrlTimer.enabled; WQuilloTitleChange on each title of that pane;
// PageControl1Changing before the user leaves a tab of PageControl1 (false keeps the tab);
// PaneNavigateError when one of the six panes could not reach an address at all.
class MainWindow {
 public:
  // siteAddress: the site's base address without a trailing "/", e.g. "http://127.0.0.1:8642".
  MainWindow(Game& game, const BrowserPanes& panes, std::string siteAddress);
  virtual ~MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Game& game;
  BrowserPanes panes;

  // State of this window beside the Game's.
  ConnectionState connection;
  BrowserSettings savedSettings;  // DebuggerSalvato, DebuggerIESalvato, SuonoNavigazioneSalvato
  std::int32_t ScorrimentoX = 0, ScorrimentoY = 0;  // scroll of the secondary catalogue pane
  std::int32_t nAttesa = 0, nCorso = 0;             // from the last login result
  bool tooltipsOn = false;                          // tooltips for the whole application
  int toolbarColoriWidth = 100;  // the swatch bar's width, set by the shell before activation
  bool closeRequested = false;   // the shell closes the window (and runs FormClose) when set

  const std::string& SiteAddress() const { return siteAddress_; }
  // The window's caption: "Sudoku" and the address of the site's sudoku pages.
  std::string WindowCaption() const;
  // An absolute address on the site for a path beginning with "/".
  std::string SiteUrl(const std::string& path) const;
  // Whether an address is one of the site's pages (its own scheme, host and port).
  bool IsSiteAddress(const std::string& address) const;

  // ---- Life of the window.
  void FormCreate(const std::filesystem::path& workingDirectory);
  void FormActivate();
  // Whether the window may close: a game in progress is offered to be saved first.
  bool FormCloseQuery();
  void FormClose();
  // Whether the user may leave the tab PageControl1 shows.
  bool PageControl1Changing() const;
  void AboutClick();
  void EXIT1Click();

  // ---- Connection.
  void Connessione1Click();  // ProcessLoginResult
  void ApplyConnectionState(ConnectionSetup setup);
  void CtrlTimerTimer();
  void WQuilloTitleChange(const std::string& title);
  void ScaricaSchemaweb1Click();
  void ScaricaSchemaweb2Click();
  // Whether a registered user is connected. Otherwise a box says that one must be connected with
  // one's USER for the purpose (Italian and English words after "USER"), and the connection
  // command runs.
  bool RegisteredOrAsked(const std::string& italianPurpose, const std::string& englishPurpose);
  void PaneNavigateError(const std::string& address);

 protected:
  // The site stopped answering while the game was connected: says so and goes offline as a
  // start-up without a site does.
  virtual void SiteLost();
  // Hooks of the challenge layer: one poll of the challenge state, and signing a connected
  // user off the challenge system at close. Both do nothing here.
  virtual void PollChallengeState() {}
  virtual void SignOffChallenge() {}
  // The path of the challenge lobby that WQuillo shows, naming a registered user.
  std::string LobbyPath() const;

 private:
  // Runs the login and applies its answer. At start-up the "already connected" check is skipped
  // and a registered user gets one challenge poll before the connected set-up.
  void ProcessLoginResult(bool atStartUp);
  void ShowOffline();
  void ShowSelectPage(const char* innerPage);
  // The select page of the site's puzzles on that inner tab when connected; else the connection
  // is offered.
  void BrowseSitePuzzles(const char* innerPage);
  void PlaceColourBar();
  void DisableSolvingCommands();
  std::string DownloadListAddress() const;

  std::string siteAddress_;
  bool loginOpen_ = false;  // the login window is up: the connection command waits for it
  bool closed_ = false;
};

}  // namespace sudoku

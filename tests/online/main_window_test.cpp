// The main window's online side: creation, the connect question, the offline and connected
// set-ups, the watchdog, the title check, the web commands and shutdown.
#include <gtest/gtest.h>

#include <set>

#include "main_window_fixture.h"
#include "online/local_pages.h"
#include "online/login_result.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;
using testing::ShownMessage;

const std::pair<std::string, std::string> kDebugger{kBrowserMainKey, kDebuggerValue};
const std::pair<std::string, std::string> kSound{kNavigationSoundKey, kDefaultValue};
const std::string kSite = "http://127.0.0.1:8642/sudoku/";

// The browser values saved and written back are the desktop exit test's, through the real store.
TEST(StartUpTest, AnsweringNoSetsUpOfflineWithoutTheLoginAndAnUnreadableSoundRestoresNothing) {
  MainWindowFixture<> f;
  int files = 0;  // the shipped sample puzzles: each one listed, every level among them
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(SUDOKU_SOURCE_DIR) / "assets/temi"))
    files += std::filesystem::copy_file(entry.path(), f.base / "temi" / entry.path().filename());
  f.settings.values[kDebugger] = "no";
  f.game.Lingua = "en";
  f.game.controls.MostraCandidati.checked = true;
  f.window.toolbarColoriWidth = 101;
  f.Start(false);

  EXPECT_EQ(f.dialogs.confirmations,
            std::vector<std::string>{"Vuoi effettuare la connessione su http://127.0.0.1:8642?"
                                     "\n\r\n\rDo you want to connect to http://127.0.0.1:8642"});
  EXPECT_EQ(f.dialogs.loginShown, 0);
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Configurazione OFFLINE\n\rOffline Setup");
  EXPECT_EQ(f.wbSfida.LastAddress(), f.LocalPage("sfida.html"));
  const Controls& c = f.game.controls;
  EXPECT_FALSE(c.Opzioni1.enabled || c.sfida.enabled || c.ScaricaSchemaweb1.enabled ||
               c.MostraCandidati.enabled || c.MostraCandidati.checked || c.TimerOnLogin.enabled ||
               c.RiempiNote1.enabled);
  EXPECT_EQ(std::pair(c.toolbarColori.left, c.toolbarColori.top), std::pair(137, 386));
  std::set<std::string> levels;
  for (const ListRow& row : c.LVsudoku.rows) levels.insert(row.subItems.at(3));
  EXPECT_EQ(int(c.LVsudoku.rows.size()), files);
  EXPECT_EQ(levels, (std::set<std::string>{"1", "2", "3", "4", "5"}));

  f.window.FormClose();
  EXPECT_EQ(f.settings.values[kDebugger], "yes");
  EXPECT_EQ(f.settings.values.count(kSound), 0u);
}

TEST(ConnectionTest, TheConnectedSetUpForARegisteredAndAnAnonymousUser) {
  MainWindowFixture<> f;
  f.Start(false);
  f.window.connection.Connesso = f.window.connection.Registrato = true;
  f.window.nAttesa = 1;
  f.game.controls.ENumeroSchema.text = "123";
  f.window.ApplyConnectionState(ConnectionSetup::Connected);
  EXPECT_EQ(f.WBsoluzione.navigations.back(),
            std::pair(kSite + "gioco-offline/vota-sudoku.asp?num=123", 14));
  const Controls& c = f.game.controls;
  EXPECT_TRUE(c.Opzioni1.enabled && c.AccettaSfida.enabled && c.TimerOnLogin.enabled &&
              c.RiempiNote1.enabled);
  EXPECT_FALSE(c.AbbandonaSfida.enabled);

  MainWindowFixture<> anonymous;  // named by the time, in the process format
  anonymous.window.connection.Connesso = true;
  anonymous.clock.now = {2026, 12, 6, 8, 5, 9, 0};
  anonymous.window.ApplyConnectionState(ConnectionSetup::Connected);
  const std::string list = kSite + "download/file-download-list.asp?when=";
  EXPECT_EQ(anonymous.WBdownload.LastAddress(), list + "06%2F12%2F2026%2008%3A05%3A09&who=Anonimo");
  anonymous.game.Formati.UseDayMonthYearDashes();
  anonymous.window.ApplyConnectionState(ConnectionSetup::Connected);
  EXPECT_EQ(anonymous.WBdownload.LastAddress(), list + "06-12-2026%2008-05-09&who=Anonimo");
  EXPECT_EQ(anonymous.WQuillo.LastAddress(), kSite + "sfida-online/sudoku-space.asp?");
  EXPECT_FALSE(anonymous.game.controls.Opzioni1.enabled);
}

TEST(ConnectionTest, WatchdogTitleCheckAndWebCommandsFollowTheConnection) {
  MainWindowFixture<> f;
  Controls& c = f.game.controls;
  f.Start(false);
  f.dialogs.messages.clear();
  f.window.ScaricaSchemaweb2Click();  // offline: asks to connect
  EXPECT_EQ(f.dialogs.messages.at(0).text,
            "Effettua la connessione per navigare fra i sudoku di quillo");
  EXPECT_EQ(f.dialogs.loginShown, 1);
  EXPECT_EQ(c.PageControl2.activePage, "TSLocale");

  c.MostraCandidati.enabled = true;
  f.window.CtrlTimerTimer();                              // still on the local page: nothing to do
  f.WQuillo.Navigate("file:///elsewhere/SUDOKU.HTML?x");  // any case counts
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.LastAddress(), "file:///elsewhere/SUDOKU.HTML?x");
  EXPECT_TRUE(c.MostraCandidati.enabled);
  f.WQuillo.Navigate(kSite + "other.asp");
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(f.WBTrascina.LastAddress(), f.LocalPage("in-paese.html"));
  EXPECT_FALSE(c.MostraCandidati.enabled);

  f.window.connection.Connesso = true;  // a connected user keeps the site's pages and sees the tabs
  f.WQuillo.Navigate(kSite + "other.asp");
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.LastAddress(), kSite + "other.asp");
  f.window.ScaricaSchemaweb2Click();
  EXPECT_EQ(c.PageControl2.activePage, "TSTrascina");
  f.window.ScaricaSchemaweb1Click();
  EXPECT_EQ(c.PageControl2.activePage, "TSwwwquillo");

  c.MostraCandidati.checked = c.MostraCandidati.enabled = c.Pubblica1.enabled = true;
  f.window.WQuilloTitleChange("Quillo's SUDOKU space");
  EXPECT_TRUE(f.window.connection.Connesso && c.MostraCandidati.checked);
  f.window.WQuilloTitleChange("Impossibile visualizzare la pagina");
  EXPECT_FALSE(f.window.connection.Connesso || c.MostraCandidati.checked ||
               c.MostraCandidati.enabled);
  EXPECT_FALSE(c.Pubblica1.enabled);
  EXPECT_TRUE(c.EvidenziaErrore.enabled);
  EXPECT_EQ(f.WQuillo.LastAddress(), kSite + "other.asp");  // no page loaded
}

TEST(ConnectionTest, OneLoginWindowAtATimeAndALostSiteGoesOfflineAsAtStartUp) {
  MainWindowFixture<> f;
  Controls& c = f.game.controls;
  f.Start(false);
  f.dialogs.loginAnswers = {"mario&0&0&&d"};
  f.dialogs.whileLoginShown = [&] {
    EXPECT_FALSE(c.Connessione1.enabled);
    f.window.Connessione1Click();  // reached some other way: nothing happens
  };
  f.window.Connessione1Click();
  EXPECT_EQ(f.dialogs.loginShown, 1);
  EXPECT_TRUE(c.Connessione1.enabled && f.window.connection.Registrato);

  f.dialogs.messages.clear();
  f.window.PaneNavigateError("http://elsewhere:8642/sudoku/x.asp");  // not the site's
  EXPECT_TRUE(f.dialogs.messages.empty());
  f.window.PaneNavigateError(kSite + "sfida-online/lettura-dati-sfida.asp?id=1");
  f.window.PaneNavigateError(kSite + "gioco-offline/vota-sudoku.asp");  // already offline
  EXPECT_EQ(f.dialogs.messages, (std::vector<ShownMessage>{
                                    {BoxKind::Plain, "Connessione inesistente"},
                                    {BoxKind::Plain, "Configurazione OFFLINE\n\rOffline Setup"}}));
  EXPECT_FALSE(f.window.connection.Connesso || f.window.connection.Registrato || c.sfida.enabled ||
               c.TimerOnLogin.enabled);
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(c.PageControl2.activePage, "TSLocale");
}

TEST(LoginResultTest, SplitsFieldsAndForgivesOddOnes) {
  LoginResult r = ParseLoginResult("mario&2&1&x&2026-12-01 10:00");
  EXPECT_EQ(r.utente + "|" + r.datiUtente, "mario|2026-12-01 10:00");
  EXPECT_EQ(std::pair(r.nAttesa, r.nCorso), std::pair(2, 1));
  EXPECT_TRUE(r.registrato);
  EXPECT_FALSE(ParseLoginResult("bob&0&0&&d").registrato);  // 3 characters: not registered
  LoginResult two = ParseLoginResult("mario&dati");
  EXPECT_EQ(two.nAttesa + two.nCorso, 0);
  EXPECT_EQ(two.datiUtente, "dati");
  EXPECT_EQ(ParseLoginResult("mario&x1&99999999999&&d").nCorso, 0);
  EXPECT_EQ(ParseLoginResult("mario&1&2&&" + std::string(150, 'd')).datiUtente.size(), 100u);
  EXPECT_EQ(ParseLoginResult("MaRiO").utente, "mario");
  EXPECT_EQ(FileUrl("/home/a b/\xE8#?"), "file:///home/a%20b/%E8%23%3F");
}

struct SigningOffWindow : MainWindow {
  using MainWindow::MainWindow;
  void SignOffChallenge() override { panes.wbSfida.Navigate("sign-off"); }
};

TEST(ShutdownTest, BlanksAndStopsEveryPaneInOrderAfterSigningOffOnlyWhenConnected) {
  MainWindowFixture<SigningOffWindow> f;
  f.Start(false);
  f.journal.clear();
  f.window.connection.Connesso = true;
  f.window.FormClose();
  std::vector<std::string> order{"wbSfida navigate sign-off"};
  for (std::string pane :
       {"WQuillo", "WBdownload", "WBsoluzione", "WBTrascina", "wbAltriSudoku", "wbSfida"})
    order.insert(order.end(), {pane + " navigate about:blank", pane + " stop"});
  order.push_back("WebConnect stop");
  EXPECT_EQ(f.journal, order);
  MainWindowFixture<SigningOffWindow> offline;
  offline.Start(false);
  offline.journal.clear();
  offline.window.FormClose();
  EXPECT_EQ(offline.journal.at(0), "WQuillo navigate about:blank");
}

}  // namespace
}  // namespace sudoku

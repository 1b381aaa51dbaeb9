// The connection state: watchdog, the site pane's title check, the web commands, the connected
// set-up and the login answer.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "online/local_pages.h"
#include "online/login_result.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;
using testing::ShownMessage;

TEST(WatchdogTest, PutsTheOfflinePagesBackOnceTheSitePaneLeftItsLocalPage) {
  MainWindowFixture<> f;
  f.Start(false);
  f.game.controls.MostraCandidati.enabled = true;
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.navigations.size(), 1u);  // still on the local page: nothing to do
  EXPECT_TRUE(f.game.controls.MostraCandidati.enabled);

  f.WQuillo.Navigate("file:///elsewhere/SUDOKU.HTML?x");  // any case counts
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.navigations.size(), 2u);

  f.WQuillo.Navigate("http://127.0.0.1:8642/sudoku/other.asp");
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(f.WBTrascina.LastAddress(), f.LocalPage("in-paese.html"));
  EXPECT_FALSE(f.game.controls.MostraCandidati.enabled);

  f.game.Connesso = true;  // a connected user keeps the site's pages
  f.WQuillo.Navigate("http://127.0.0.1:8642/sudoku/other.asp");
  f.window.CtrlTimerTimer();
  EXPECT_EQ(f.WQuillo.LastAddress(), "http://127.0.0.1:8642/sudoku/other.asp");
}

TEST(TitleChangeTest, ATitleWithoutSudokuDropsTheConnectionButLoadsNoPage) {
  MainWindowFixture<> f;
  Controls& c = f.game.controls;
  f.game.Connesso = true;
  c.MostraCandidati.checked = true;
  f.window.WQuilloTitleChange("Quillo's SUDOKU space");
  EXPECT_TRUE(f.game.Connesso);
  EXPECT_TRUE(c.MostraCandidati.checked);

  f.window.WQuilloTitleChange("Impossibile visualizzare la pagina");
  EXPECT_FALSE(f.game.Connesso);
  for (const MenuItem* item : {&c.SoluzionePassoPasso1, &c.SoluzioneAutomatica, &c.SuggerisciNumero,
                               &c.NumeroSoluzioni1, &c.Pubblica1, &c.MostraCandidati}) {
    EXPECT_FALSE(item->enabled);
  }
  EXPECT_FALSE(c.MostraCandidati.checked);
  EXPECT_TRUE(c.EvidenziaErrore.enabled);
  EXPECT_TRUE(f.WQuillo.navigations.empty());
}

TEST(WebCommandsTest, ConnectedTheyShowTheirTab) {
  MainWindowFixture<> f;
  f.game.Connesso = true;
  f.window.ScaricaSchemaweb1Click();
  EXPECT_EQ(f.game.controls.PageControl1.activePage, "TSSudokuFile");
  EXPECT_EQ(f.game.controls.PageControl2.activePage, "TSwwwquillo");
  f.window.ScaricaSchemaweb2Click();
  EXPECT_EQ(f.game.controls.PageControl2.activePage, "TSTrascina");
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(WebCommandsTest, OfflineTheyAskToConnectInTheLanguageInUse) {
  MainWindowFixture<> f;
  f.Start(false);
  f.dialogs.messages.clear();
  f.window.ScaricaSchemaweb2Click();
  ASSERT_EQ(f.dialogs.messages.size(), 2u);
  EXPECT_EQ(f.dialogs.messages[0].text,
            "Effettua la connessione per navigare fra i sudoku di quillo");
  EXPECT_EQ(f.dialogs.loginShown, 1);

  f.game.menulinguaClick();
  f.dialogs.messages.clear();
  f.window.ScaricaSchemaweb1Click();
  ASSERT_FALSE(f.dialogs.messages.empty());
  EXPECT_EQ(f.dialogs.messages[0].text, "Make the connection to browse through quillo's sudoku");
  EXPECT_EQ(f.game.controls.PageControl2.activePage, "TSLocale");
}

TEST(ConnectedSetUpTest, ARegisteredUserGetsTheSitePagesAndTheMenus) {
  MainWindowFixture<> f;
  f.Start(false);
  f.game.Connesso = f.game.Registrato = true;
  f.game.Utente = "mario";
  f.game.DatiUtente = "2026-12-01";
  f.window.nAttesa = 1;
  f.game.controls.ENumeroSchema.text = "123";
  f.window.ApplyConnectionState(ConnectionSetup::Connected);

  const std::string site = "http://127.0.0.1:8642";
  EXPECT_EQ(
      f.WBdownload.navigations.back(),
      std::pair(site + "/sudoku/download/file-download-list.asp?when=2026-12-01&who=mario", 14));
  EXPECT_EQ(f.WBsoluzione.navigations.back(),
            std::pair(site + "/sudoku/gioco-offline/vota-sudoku.asp?num=123", 14));
  const Controls& c = f.game.controls;
  EXPECT_TRUE(c.Opzioni1.enabled && c.MostraCandidati.enabled && c.menuhelp.enabled);
  EXPECT_TRUE(c.AccettaSfida.enabled);
  EXPECT_FALSE(c.AbbandonaSfida.enabled);
  EXPECT_TRUE(c.TimerOnLogin.enabled);
  EXPECT_EQ(c.PageControl2.activePage, "TSTrascina");
}

TEST(ConnectedSetUpTest, AnAnonymousUserIsNamedByTheTimeInTheProcessFormat) {
  MainWindowFixture<> f;
  f.game.Connesso = true;
  f.clock.now = {2026, 12, 6, 8, 5, 9, 0};
  f.window.ApplyConnectionState(ConnectionSetup::Connected);
  const std::string list = "http://127.0.0.1:8642/sudoku/download/file-download-list.asp?when=";
  EXPECT_EQ(f.WBdownload.LastAddress(), list + "06%2F12%2F2026%2008%3A05%3A09&who=Anonimo");
  f.game.Formati.UseDayMonthYearDashes();
  f.window.ApplyConnectionState(ConnectionSetup::Connected);
  EXPECT_EQ(f.WBdownload.LastAddress(), list + "06-12-2026%2008-05-09&who=Anonimo");
  EXPECT_EQ(f.WQuillo.LastAddress(), "http://127.0.0.1:8642/sudoku/sfida-online/sudoku-space.asp?");
  EXPECT_FALSE(f.game.controls.Opzioni1.enabled);
}

TEST(LoginResultTest, SplitsFieldsAndForgivesOddOnes) {
  LoginResult r = ParseLoginResult("mario&2&1&x&2026-12-01 10:00");
  EXPECT_EQ(r.utente, "mario");
  EXPECT_EQ(r.nAttesa, 2);
  EXPECT_EQ(r.nCorso, 1);
  EXPECT_EQ(r.datiUtente, "2026-12-01 10:00");
  EXPECT_TRUE(r.registrato);
  EXPECT_FALSE(ParseLoginResult("bob&0&0&&d").registrato);  // 3 characters: not registered
  LoginResult two = ParseLoginResult("mario&dati");
  EXPECT_EQ(two.nAttesa + two.nCorso, 0);
  EXPECT_EQ(two.datiUtente, "dati");
  EXPECT_EQ(ParseLoginResult("mario&x1&99999999999&&d").nCorso, 0);
  EXPECT_EQ(ParseLoginResult("mario&1&2&&" + std::string(150, 'd')).datiUtente.size(), 100u);
  EXPECT_EQ(ParseLoginResult("MaRiO").utente, "mario");
  EXPECT_FALSE(ParseLoginResult("MaRiO").hasFields);
}

TEST(LocalPagesTest, FileAddressesEscapeWhatAUrlCannotHold) {
  EXPECT_EQ(FileUrl("/home/a b/noconnect/sudoku.html"), "file:///home/a%20b/noconnect/sudoku.html");
  EXPECT_EQ(FileUrl("/x/\xE8#?"), "file:///x/%E8%23%3F");
}

}  // namespace
}  // namespace sudoku

// Creation, the connect question, the tab guard, About, EXIT and shutdown of the main window.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "main_window_fixture.h"

namespace sudoku {
namespace {

using testing::MainWindowFixture;
using testing::ShownMessage;

const std::pair<std::string, std::string> kDebugger{kBrowserMainKey, kDebuggerValue};
const std::pair<std::string, std::string> kDebuggerIE{kBrowserMainKey, kDebuggerIEValue};
const std::pair<std::string, std::string> kSound{kNavigationSoundKey, kDefaultValue};

TEST(StartUpTest, CreationTakesFolderDateAndListsTheSampleLibrary) {
  MainWindowFixture<> f;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(SUDOKU_SOURCE_DIR) / "assets/temi")) {
    std::filesystem::copy_file(entry.path(), f.base / "temi" / entry.path().filename());
    ++files;
  }
  ASSERT_GE(files, 30);
  f.clock.now = {2027, 3, 9, 10, 0, 0, 0};
  f.window.FormCreate(f.base);
  EXPECT_EQ(f.game.CartellaBase, f.base);
  EXPECT_EQ(f.game.Marcatore, "quillo");
  EXPECT_EQ(f.game.controls.menulingua.picture, (f.base / "noconnect/flag_en.bmp").string());
  EXPECT_EQ(f.game.Anno * 10000 + f.game.Mese * 100 + f.game.Giorno, 20270309);
  const ListView& list = f.game.controls.LVsudoku;
  ASSERT_EQ(int(list.rows.size()), files);
  std::set<std::string> levels;
  for (const ListRow& row : list.rows) levels.insert(row.subItems.at(3));
  EXPECT_EQ(levels, (std::set<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(list.rows[0].caption, "0001-puzzle_8-2-26.tema");
}

TEST(StartUpTest, BrowserSettingsAreSavedReplacedAndWrittenBackAtClose) {
  MainWindowFixture<> f;
  f.settings.values[kDebugger] = "no";
  f.settings.values[kSound] = "C:\\ding.wav";  // the debugger IE value is missing
  f.window.FormCreate(f.base);
  EXPECT_EQ(f.window.savedSettings.DebuggerSalvato, "no");
  EXPECT_EQ(f.window.savedSettings.DebuggerIESalvato, "");
  EXPECT_EQ(f.settings.values[kDebugger], "yes");
  EXPECT_EQ(f.settings.values[kDebuggerIE], "yes");
  EXPECT_EQ(f.settings.values[kSound], "");
  f.window.FormClose();
  EXPECT_EQ(f.settings.values[kDebugger], "no");
  EXPECT_EQ(f.settings.values[kDebuggerIE], "");
  EXPECT_EQ(f.settings.values[kSound], "C:\\ding.wav");
}

TEST(StartUpTest, AnUnreadableSoundMakesEverySavedValueUnknownAndNothingIsRestored) {
  MainWindowFixture<> f;
  f.settings.values[kDebugger] = "no";
  f.window.FormCreate(f.base);
  EXPECT_EQ(f.window.savedSettings.DebuggerSalvato, "sconosciuto");
  EXPECT_EQ(f.window.savedSettings.DebuggerIESalvato, "sconosciuto");
  EXPECT_EQ(f.window.savedSettings.SuonoNavigazioneSalvato, "sconosciuto");
  EXPECT_EQ(f.settings.values[kDebugger], "yes");
  EXPECT_EQ(f.settings.values.count(kSound), 0u);
  f.window.FormClose();
  EXPECT_EQ(f.settings.values[kDebugger], "yes");
  EXPECT_EQ(f.settings.values.count(kSound), 0u);
}

TEST(StartUpTest, AnsweringNoSetsUpOfflineWithoutTheLogin) {
  MainWindowFixture<> f;
  f.game.Lingua = "en";
  f.game.Utente = "stale";
  f.game.controls.MostraCandidati.checked = true;
  f.game.controls.PageControl2.activePage = "TSTrascina";
  f.window.toolbarColoriWidth = 101;
  f.Start(false);

  ASSERT_EQ(f.dialogs.confirmations.size(), 1u);
  EXPECT_EQ(f.dialogs.confirmations[0],
            "Vuoi effettuare la connessione su http://127.0.0.1:8642?\n\r\n\r"
            "Do you want to connect to http://127.0.0.1:8642");
  EXPECT_EQ(f.dialogs.loginShown, 0);
  EXPECT_EQ(
      f.dialogs.messages,
      (std::vector<ShownMessage>{{BoxKind::Plain, "Configurazione OFFLINE\n\rOffline Setup"}}));
  EXPECT_EQ(f.game.Lingua, "it");
  EXPECT_EQ(f.game.Utente, "");
  EXPECT_FALSE(f.game.Connesso);
  EXPECT_FALSE(f.game.Registrato);

  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(f.WBsoluzione.LastAddress(), f.LocalPage("in-paese.html"));
  EXPECT_EQ(f.WBdownload.LastAddress(), f.LocalPage("in-paese.html"));
  EXPECT_EQ(f.WBTrascina.LastAddress(), f.LocalPage("in-paese.html"));
  EXPECT_EQ(f.wbSfida.LastAddress(), f.LocalPage("sfida.html"));

  const Controls& c = f.game.controls;
  for (const MenuItem* item :
       {&c.SoluzionePassoPasso1, &c.SoluzioneAutomatica, &c.SuggerisciNumero, &c.NumeroSoluzioni1,
        &c.Pubblica1, &c.Opzioni1, &c.CreaSudoku1, &c.sfida, &c.menuhelp, &c.ScaricaSchemaweb2,
        &c.ScaricaSchemaweb1, &c.LanciaSfida, &c.AccettaSfida, &c.AbbandonaSfida, &c.Classifica,
        &c.MostraCandidati}) {
    EXPECT_FALSE(item->enabled);
  }
  EXPECT_FALSE(c.MostraCandidati.checked);
  EXPECT_FALSE(c.SBLancia.enabled || c.SBAbbandona.enabled || c.SBAccetta.enabled);
  EXPECT_FALSE(c.TimerOnLogin.enabled);
  EXPECT_TRUE(c.CtrlTimer.enabled);
  EXPECT_EQ(c.CtrlTimer.interval, 30000);
  EXPECT_EQ(c.PageControl1.activePage, "TSSudokuFile");
  EXPECT_EQ(c.PageControl2.activePage, "TSLocale");
  EXPECT_EQ(c.toolbarColori.left, 21 + 166 - 50);
  EXPECT_EQ(c.toolbarColori.top, 52 + 333 + 1);
  EXPECT_TRUE(c.ShGiallo.circle);
}

// The messages and the state are also e2e LoginTest's, against a dead address.
TEST(StartUpTest, AnsweringYesWithoutAReachableSiteEndsOffline) {
  MainWindowFixture<> f;
  f.game.Registrato = true;
  f.Start(true);
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Configurazione OFFLINE\n\rOffline Setup");
  EXPECT_FALSE(f.game.Connesso || f.game.Registrato);
  EXPECT_EQ(f.game.OpzioniNavigazione, 14);
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_FALSE(f.game.controls.Opzioni1.enabled);
}

TEST(StartUpTest, TheUserLeavesATabOnlyFromCandidatesOrWithTheSchemaMenu) {
  MainWindowFixture<> f;
  f.Start(false);
  Controls& c = f.game.controls;
  EXPECT_FALSE(f.window.PageControl1Changing());  // from "Seleziona Sudoku"
  c.PageControl1.activePage = "TSHelp";           // a switch made from code
  EXPECT_TRUE(f.window.PageControl1Changing());
  c.PageControl1.activePage = "TSInfo";
  EXPECT_FALSE(f.window.PageControl1Changing());
  c.Opzioni1.enabled = true;
  EXPECT_TRUE(f.window.PageControl1Changing());
}

struct SigningOffWindow : MainWindow {
  using MainWindow::MainWindow;
  void SignOffChallenge() override { panes.wbSfida.Navigate("sign-off"); }
};

TEST(ShutdownTest, BlanksAndStopsEveryPaneInOrderAfterSigningOff) {
  MainWindowFixture<SigningOffWindow> f;
  f.Start(false);
  f.journal.clear();
  f.game.Connesso = true;
  f.window.FormClose();
  EXPECT_EQ(f.journal, (std::vector<std::string>{
                           "wbSfida navigate sign-off", "WQuillo navigate about:blank",
                           "WQuillo stop", "WBdownload navigate about:blank", "WBdownload stop",
                           "WBsoluzione navigate about:blank", "WBsoluzione stop",
                           "WBTrascina navigate about:blank", "WBTrascina stop",
                           "wbAltriSudoku navigate about:blank", "wbAltriSudoku stop",
                           "wbSfida navigate about:blank", "wbSfida stop", "WebConnect stop"}));
}

TEST(ShutdownTest, OfflineTheChallengeSystemIsLeftAlone) {
  MainWindowFixture<SigningOffWindow> f;
  f.Start(false);
  f.window.FormClose();
  EXPECT_EQ(f.wbSfida.navigations.size(), 2u);  // the local page, then blank
  EXPECT_EQ(f.wbSfida.LastAddress(), "about:blank");
}

}  // namespace
}  // namespace sudoku

// Connecting as a player does: the login window over the real site, registration, login, a
// wrong password, the password request, playing without a user, a site that is not there and
// one that goes away; playing offline without the browser engine.
#include <QElapsedTimer>
#include <QWebEngineProfile>
#include <algorithm>
#include <map>

#include "desktop/tflogin.h"
#include "desktop/web_pane.h"
#include "online_fixture.h"

namespace sudoku::testing {
namespace {

constexpr const char* kWrongLogin = "User o password errate!\n\rRiprova.";
// What the game says when it finds no site, at start-up or later.
const std::vector<ShownMessage> kGoneOffline{
    {BoxKind::Plain, "Connessione inesistente"},
    {BoxKind::Plain, "Configurazione OFFLINE\n\rOffline Setup"}};

using LoginTest = SiteTest;

TEST_F(LoginTest, ANewPlayerRegistersLogsInAndHasTheConnectedGame) {
  Player player(site->Address(), folder.filePath(QStringLiteral("game")));
  WebPane& pane = player.LoginPane();
  player.Start(true, [&] {
    ASSERT_TRUE(WaitFor([&] { return OnLoginForm(player); }));
    EXPECT_EQ(player.App().Login().height(), 268);
    SignUp(player, QStringLiteral("Mario"));
    ASSERT_EQ(player.dialogs.messages.size(), 1u);
    EXPECT_EQ(player.dialogs.messages[0].kind, BoxKind::Information);
    EXPECT_EQ(player.dialogs.messages[0].text.substr(0, 29), "Abbiamo spedito l'email con i");

    FillAndSubmit(pane, {{"user", "mario"}, {"password", "sbagliata"}});
    ASSERT_TRUE(WaitFor([&] { return player.dialogs.Shown(kWrongLogin) && OnLoginForm(player); }));
    EXPECT_TRUE(player.App().Login().isVisible());

    FillAndSubmit(pane, {{"user", "mario"}, {"password", "segreto1"}});
  });

  Game& game = player.Logic();
  EXPECT_TRUE(player.Connection().Connesso);
  EXPECT_TRUE(player.Connection().Registrato);
  EXPECT_EQ(game.Utente, "mario");
  EXPECT_FALSE(player.Connection().DatiUtente.empty());
  const Controls& c = game.controls;
  for (const MenuItem* item : {&c.Opzioni1, &c.CreaSudoku1, &c.sfida, &c.menuhelp,
                               &c.SoluzioneAutomatica, &c.SuggerisciNumero, &c.NumeroSoluzioni1,
                               &c.MostraCandidati, &c.Pubblica1, &c.ScaricaSchemaweb1}) {
    EXPECT_TRUE(item->enabled);
  }
  EXPECT_EQ(c.PageControl2.activePage, "TSTrascina");
  ASSERT_TRUE(WaitFor([&] {
    return player.Pane("WBTrascina").ReadyState() == 4 && player.Pane("WQuillo").ReadyState() == 4;
  }));
  EXPECT_NE(player.Pane("WQuillo").LocationUrl().find("sudoku-space.asp?who=mario"),
            std::string::npos);
  // The catalogue page is served to the session the login opened: its title is a puzzle.
  EXPECT_EQ(player.Pane("WBTrascina").title().count(QLatin1Char(';')), 9);
  EXPECT_NE(player.Pane("WBdownload").LocationUrl().find("who=mario"), std::string::npos);

  // Once registered, the command says so and only reloads the pages.
  player.dialogs.messages.clear();
  player.Fire("Connessione1Click");
  EXPECT_EQ(player.dialogs.OnlyMessage(), "Sei gi\xE0 connesso\n\rYou are currently connected");
  EXPECT_EQ(player.dialogs.loginShown, 1);
}

TEST_F(LoginTest, AfterThePasswordRequestClosingTheLoginWindowPlaysConnectedWithoutAUser) {
  Player player(site->Address(), folder.filePath(QStringLiteral("game")));
  WebPane& pane = player.LoginPane();
  // Asks for the password of the address; the site's answer is the only box.
  const auto request = [&](const QString& email) {
    ClickLink(pane, QStringLiteral("richiesta-password"));
    ASSERT_TRUE(WaitFor([&] { return PageText(pane).contains(QStringLiteral("Email")); }));
    player.dialogs.messages.clear();
    FillAndSubmit(pane, {{"email", email}});
    ASSERT_TRUE(
        WaitFor([&] { return player.dialogs.messages.size() == 1 && OnLoginForm(player); }));
  };
  player.Start(true, [&] {
    SignUp(player, QStringLiteral("lucia"));
    request(QStringLiteral("nessuno@x.it"));
    EXPECT_EQ(player.dialogs.messages[0].kind, BoxKind::Error);
    request(QStringLiteral("lucia@x.it"));
    EXPECT_EQ(player.dialogs.OnlyMessage(), "Abbiamo spedito la password al tuo indirizzo email!");
    player.App().Login().reject();
  });
  Game& game = player.Logic();
  EXPECT_TRUE(player.Connection().Connesso);
  EXPECT_FALSE(player.Connection().Registrato);
  EXPECT_EQ(game.Utente, "");
  EXPECT_FALSE(game.controls.Opzioni1.enabled);
  EXPECT_TRUE(game.controls.menuhelp.enabled);
  // The outbox page of the site, read as a person would in a browser, holds the mail.
  QWebEngineProfile profile;
  WebPane outbox(&profile);
  outbox.Navigate(site->Address() + "/sudoku/admin/outbox.asp");
  ASSERT_TRUE(WaitFor([&] { return outbox.ReadyState() == 4; }));
  EXPECT_TRUE(PageText(outbox).contains(QStringLiteral("Nuova password a lucia@x.it")))
      << PageText(outbox).toStdString();
}

TEST_F(LoginTest, PlayingOfflineShowsTheGamesOwnPagesWithoutStartingTheBrowserEngine) {
  Player player(site->Address(), folder.filePath(QStringLiteral("game")));
  player.Start(false);
  const std::map<std::string, WebPane*>& panes = player.App().Window().Panes();
  ASSERT_TRUE(WaitFor([&] {
    return std::all_of(panes.begin(), panes.end(),
                       [](const auto& pane) { return pane.second->ReadyState() != 1; }) &&
           panes.at("wbSfida")->ReadyState() == 4;
  }));
  EXPECT_EQ(panes.at("WQuillo")->LocationName(), "Sudoku - gioco offline / offline play");
  EXPECT_EQ(panes.at("WBTrascina")->LocationName(),
            "Non disponibile offline / Not available offline");
  EXPECT_EQ(panes.at("wbSfida")->LocationName(), "Sfide / Challenges");
  for (const auto& [name, pane] : panes) EXPECT_FALSE(pane->HasEngine()) << name;
  EXPECT_FALSE(player.LoginPane().HasEngine());
}

TEST_F(LoginTest, WithoutASiteTheGameSaysSoAndPlaysOfflineWithinSeconds) {
  Player player(DeadAddress(), folder.filePath(QStringLiteral("game")));
  QElapsedTimer clock;
  clock.start();
  player.Start(true);
  EXPECT_LT(clock.elapsed(), 25000);
  EXPECT_EQ(player.dialogs.messages, kGoneOffline);
  EXPECT_FALSE(player.Connection().Connesso);
  EXPECT_EQ(player.Logic().Utente, "noconnect");
  EXPECT_EQ(player.Logic().controls.PageControl2.activePage, "TSLocale");
}

TEST_F(LoginTest, ASiteThatGoesAwaySaysSoAndPlaysOfflineAsAtStartUp) {
  Player player(site->Address(), folder.filePath(QStringLiteral("game")));
  player.Start(true, [&] { SignUpAndLogIn(player, QStringLiteral("piero")); });
  Game& game = player.Logic();
  ASSERT_TRUE(player.Connection().Registrato);
  player.App().Binding().Run([&] { game.controls.TimerOnLogin.interval = 1000; });
  player.dialogs.messages.clear();
  const std::string gone = site->Address();
  site.reset();  // the next poll of the challenge watch finds nobody there
  ASSERT_TRUE(WaitFor([&] { return !player.Connection().Connesso; }, 30000));
  ASSERT_TRUE(WaitFor([&] { return player.dialogs.messages.size() >= 2; }));
  EXPECT_EQ(player.dialogs.messages, kGoneOffline);
  EXPECT_FALSE(player.Connection().Registrato || game.controls.TimerOnLogin.enabled);
  // A page of the vanished site brings no page of the browser's own: the pane keeps its page.
  WebPane& pane = player.Pane("WBsoluzione");
  ASSERT_TRUE(WaitFor([&] { return pane.ReadyState() == 4; }));
  const QString shown = PageText(pane);
  pane.Navigate(gone + "/sudoku/");
  ASSERT_TRUE(WaitFor([&] { return pane.ReadyState() == 4; }));
  EXPECT_EQ(PageText(pane), shown);
}

}  // namespace
}  // namespace sudoku::testing

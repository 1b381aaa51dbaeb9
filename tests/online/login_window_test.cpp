// Waiting for and reading pages through the browser pane port, and the login window's reading of
// the site's pages.
#include "online/login_window.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakePage;
using testing::ShownMessage;

const std::string kLoginPage = "http://127.0.0.1:8642/sudoku/gioco-offline/login.asp";
const std::string kAnonymous = "4pw7anony7wp4";

TEST(BrowserPaneTest, WaitsWithoutHistoryOrCacheGivesUpSilentlyFindsValuesAndNamesPages) {
  FakeBrowserPane pane;
  pane.pages["a"] = FakePage{.elements = {{"other", "x"}, {"stato", "1"}}, .loadPolls = 5};
  pane.pages["slow"] = FakePage{.loadPolls = -1};
  pane.pages["text"] = FakePage{.html = false};
  pane.pages["nobody"] = FakePage{.body = false};
  NavigateAndWait(pane, "a");
  EXPECT_EQ(pane.navigations.back().second, 14);
  EXPECT_EQ(pane.polls, 5);
  EXPECT_EQ(FindElementById(pane, "stato"), "1");
  EXPECT_EQ(FindElementById(pane, "missing"), std::nullopt);
  EXPECT_EQ(PageName("c:\\pages\\x/Registra-Utente.asp.asp"), "registra-utente.asp");
  EXPECT_EQ(PageName("http://h/login.asp?x=a/b.asp?y"), "b?y");
  NavigateAndWait(pane, "slow", 1000);
  EXPECT_EQ(pane.polls, 1005);
  pane.Navigate("text");
  EXPECT_THROW(FindElementById(pane, "a"), BrowserError);
  pane.Navigate("nobody");
  EXPECT_THROW(FindElementById(pane, "a"), BrowserError);
}

struct LoginFixture {
  testing::FakeDialogs dialogs;
  FakeBrowserPane pane{"WebConnect"};
  LoginWindow window{pane, dialogs, "http://127.0.0.1:8642"};

  explicit LoginFixture(FakePage first = FakePage{"login"}) { pane.pages[kLoginPage] = first; }
  // Activation and the login page's document, as the real pane reports it.
  void Activate() {
    window.FormActivate();
    window.WebConnectDocumentComplete();
  }
  // The pane ends on `url` with the page title `title`, as after a click or a redirect.
  void Arrive(const std::string& url, const std::string& title) {
    pane.pages[url] = FakePage{title};
    pane.Navigate(url);
    window.WebConnectDocumentComplete();
  }
};

TEST(LoginWindowTest, EachOutcomeOfTheSitePages) {
  // A message means the login page is loaded again. The wrong password, the password sent and
  // the registration page are the end-to-end LoginTest's.
  struct Case {
    std::string page, title, caption;
    std::vector<ShownMessage> messages;
    int height;
  };
  const std::string m = kAnonymous;
  const std::vector<ShownMessage> wrong{{BoxKind::Error, "User o password errate!\n\rRiprova."}};
  const std::vector<ShownMessage> unknown{
      {BoxKind::Error,
       "Siamo spiacenti!\n\rNon abbiamo trovato il tuo indirizzo email. Verifica la sua "
       "esattezza o registrati gratis."}};
  const std::vector<ShownMessage> registered{
      {BoxKind::Information,
       "Abbiamo spedito l'email con il link di conferma al tuo indirizzo!\n\rClicca sul link "
       "per confermare il tuo indirizzo ed attivare cos\xEC, gratis, la tua user.\n\r\n\r"
       "Appena attiva puoi eseguire la connessione."}};
  const std::vector<Case> cases = {
      {"richiesta-password.asp", "richiesta-password", m, {}, 295},
      {"richiesta-password.asp?res=notpswsendedtouser", "x", m, unknown, 295},
      {"registra-utente.asp?res=okreg", "registra-utente", m, registered, 295},
      {"registra-utente.asp?res=reg", "registra-utente", m, {}, 295},
      {"conferma.asp?res=&1&2", "conferma", "&1&2", wrong, 295},  // no user before the "&"
      {"altro.asp", "altro", "altro", wrong, 295},
      {"login.asp?res=x&1", "pagina.asp?id=1", m, {}, 620},  // a page named with id 1: left alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    LoginFixture f;
    f.Activate();
    EXPECT_EQ(f.pane.navigations.at(0), std::pair(kLoginPage, 14));
    f.window.Height = 620;
    f.Arrive("http://127.0.0.1:8642/sudoku/gioco-offline/" + c.page, c.title);
    EXPECT_EQ(f.window.Caption, c.caption);
    EXPECT_EQ(f.dialogs.messages, c.messages);
    EXPECT_EQ(f.pane.LastAddress() == kLoginPage, !c.messages.empty());
    EXPECT_EQ(f.window.Height, c.height);
    EXPECT_TRUE(f.window.Visible);
  }
}

// An unknown first page, one that never loads, and a reload answered with a result again.
TEST(LoginWindowTest, EveryWayOfMissingTheSiteEndsAsNoConnection) {
  LoginFixture unknown(FakePage{"Impossibile visualizzare la pagina"});
  unknown.Activate();
  unknown.window.WebConnectDocumentComplete();  // a late document of the closed window
  LoginFixture hung(FakePage{"login", {}, true, true, -1});
  hung.window.FormActivate();
  EXPECT_EQ(hung.pane.stops, 1);
  LoginFixture loop;
  loop.Activate();
  loop.Arrive(kLoginPage + "?res=" + kAnonymous, "login");  // wrong password: reload
  loop.Arrive(kLoginPage + "?res=" + kAnonymous, "login");  // the reload came back the same
  const ShownMessage none{BoxKind::Plain, "Connessione inesistente"};
  const ShownMessage wrong{BoxKind::Error, "User o password errate!\n\rRiprova."};
  for (const auto& [f, messages] :
       {std::pair(&unknown, std::vector{none}), std::pair(&hung, std::vector{none}),
        std::pair(&loop, std::vector{wrong, none})}) {
    EXPECT_EQ(f->dialogs.messages, messages);
    EXPECT_EQ(f->window.Caption, "noconnect");
    EXPECT_FALSE(f->window.Visible);
  }
}

}  // namespace
}  // namespace sudoku

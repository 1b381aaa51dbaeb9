// The login window's reading of the site's pages, and the login it gives the main window.
#include "online/login_window.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "online/query_value.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakeDialogs;
using testing::FakePage;
using testing::ShownMessage;

const std::string kLoginPage = "http://127.0.0.1:8642/sudoku/gioco-offline/login.asp";

struct LoginFixture {
  FakeDialogs dialogs;
  FakeBrowserPane pane{"WebConnect"};
  LoginWindow window{pane, dialogs, "http://127.0.0.1:8642"};

  LoginFixture() { pane.pages[kLoginPage] = FakePage{"login"}; }
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

TEST(PageNameTest, KeepsTheLastPartWithoutItsFirstAspInLowerCase) {
  EXPECT_EQ(PageName("http://h/sudoku/gioco-offline/Login.asp"), "login");
  EXPECT_EQ(PageName("login"), "login");
  EXPECT_EQ(PageName("c:\\pages\\x/Registra-Utente.asp.asp"), "registra-utente.asp");
  EXPECT_EQ(PageName("http://h/a\\b/richiesta-password.ASP"), "richiesta-password.asp");
  EXPECT_EQ(PageName("http://h/login.asp?x=a/b.asp?y"), "b?y");
  EXPECT_EQ(PageName("dir/"), "");
}

TEST(LoginWindowTest, ActivationShowsTheLoginPageAndClosingThenIsAnonymous) {
  LoginFixture f;
  f.Activate();
  EXPECT_TRUE(f.window.Visible);
  EXPECT_TRUE(f.window.PaginaRiconosciuta);
  EXPECT_EQ(f.pane.navigations.at(0), std::pair(kLoginPage, 14));
  EXPECT_EQ(f.window.Caption, "4pw7anony7wp4");
  EXPECT_EQ(f.window.Height, 295);
  EXPECT_TRUE(f.dialogs.messages.empty());
  f.window.FormClose();
  EXPECT_FALSE(f.window.Visible);
}

TEST(LoginWindowTest, ALoginResultClosesTheWindowWithTheResultAsCaption) {
  LoginFixture f;
  f.Activate();
  f.Arrive(kLoginPage + "?res=Mario&2&0&0&06-12-2026.asp", "benvenuto");
  EXPECT_EQ(f.window.Caption, "mario&2&0&0&06-12-2026");
  EXPECT_FALSE(f.window.Visible);
  EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(LoginWindowTest, EachOutcomeOfTheSitePages) {
  struct Case {
    std::string url, title;
    std::string caption;
    std::vector<ShownMessage> messages;
    bool reload;
    int height;
  };
  const std::string base = "http://127.0.0.1:8642/sudoku/gioco-offline/";
  const std::string marker = "4pw7anony7wp4";
  const std::vector<Case> cases = {
      {kLoginPage + "?res=" + marker,
       "login",
       marker,
       {{BoxKind::Error, "User o password errate!\n\rRiprova."}},
       true,
       295},
      {base + "richiesta-password.asp", "richiesta-password", marker, {}, false, 295},
      {base + "richiesta-password.asp?res=pswsendedtouser",
       "richiesta-password",
       marker,
       {{BoxKind::Information, "Abbiamo spedito la password al tuo indirizzo email!"}},
       true,
       295},
      {base + "richiesta-password.asp?res=notpswsendedtouser",
       "x",
       marker,
       {{BoxKind::Error,
         "Siamo spiacenti!\n\rNon abbiamo trovato il tuo indirizzo email. Verifica la sua "
         "esattezza o registrati gratis."}},
       true,
       295},
      {base + "registra-utente.asp", "registra-utente", marker, {}, false, 620},
      {base + "registra-utente.asp?res=okreg",
       "registra-utente",
       marker,
       {{BoxKind::Information,
         "Abbiamo spedito l'email con il link di conferma al tuo indirizzo!\n\rClicca sul link "
         "per confermare il tuo indirizzo ed attivare cos\xEC, gratis, la tua user.\n\r\n\r"
         "Appena attiva puoi eseguire la connessione."}},
       true,
       295},
      {base + "registra-utente.asp?res=reg", "registra-utente", marker, {}, false, 295},
      // Not a result: no user before the first "&".
      {base + "conferma.asp?res=&1&2",
       "conferma",
       "&1&2",
       {{BoxKind::Error, "User o password errate!\n\rRiprova."}},
       true,
       295},
      {base + "altro.asp",
       "altro",
       "altro",
       {{BoxKind::Error, "User o password errate!\n\rRiprova."}},
       true,
       295},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    LoginFixture f;
    f.Activate();
    f.window.Height = 620;
    f.Arrive(c.url, c.title);
    EXPECT_EQ(f.window.Caption, c.caption);
    EXPECT_EQ(f.dialogs.messages, c.messages);
    EXPECT_EQ(f.pane.LastAddress() == kLoginPage, c.reload);
    EXPECT_EQ(f.window.Height, c.height);
    EXPECT_TRUE(f.window.Visible);
  }
}

TEST(LoginWindowTest, AnUnknownFirstPageOrOneThatNeverLoadsMeansNoSite) {
  LoginFixture f;
  f.pane.pages[kLoginPage] = FakePage{"Impossibile visualizzare la pagina"};
  f.Activate();
  EXPECT_EQ(f.dialogs.messages,
            (std::vector<ShownMessage>{{BoxKind::Plain, "Connessione inesistente"}}));
  EXPECT_EQ(f.window.Caption, "noconnect");
  EXPECT_FALSE(f.window.Visible);
  f.window.WebConnectDocumentComplete();  // a late document of the closed window
  EXPECT_EQ(f.dialogs.messages.size(), 1u);

  LoginFixture hung;
  hung.pane.pages[kLoginPage] = FakePage{"login", {}, true, true, -1};
  hung.window.FormActivate();
  EXPECT_EQ(hung.pane.stops, 1);
  EXPECT_EQ(hung.dialogs.OnlyMessage(), "Connessione inesistente");
  EXPECT_EQ(hung.window.Caption, "noconnect");
  EXPECT_FALSE(hung.window.Visible);
}

TEST(LoginWindowTest, ASiteThatAnswersTheReloadWithAResultAgainIsNotFollowedInCircles) {
  LoginFixture f;
  f.Activate();
  f.Arrive(kLoginPage + "?res=4pw7anony7wp4", "login");  // wrong password: reload
  f.Arrive(kLoginPage + "?res=4pw7anony7wp4", "login");  // the reload came back the same
  EXPECT_EQ(f.dialogs.messages.back().text, "Connessione inesistente");
  EXPECT_EQ(f.window.Caption, "noconnect");
  EXPECT_FALSE(f.window.Visible);
}

TEST(LoginWindowTest, APageNamedWithIdOneIsLeftAlone) {
  LoginFixture f;
  f.Activate();
  f.Arrive(kLoginPage + "?res=x&1", "pagina.asp?id=1");
  EXPECT_EQ(f.window.Caption, "4pw7anony7wp4");
  EXPECT_TRUE(f.window.Visible);
}

// A main window whose login window reads the fake site's pages.
struct SiteLoginDialogs : FakeDialogs {
  LoginWindow* login = nullptr;
  std::function<void()> userActs;
  std::string ShowLogin() override {
    ++loginShown;
    login->FormActivate();
    if (login->Visible) login->WebConnectDocumentComplete();
    if (userActs) userActs();
    return login->Caption;
  }
};

TEST(ProcessLoginResultTest, TheLoginWindowDecidesTheConnection) {
  testing::MainWindowFixture<> f;
  SiteLoginDialogs dialogs;
  Game game{Ports{dialogs, f.effects, f.clock, f.random, f.settings}};
  game.CartellaBase = f.base;
  MainWindow window{game, f.window.panes, testing::kSite};
  LoginWindow login{f.WebConnect, dialogs, testing::kSite};
  dialogs.login = &login;
  f.WebConnect.pages[kLoginPage] = FakePage{"login"};

  window.FormCreate(f.base);
  dialogs.userActs = [&] {
    f.WebConnect.pages[kLoginPage + "?res=mario&3&1&0&01-12-2026"] = FakePage{"benvenuto"};
    f.WebConnect.Navigate(kLoginPage + "?res=mario&3&1&0&01-12-2026");
    login.WebConnectDocumentComplete();
  };
  window.FormActivate();
  EXPECT_TRUE(game.Connesso && game.Registrato);
  EXPECT_EQ(game.Utente, "mario");
  EXPECT_EQ(game.DatiUtente, "01-12-2026");
  EXPECT_EQ(window.nAttesa, 3);
  EXPECT_TRUE(game.controls.AccettaSfida.enabled);
  EXPECT_TRUE(game.controls.Opzioni1.enabled && game.controls.CreaSudoku1.enabled);

  // Once registered, the command only reloads the pages.
  dialogs.messages.clear();
  window.Connessione1Click();
  EXPECT_EQ(dialogs.loginShown, 1);
  EXPECT_EQ(dialogs.OnlyMessage(), "Sei gi\xE0 connesso\n\rYou are currently connected");

  // Closing the window on the login page connects without a user.
  game.Registrato = false;
  dialogs.userActs = nullptr;
  window.Connessione1Click();
  EXPECT_TRUE(game.Connesso);
  EXPECT_FALSE(game.Registrato);
  EXPECT_EQ(game.Utente, "");
}

TEST(QueryValueTest, EscapesAllButTheUnreservedBytesOfTheUtf8Text) {
  EXPECT_EQ(QueryValue("Mario_Rossi-1.~"), "Mario_Rossi-1.~");
  EXPECT_EQ(QueryValue("06/12/2026 08:05:09"), "06%2F12%2F2026%2008%3A05%3A09");
  EXPECT_EQ(QueryValue("a&b;c#d%e<b>+"), "a%26b%3Bc%23d%25e%3Cb%3E%2B");
  EXPECT_EQ(QueryValue("citt\xE0"), "citt%C3%A0");
  EXPECT_EQ(QueryValue(""), "");
}

}  // namespace
}  // namespace sudoku

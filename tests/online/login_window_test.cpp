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
  // A message means the login page is loaded again.
  struct Case {
    std::string page, title, caption;
    std::vector<ShownMessage> messages;
    int height;
  };
  const std::string m = "4pw7anony7wp4";
  const std::vector<ShownMessage> wrong{{BoxKind::Error, "User o password errate!\n\rRiprova."}};
  const std::vector<ShownMessage> sent{
      {BoxKind::Information, "Abbiamo spedito la password al tuo indirizzo email!"}};
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
      {"login.asp?res=" + m, "login", m, wrong, 295},
      {"richiesta-password.asp", "richiesta-password", m, {}, 295},
      {"richiesta-password.asp?res=pswsendedtouser", "richiesta-password", m, sent, 295},
      {"richiesta-password.asp?res=notpswsendedtouser", "x", m, unknown, 295},
      {"registra-utente.asp", "registra-utente", m, {}, 620},
      {"registra-utente.asp?res=okreg", "registra-utente", m, registered, 295},
      {"registra-utente.asp?res=reg", "registra-utente", m, {}, 295},
      {"conferma.asp?res=&1&2", "conferma", "&1&2", wrong, 295},  // no user before the "&"
      {"altro.asp", "altro", "altro", wrong, 295},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    LoginFixture f;
    f.Activate();
    f.window.Height = 620;
    f.Arrive("http://127.0.0.1:8642/sudoku/gioco-offline/" + c.page, c.title);
    EXPECT_EQ(f.window.Caption, c.caption);
    EXPECT_EQ(f.dialogs.messages, c.messages);
    EXPECT_EQ(f.pane.LastAddress() == kLoginPage, !c.messages.empty());
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

// The rest of the connection, through the real login window, is the end-to-end LoginTest's.
TEST(ProcessLoginResultTest, TheLoginAnswerSetsTheUserAndItsWaitingChallenges) {
  testing::MainWindowFixture<> f;
  f.dialogs.loginAnswers = {"mario&3&1&0&01-12-2026"};
  f.Start(true);
  EXPECT_TRUE(f.game.Connesso && f.game.Registrato);
  EXPECT_EQ(f.game.Utente + "|" + f.game.DatiUtente, "mario|01-12-2026");
  EXPECT_EQ(f.window.nAttesa, 3);
  EXPECT_TRUE(f.game.controls.AccettaSfida.enabled);
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

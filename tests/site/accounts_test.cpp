// Registration, confirmation, login and password requests: the addresses the login window reads
// its outcome from. The titles it recognises the pages by are e2e LoginTest's.
#include <gtest/gtest.h>

#include <regex>

#include "site/calendar.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

constexpr const char* kLogin = "/sudoku/gioco-offline/login.asp";
constexpr const char* kRegister = "/sudoku/gioco-offline/registra-utente.asp";
constexpr const char* kRequest = "/sudoku/gioco-offline/richiesta-password.asp";

TEST(SiteAccounts, RegistrationNeedsTheMailedConfirmationBeforeLogin) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 40, /*autoConfirm=*/false);
  Browser browser(site.Port());
  const Answer reg =
      browser.Post(kRegister, "user=Anna2026&password=pa%26ss+word&email=anna%40posta.it");
  EXPECT_EQ(reg.Address, std::string(kRegister) + "?res=okreg");

  EXPECT_EQ(browser.LogIn("anna2026", "pa%26ss+word"), std::string(kLogin) + "?res=4pw7anony7wp4");
  EXPECT_FALSE(browser.Cookies().count("sessione"));

  const std::string link = browser.MailedLink("/sudoku/gioco-offline/conferma-utente.asp");
  ASSERT_FALSE(link.empty());
  EXPECT_EQ(browser.Get(link).Status, 200);
  EXPECT_EQ(browser.Get(link).Status, 404);  // a link works once

  // Names are kept in lower case; the password keeps its "&" and its blank.
  const Date today = Today();
  EXPECT_EQ(browser.LogIn("ANNA2026", "pa%26ss+word"),
            std::string(kLogin) + "?res=anna2026&0&0&0&" + DateText(today, '-'));
  EXPECT_TRUE(browser.Cookies().count("sessione"));
  EXPECT_NE(browser.LastSetCookie().find("HttpOnly"), std::string::npos);
}

TEST(SiteAccounts, WrongPasswordAndRefusedRegistrations) {
  ScratchDir dir;
  RunningSite site(dir / "site.db");
  Browser browser(site.Port());
  browser.SignUp("bruno");
  Browser other(site.Port());
  EXPECT_EQ(other.LogIn("bruno", "sbagliata"), std::string(kLogin) + "?res=4pw7anony7wp4");
  EXPECT_EQ(other.LogIn("nessuno", "segreto"), std::string(kLogin) + "?res=4pw7anony7wp4");

  const std::string refused = std::string(kRegister) + "?res=reg";
  for (const char* form : {"user=abc&password=segreto&email=a%40b.it",            // too short
                           "user=bruno&password=segreto&email=z%40b.it",          // taken
                           "user=BRUNO&password=segreto&email=z%40b.it",          // taken, any case
                           "user=carla!&password=segreto&email=c%40b.it",         // not a letter
                           "user=carla&password=segreto&email=bruno%40posta.it",  // address taken
                           "user=carla&password=segreto&email=senza-chiocciola",
                           "user=anonimo&password=segreto&email=x%40b.it",
                           // names the game reads as another outcome of its login window
                           "user=NoConnect&password=segreto&email=x%40b.it",
                           "user=login&password=segreto&email=x%40b.it",
                           "user=4pw7anony7wp4&password=segreto&email=x%40b.it"}) {
    const Answer answer = other.Post(kRegister, form);
    EXPECT_EQ(answer.Address, refused) << form;
    EXPECT_NE(answer.Body.find("class=\"e\""), std::string::npos) << form;  // says why
  }
}

TEST(SiteAccounts, PasswordRequestMailsARenewalLink) {
  ScratchDir dir;
  RunningSite site(dir / "site.db");
  Browser browser(site.Port());
  browser.SignUp("carla");
  EXPECT_EQ(browser.Post(kRequest, "email=ignoto%40posta.it").Address,
            std::string(kRequest) + "?res=notpswsendedtouser");
  EXPECT_EQ(browser.Post(kRequest, "email=CARLA%40posta.it").Address,
            std::string(kRequest) + "?res=pswsendedtouser");

  const std::string link = browser.MailedLink("/sudoku/gioco-offline/nuova-password.asp");
  ASSERT_FALSE(link.empty());
  const Answer renewed = browser.Get(link);
  std::smatch password;
  ASSERT_TRUE(std::regex_search(renewed.Body, password, std::regex("Nuova password: ([a-z0-9]+)")));
  EXPECT_EQ(browser.LogIn("carla", "segreto"), std::string(kLogin) + "?res=4pw7anony7wp4");
  EXPECT_EQ(browser.LogIn("carla", password[1]).rfind(std::string(kLogin) + "?res=carla&", 0), 0u);
}

TEST(SiteAccounts, StateSurvivesARestart) {
  ScratchDir dir;
  std::string firstTitle;
  std::map<std::string, std::string> cookies;
  {
    RunningSite site(dir / "site.db");
    Browser browser(site.Port());
    browser.SignUp("dario");
    firstTitle =
        browser.Get("/sudoku/gioco-offline/sudoku-select-new.asp?of=2010_00_T_00_1_quillo").Title();
    browser.Get("/sudoku/sfida-online/lancia-sfida.asp");
  }
  RunningSite site(dir / "site.db", 100);  // the catalogue is seeded only once
  Browser browser(site.Port());
  EXPECT_EQ(
      browser.Get("/sudoku/gioco-offline/sudoku-select-new.asp?of=2010_00_T_00_1_quillo").Title(),
      firstTitle);
  EXPECT_EQ(browser.LogIn("dario").rfind(std::string(kLogin) + "?res=dario&1&0&0&", 0), 0u);
  EXPECT_EQ(browser.Get("/sudoku/sfida-online/lettura-dati-sfida.asp?id=1").Value("miaSuSfida"),
            "attesa");
}

}  // namespace
}  // namespace sudoku::site::testing

// Accounts over a fake clock, without auto-confirmation: registration rules, mailed tokens that
// expire and work once, a new password that ends every session, the throttling of wrong logins
// and the rate limits of the account pages. The happy paths the game walks are e2e LoginTest's.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>
#include <vector>

#include "site/calendar.h"
#include "site/hash_gate.h"
#include "site/throttle.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

constexpr const char* kConfirm = "/sudoku/gioco-offline/conferma-utente.asp";
constexpr const char* kRenew = "/sudoku/gioco-offline/nuova-password.asp";

class SiteAccounts : public ::testing::Test {
 protected:
  FakeClock clock_;
  ScratchDir dir_;
  RunningSite site_{dir_ / "site.db", 10, false, [this](SiteOptions& o) { clock_.Install(o); }};
  Browser browser_{site_.Port()};
};

TEST_F(SiteAccounts, TokensExpireWorkOnceAndANewPasswordEndsEverySession) {
  const Answer registered =
      browser_.Post(kRegister, "user=Carla&password=pa%26ss+word&email=carla%40posta.it");
  EXPECT_EQ(registered.Address, kRegister + "?res=okreg");
  EXPECT_THAT(registered.Body, HasSubstr("link che ti abbiamo spedito"));
  EXPECT_EQ(browser_.LogIn("carla", "pa%26ss+word"), kRefused);  // not confirmed yet
  const std::string confirm = browser_.MailedLink(kConfirm);
  browser_.Post(kRegister, "user=dario&password=segreto1&email=dario%40posta.it");
  const std::string late = browser_.MailedLink(kConfirm);
  clock_.Advance(48 * 3600);
  EXPECT_EQ(browser_.Get(confirm).Status, 200);
  EXPECT_EQ(browser_.Get(confirm).Status, 404);  // once
  clock_.Advance(1);
  EXPECT_EQ(browser_.Get(late).Status, 404);

  // Names are kept in lower case; the password keeps its "&" and its blank.
  Browser other(site_.Port());
  EXPECT_EQ(other.LogIn("CARLA", "pa%26ss+word"),
            kLogin + "?res=carla&0&0&0&" + DateText(Today(), '-'));
  EXPECT_THAT(other.LastSetCookie(), HasSubstr("HttpOnly; SameSite=Strict"));
  EXPECT_THAT(other.LastSetCookie(), Not(HasSubstr("Secure")));
  EXPECT_EQ(other.Get("/sudoku/sfida-online/lettura-dati-sfida.asp").Value("nickname"), "carla");
  browser_.Post(kRequest, "email=CARLA%40posta.it");
  const std::string voided = browser_.MailedLink(kRenew);
  browser_.Post(kRequest, "email=carla%40posta.it");
  const std::string renew = browser_.MailedLink(kRenew);
  clock_.Advance(3600);
  EXPECT_EQ(browser_.Get(voided).Status, 404);  // a newer link voids it
  const Answer renewed = browser_.Get(renew);
  std::smatch password;
  ASSERT_TRUE(std::regex_search(renewed.Body, password, std::regex("Nuova password: ([a-z0-9]+)")));
  EXPECT_EQ(browser_.Get(renew).Status, 404);  // once
  EXPECT_EQ(other.Get("/sudoku/sfida-online/lettura-dati-sfida.asp").Value("nickname"), "");
  EXPECT_EQ(browser_.LogIn("carla", "pa%26ss+word"), kRefused);
  EXPECT_EQ(browser_.LogIn("carla", password[1]).rfind(kLogin + "?res=carla&", 0), 0u);
  browser_.Post(kRequest, "email=carla%40posta.it");
  const std::string stale = browser_.MailedLink(kRenew);
  clock_.Advance(3601);
  EXPECT_EQ(browser_.Get(stale).Status, 404);
}

TEST_F(SiteAccounts, RefusedRegistrationsSayWhy) {
  // Eight characters, the fewest a new password may have.
  EXPECT_EQ(browser_.Post(kRegister, "user=bruno&password=segreto1&email=bruno%40posta.it").Address,
            kRegister + "?res=okreg");
  const std::string refused = kRegister + "?res=reg";
  int client = 0;  // each from an address of its own: refused attempts count towards the limit
  for (const char* form : {"user=abc&password=segreto1&email=a%40b.it",     // too short
                           "user=BRUNO&password=segreto1&email=z%40b.it",   // taken, any case
                           "user=carla!&password=segreto1&email=c%40b.it",  // not a letter
                           "user=carla&password=segreto1&email=bruno%40posta.it",  // address taken
                           "user=carla&password=segreto1&email=BRUNO%40posta.it",  // any case
                           "user=carla&password=segreto&email=c%40b.it",  // password of seven
                           "user=carla&password=segreto1&email=senza-chiocciola",
                           "user=anonimo&password=segreto1&email=x%40b.it",
                           // names the game reads as another outcome of its login window
                           "user=NoConnect&password=segreto1&email=x%40b.it",
                           "user=login&password=segreto1&email=x%40b.it",
                           "user=4pw7anony7wp4&password=segreto1&email=x%40b.it"}) {
    const Answer answer =
        Browser(site_.Port(), "127.0.1." + std::to_string(++client)).Post(kRegister, form);
    EXPECT_EQ(answer.Address, refused) << form;
    EXPECT_THAT(answer.Body, HasSubstr("class=\"e\"")) << form;
  }
}

TEST_F(SiteAccounts, WrongLoginsAreThrottledPerUserAndClient) {
  browser_.Post(kRegister, "user=bruno&password=segreto1&email=bruno%40posta.it");
  browser_.Get(browser_.MailedLink(kConfirm));
  for (int k = 0; k < 5; ++k) EXPECT_EQ(browser_.LogIn("bruno", "sbagliata"), kRefused);
  EXPECT_EQ(browser_.LogIn("bruno", "segreto1"), kRefused);  // even the right password, for now
  clock_.Advance(30);
  EXPECT_NE(browser_.LogIn("bruno", "segreto1"), kRefused);
  // The client's second spent allowance costs it twice the wait (a minute on, when its budget
  // of password hashes is whole again).
  clock_.Advance(30);
  for (int k = 0; k < 5; ++k) browser_.LogIn("nessuno", "sbagliata");
  clock_.Advance(59);
  EXPECT_EQ(browser_.LogIn("bruno", "segreto1"), kRefused);
  clock_.Advance(1);
  EXPECT_NE(browser_.LogIn("bruno", "segreto1"), kRefused);
}

TEST_F(SiteAccounts, AStrangersWrongLoginsOnlySpaceOutTheOwnersFromAnotherAddress) {
  browser_.Post(kRegister, "user=bruno&password=segreto1&email=bruno%40posta.it");
  browser_.Get(browser_.MailedLink(kConfirm));
  Browser stranger(site_.Port(), "127.0.0.2");
  for (int k = 0; k < 5; ++k) EXPECT_EQ(stranger.LogIn("bruno", "sbagliata"), kRefused);
  EXPECT_EQ(stranger.LogIn("bruno", "segreto1"), kRefused);   // the stranger's address is held
  EXPECT_NE(browser_.LogIn("bruno", "segreto1"), kRefused);   // the owner's address: never held
  EXPECT_EQ(stranger.LogIn("carla", "sbagliata"), kRefused);  // the stranger's: for every user
  // Another address that keeps failing for bruno is only spaced out: past five failures for the
  // user in a minute (the first of each address not counted), one attempt every two seconds.
  Browser third(site_.Port(), "127.0.0.4");
  EXPECT_EQ(third.LogIn("bruno", "sbagliata"), kRefused);
  EXPECT_EQ(third.LogIn("bruno", "sbagliata"), kRefused);  // the user's fifth
  EXPECT_EQ(third.LogIn("bruno", "segreto1"), kRefused);   // spaced out
  clock_.Advance(2);
  EXPECT_NE(third.LogIn("bruno", "segreto1"), kRefused);
}

TEST_F(SiteAccounts, EveryLoginSpendsTheClientsHashBudgetAndReplacesTheBrowsersSession) {
  const AccountLimits limits;
  browser_.Post(kRegister, "user=bruno&password=segreto1&email=bruno%40posta.it");  // one hash
  browser_.Get(browser_.MailedLink(kConfirm));
  for (int k = 1; k < limits.HashesPerClient.Allowed; ++k)
    ASSERT_NE(browser_.LogIn("bruno", "segreto1"), kRefused) << k;
  const Answer spent = browser_.Post(kLogin, "user=bruno&password=segreto1");
  EXPECT_EQ(spent.Address, kRefused);
  EXPECT_THAT(spent.Body, HasSubstr("Troppi tentativi"));
  Browser other(site_.Port(), "127.0.0.3");
  EXPECT_NE(other.LogIn("bruno", "segreto1"), kRefused);  // a budget of its own
  clock_.Advance(limits.HashesPerClient.Window);
  EXPECT_NE(browser_.LogIn("bruno", "segreto1"), kRefused);

  auto count = site_.Inner().Store().Prepare("SELECT COUNT(*) FROM sessions");
  ASSERT_TRUE(count.Step());
  EXPECT_EQ(count.Int(0), 2);  // one for each browser
}

TEST_F(SiteAccounts, ASessionEndsThirtyDaysAfterItOpenedHoweverUsed) {
  browser_.Post(kRegister, "user=bruno&password=segreto1&email=bruno%40posta.it");
  browser_.Get(browser_.MailedLink(kConfirm));
  browser_.LogIn("bruno", "segreto1");
  const char* data = "/sudoku/sfida-online/lettura-dati-sfida.asp";
  for (int halfDays = 1; halfDays <= 60; ++halfDays) {
    clock_.Advance(12 * 3600);
    ASSERT_EQ(browser_.Get(data).Value("nickname"), "bruno") << halfDays;
  }
  clock_.Advance(1);
  EXPECT_EQ(browser_.Get(data).Value("nickname"), "");
}

TEST(SiteLoginLog, TellsEachOutcomeAndNeverThePassword) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [](SiteOptions& o) { o.Quiet = false; });
  Browser browser(site.Port());
  ::testing::internal::CaptureStdout();
  browser.SignUp("bruno");
  for (int k = 0; k < 6; ++k) browser.LogIn("bruno", "sbagliata");
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_THAT(log, HasSubstr("login ok: bruno from 127.0.0.1\n"));
  EXPECT_THAT(log, HasSubstr("login failed: bruno from 127.0.0.1\n"));
  EXPECT_THAT(log, HasSubstr("login throttled: bruno from 127.0.0.1\n"));
  EXPECT_THAT(log, Not(HasSubstr("sbagliata")));
}

TEST(SiteThrottle, AttemptsAtOnceAreCheckedAndCountedInOneStep) {
  ScratchDir dir;
  SiteOptions options;
  options.DbPath = StoreAt(dir / "site.db");
  options.LightHashing = true;
  Site site(options);
  Throttle& throttle = site.Limits().WrongLoginsOfUserAtClient;
  std::atomic<int> passed{0};
  std::vector<std::thread> attempts;
  for (int k = 0; k < 16; ++k)
    attempts.emplace_back([&] { passed += throttle.Take("bruno 127.0.0.1", 100) ? 1 : 0; });
  for (std::thread& attempt : attempts) attempt.join();
  EXPECT_EQ(passed, AccountLimits{}.WrongLogins.Allowed);
}

TEST(SiteHashGate, RefusesPastItsPlacesAndWaitsBoundedly) {
  HashGate full(1, 0, std::chrono::milliseconds(0));
  {
    HashGate::Pass held(&full);
    EXPECT_THROW(HashGate::Pass{&full}, HashBusy);
  }
  EXPECT_NO_THROW(HashGate::Pass{&full});
  HashGate queued(1, 1, std::chrono::milliseconds(50));
  HashGate::Pass held(&queued);
  EXPECT_THROW(HashGate::Pass{&queued}, HashBusy);  // waited its patience, then gave up
}

TEST_F(SiteAccounts, PasswordRequestsAndRegistrationsAreRateLimited) {
  const AccountLimits limits;
  for (int k = 0; k < limits.PasswordRequests.Allowed; ++k)
    EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 200);
  EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 429);
  clock_.Advance(limits.PasswordRequests.Window);
  EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 200);

  for (int k = 0; k < limits.Registrations.Allowed; ++k)
    browser_.Post(kRegister, "user=nuovo" + std::to_string(k) + "&password=segreto1&email=n" +
                                 std::to_string(k) + "%40posta.it");
  EXPECT_EQ(browser_.Post(kRegister, "user=troppi&password=segreto1&email=t%40posta.it").Status,
            429);
}

}  // namespace
}  // namespace sudoku::site::testing

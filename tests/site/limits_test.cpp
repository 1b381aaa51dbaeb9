// The site under abuse: request sizes at their limits, a store locked by another program, the
// public address of mailed links, and the rate limits of the account pages.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "site/throttle.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

constexpr const char* kLogin = "/sudoku/gioco-offline/login.asp";
constexpr const char* kRequest = "/sudoku/gioco-offline/richiesta-password.asp";
constexpr const char* kRegister = "/sudoku/gioco-offline/registra-utente.asp";
const std::string kRefused = std::string(kLogin) + "?res=4pw7anony7wp4";

// A GET of the home page whose head (request line to blank line) is exactly size bytes.
std::string HeadOfSize(std::size_t size) {
  const std::string start = "GET / HTTP/1.1\r\nHost: a\r\nX-Pad: ";
  return start + std::string(size - start.size() - 4, 'p') + "\r\n\r\n";
}

std::string PostOfSize(std::size_t size, bool chunked) {
  std::string head =
      std::string("POST ") + kLogin + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n";
  if (!chunked)
    return head + "Content-Length: " + std::to_string(size) + "\r\n\r\n" + std::string(size, 'x');
  char length[16];
  std::snprintf(length, sizeof length, "%zx", size);
  return head + "Transfer-Encoding: chunked\r\n\r\n" + length + "\r\n" + std::string(size, 'x') +
         "\r\n0\r\n\r\n";
}

TEST(SiteLimits, RequestsAreRefusedJustPastEachLimit) {
  ScratchDir dir;
  RunningSite site(dir / "site.db");
  const HttpLimits limits;
  EXPECT_EQ(RawStatus(site.Port(), HeadOfSize(limits.MaxHeaderBytes)), 200);
  EXPECT_EQ(RawStatus(site.Port(), HeadOfSize(limits.MaxHeaderBytes + 1)), 431);

  std::string lines;
  for (std::size_t k = 1; k < limits.MaxHeaderCount; ++k)
    lines += "X-" + std::to_string(k) + ": v\r\n";
  EXPECT_EQ(RawStatus(site.Port(), "GET / HTTP/1.1\r\nHost: a\r\n" + lines + "\r\n"), 200);
  EXPECT_EQ(RawStatus(site.Port(), "GET / HTTP/1.1\r\nHost: a\r\nX-0: v\r\n" + lines + "\r\n"),
            431);

  for (bool chunked : {false, true}) {
    EXPECT_EQ(RawStatus(site.Port(), PostOfSize(limits.MaxBodyBytes, chunked)), 303) << chunked;
    EXPECT_EQ(RawStatus(site.Port(), PostOfSize(limits.MaxBodyBytes + 1, chunked)), 413) << chunked;
  }
  // A length announced on any method is refused before anything is read.
  EXPECT_EQ(
      RawStatus(site.Port(), "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 314572800\r\n\r\n"),
      413);
  EXPECT_EQ(RawStatus(site.Port(), "NONSENSE\r\n\r\n"), 400);
}

TEST(SiteLimits, APortInUseIsRefusedWithItsCause) {
  ScratchDir dir;
  RunningSite first(dir / "site.db");
  SiteOptions options;
  options.DbPath = (dir / "other.db").string();
  options.Port = first.Port();
  Site second(options);
  try {
    second.Bind();
    ADD_FAILURE() << "a second site listens on the same port";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("already in use"), std::string::npos) << error.what();
  }
}

TEST(SiteLimits, AStoreLockedElsewhereGivesABusyPageNotAHang) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [](SiteOptions& o) { o.DbBusyMilliseconds = 100; });
  Browser anna(site.Port());
  anna.SignUp("anna1");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "site.db").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const Answer busy = anna.Get("/sudoku/sfida-online/lancia-sfida.asp");
  EXPECT_EQ(busy.Status, 503);
  EXPECT_EQ(busy.Title(), "sito occupato");
  EXPECT_EQ(anna.Get("/sudoku/sfida-online/sudoku-online-classifica.asp").Status,
            200);  // reads go on
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(anna.Get("/sudoku/sfida-online/lancia-sfida.asp").Status, 200);
}

TEST(SiteLimits, MailedLinksUseThePublicAddressNotTheHostHeader) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true,
                   [](SiteOptions& o) { o.PublicUrl = "https://sudoku.example/"; });
  Browser browser(site.Port());
  browser.SignUp("carla");
  httplib::Client raw("127.0.0.1", site.Port());
  ASSERT_TRUE(raw.Post(kRequest, {{"Host", "evil.example"}}, "email=carla%40posta.it",
                       "application/x-www-form-urlencoded"));
  const std::string outbox = browser.Get("/sudoku/admin/outbox.asp").Body;
  EXPECT_NE(outbox.find("https://sudoku.example/sudoku/gioco-offline/nuova-password.asp?t="),
            std::string::npos);
  EXPECT_EQ(outbox.find("evil.example"), std::string::npos);
}

TEST(SiteLimits, ThrottleRefusesPastItsAllowanceForADoublingWait) {
  Throttle throttle({3, 60, 10, 40});
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(throttle.Allows("a", 0));
    throttle.Note("a", 0);
  }
  EXPECT_FALSE(throttle.Allows("a", 9));
  EXPECT_TRUE(throttle.Allows("b", 9));
  EXPECT_TRUE(throttle.Allows("a", 10));
  for (int k = 0; k < 3; ++k) throttle.Note("a", 10);
  EXPECT_FALSE(throttle.Allows("a", 29));  // 20 s now
  EXPECT_TRUE(throttle.Allows("a", 30));
  Throttle plain({2, 60});  // no wait: the window alone
  plain.Note("a", 0);
  plain.Note("a", 1);
  EXPECT_FALSE(plain.Allows("a", 59));
  EXPECT_TRUE(plain.Allows("a", 60));
}

class SiteAccountLimits : public ::testing::Test {
 protected:
  FakeClock clock_;
  ScratchDir dir_;
  RunningSite site_{dir_ / "site.db", 10, false, [this](SiteOptions& o) { clock_.Install(o); }};
  Browser browser_{site_.Port()};
};

TEST_F(SiteAccountLimits, WrongLoginsAreThrottledPerUserAndClient) {
  browser_.Post(kRegister, "user=bruno&password=segreto&email=bruno%40posta.it");
  browser_.Get(browser_.MailedLink("/sudoku/gioco-offline/conferma-utente.asp"));
  for (int k = 0; k < 5; ++k) EXPECT_EQ(browser_.LogIn("bruno", "sbagliata"), kRefused);
  EXPECT_EQ(browser_.LogIn("bruno", "segreto"), kRefused);  // even the right password, for now
  clock_.Advance(30);
  EXPECT_NE(browser_.LogIn("bruno", "segreto"), kRefused);
  // The client's second spent allowance costs it twice the wait.
  for (int k = 0; k < 5; ++k) browser_.LogIn("nessuno", "sbagliata");
  clock_.Advance(59);
  EXPECT_EQ(browser_.LogIn("bruno", "segreto"), kRefused);
  clock_.Advance(1);
  EXPECT_NE(browser_.LogIn("bruno", "segreto"), kRefused);
}

TEST_F(SiteAccountLimits, TokensExpireWorkOnceAndANewPasswordEndsEverySession) {
  browser_.Post(kRegister, "user=carla&password=segreto&email=carla%40posta.it");
  const std::string confirm = browser_.MailedLink("/sudoku/gioco-offline/conferma-utente.asp");
  browser_.Post(kRegister, "user=dario&password=segreto&email=dario%40posta.it");
  const std::string late = browser_.MailedLink("/sudoku/gioco-offline/conferma-utente.asp");
  clock_.Advance(48 * 3600);
  EXPECT_EQ(browser_.Get(confirm).Status, 200);
  clock_.Advance(1);
  EXPECT_EQ(browser_.Get(late).Status, 404);

  Browser other(site_.Port());
  other.LogIn("carla");
  EXPECT_EQ(other.Get("/sudoku/sfida-online/lettura-dati-sfida.asp").Value("nickname"), "carla");
  browser_.Post(kRequest, "email=carla%40posta.it");
  const std::string renew = browser_.MailedLink("/sudoku/gioco-offline/nuova-password.asp");
  browser_.Post(kRequest, "email=carla%40posta.it");
  const std::string stale = browser_.MailedLink("/sudoku/gioco-offline/nuova-password.asp");
  clock_.Advance(3600);
  EXPECT_EQ(browser_.Get(renew).Status, 200);
  EXPECT_EQ(browser_.Get(renew).Status, 404);  // once
  EXPECT_EQ(other.Get("/sudoku/sfida-online/lettura-dati-sfida.asp").Value("nickname"), "");
  clock_.Advance(1);
  EXPECT_EQ(browser_.Get(stale).Status, 404);
}

TEST_F(SiteAccountLimits, PasswordRequestsAndRegistrationsAreRateLimited) {
  const AccountLimits limits;
  for (int k = 0; k < limits.PasswordRequests.Allowed; ++k)
    EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 200);
  EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 429);
  clock_.Advance(limits.PasswordRequests.Window);
  EXPECT_EQ(browser_.Post(kRequest, "email=x%40posta.it").Status, 200);

  for (int k = 0; k < limits.Registrations.Allowed; ++k)
    browser_.Post(kRegister, "user=nuovo" + std::to_string(k) + "&password=segreto&email=n" +
                                 std::to_string(k) + "%40posta.it");
  EXPECT_EQ(browser_.Post(kRegister, "user=troppi&password=segreto&email=t%40posta.it").Status,
            429);
}

}  // namespace
}  // namespace sudoku::site::testing

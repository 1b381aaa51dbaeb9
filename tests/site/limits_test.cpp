// The site under abuse: request sizes at their limits, a store locked by another program, and
// the public address of mailed links.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

// A GET of the home page whose head (request line to blank line) is exactly size bytes.
std::string HeadOfSize(std::size_t size) {
  const std::string start = "GET / HTTP/1.1\r\nHost: a\r\nX-Pad: ";
  return start + std::string(size - start.size() - 4, 'p') + "\r\n\r\n";
}

std::string PostOfSize(std::size_t size, bool chunked) {
  const std::string head =
      "POST /sudoku/gioco-offline/login.asp HTTP/1.1\r\nHost: a\r\nConnection: close\r\n";
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
    EXPECT_THAT(error.what(), HasSubstr("already in use"));
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
  EXPECT_EQ(anna.Get("/sudoku/sfida-online/sudoku-online-classifica.asp").Status, 200);  // reads
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
  EXPECT_THAT(browser.LastSetCookie(), HasSubstr("; Secure"));  // behind https only
  httplib::Client raw("127.0.0.1", site.Port());
  ASSERT_TRUE(raw.Post("/sudoku/gioco-offline/richiesta-password.asp", {{"Host", "evil.example"}},
                       "email=carla%40posta.it", "application/x-www-form-urlencoded"));
  const std::string outbox = browser.Get("/sudoku/admin/outbox.asp").Body;
  EXPECT_THAT(outbox,
              HasSubstr("https://sudoku.example/sudoku/gioco-offline/nuova-password.asp?t="));
  EXPECT_THAT(outbox, Not(HasSubstr("evil.example")));
}

}  // namespace
}  // namespace sudoku::site::testing

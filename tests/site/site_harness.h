// Starts the site in-process on a free loopback port over a scratch database, and browses it
// with cookie-keeping clients that follow redirects themselves (so no cookie is lost on the way).
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include <gmock/gmock.h>
#include <httplib.h>

#include "site/site.h"
#include "storage/storage_test_support.h"

namespace sudoku::site::testing {

using ::testing::HasSubstr;
using ::testing::Not;

// Pages of the site that several suites use, and where a refused login ends.
inline const std::string kLogin = "/sudoku/gioco-offline/login.asp";
inline const std::string kRegister = "/sudoku/gioco-offline/registra-utente.asp";
inline const std::string kRequest = "/sudoku/gioco-offline/richiesta-password.asp";
inline const std::string kOutbox = "/sudoku/admin/outbox.asp";
inline const std::string kSfida = "/sudoku/sfida-online/";
inline const std::string kRefused = kLogin + "?res=4pw7anony7wp4";

struct Answer {
  int Status = 0;
  std::string Address;  // path and query the browser ended on
  std::string Body;
  httplib::Headers Headers;
  std::string Title() const;
  // The "value" of the hidden element with that id, or "<none>".
  std::string Value(const std::string& id) const;
};

// The store a test keeps at path: the SQLite file itself, or on PostgreSQL an empty database of
// the run's scratch cluster, the same one for the same path. The cluster is the one whose state
// file SUDOKU_TEST_CLUSTER names (see scratch-cluster), else one started for this process; the
// run is skipped when none can start.
std::string StoreAt(const std::filesystem::path& path);

class RunningSite {
 public:
  // A site over the store at dbPath (see StoreAt) with puzzles catalogue puzzles; adjust may
  // change any other option.
  RunningSite(const std::filesystem::path& dbPath, int puzzles = 40, bool autoConfirm = true,
              const std::function<void(SiteOptions&)>& adjust = {});
  ~RunningSite();
  int Port() const { return port_; }
  Site& Inner() { return *site_; }

 private:
  std::unique_ptr<Site> site_;
  std::thread thread_;
  int port_ = -1;
};

class Browser {
 public:
  // A browser on this machine; from, when given, is the loopback address it connects from
  // ("127.0.0.2"), as another client of the site.
  explicit Browser(int port, const std::string& from = {});
  Answer Get(const std::string& target);
  Answer Post(const std::string& target, const std::string& form);
  // Registers (with the site's auto-confirmation) and logs in; returns the login address.
  std::string SignUp(const std::string& user, const std::string& password = "segreto1");
  std::string LogIn(const std::string& user, const std::string& password = "segreto1");
  // The path and query of the newest link to path in the site's outbox, or "".
  std::string MailedLink(const std::string& path);
  // Takes the other browser's cookies, as one browser reaching another site process would.
  void CopyCookiesFrom(const Browser& other) { cookies_ = other.cookies_; }
  // The last Set-Cookie header the site sent, attributes included.
  const std::string& LastSetCookie() const { return lastSetCookie_; }

 private:
  // Follows redirects from the answer to target, keeping the cookies on the way.
  Answer Follow(httplib::Result result, const std::string& target);
  void KeepCookies(const httplib::Response& response);
  httplib::Headers CookieHeader() const;

  httplib::Client client_;
  std::map<std::string, std::string> cookies_;
  std::string lastSetCookie_;
};

// A clock the test moves by hand, for the site's timed rules.
struct FakeClock {
  std::shared_ptr<std::atomic<std::int64_t>> Seconds =
      std::make_shared<std::atomic<std::int64_t>>(1'800'000'000);
  void Advance(std::int64_t seconds) { *Seconds += seconds; }
  // Sets the clock of the options to this one.
  void Install(SiteOptions& options) const {
    options.Clock = [seconds = Seconds] { return seconds->load(); };
  }
};

// A scratch directory removed at the end of the test.
using ScratchDir = sudoku::test::TempFolder;
using sudoku::test::ReadBytes;

// Polls every 50 ms until done() holds or the seconds pass; returns whether it held.
bool Eventually(const std::function<bool()>& done, int seconds = 10);

}  // namespace sudoku::site::testing

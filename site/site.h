// The site as a whole: its options and limits, its store, and the plumbing every page goes
// through (the route, the session of the request, errors turned into pages, the log).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <unordered_map>
#include <vector>

#include "site/accounts.h"
#include "site/collection_cache.h"
#include "site/db.h"
#include "site/hash_gate.h"
#include "site/http_server.h"
#include "site/mailer.h"
#include "site/site_log.h"
#include "site/throttle.h"

namespace sudoku::site {

struct SiteOptions {
  int Port = 8642;
  std::string DbPath;
  std::uint64_t Seed = 1;
  bool AutoConfirm = false;
  std::string Bind = "127.0.0.1";
  bool LightHashing = false;   // the smallest password-hash limits, for tests
  int CataloguePuzzles = 600;  // puzzles the catalogue is filled with on the first start
  bool Quiet = false;          // no log line for requests answered below 400
  // Where the log goes: a file when LogFile is set (kept under LogMaxBytes, one older file
  // beside it), else standard error when LogToStandardError, else standard output.
  std::string LogFile;
  std::uint64_t LogMaxBytes = 10 * 1024 * 1024;
  bool LogToStandardError = false;
  // The address mailed links point to, "http://host:port"; empty for the listen address.
  std::string PublicUrl;
  HttpLimits Http;
  // How long a request waits for a write lock another program holds before it gets a 503 page.
  int DbBusyMilliseconds = 2000;
  // Password hashes computed at once: each takes the hash's memory limit (19 MiB). At most this
  // many page workers hash, and one more may wait its turn, always leaving two for the pages.
  int ParallelHashes = 1;
  MailSettings Mail;
  AccountLimits Accounts;
  // The clock of every timed rule, in seconds since the epoch; tests set their own.
  std::function<std::int64_t()> Clock;
};

// A request that names another user than its session's, or needs a session it lacks.
struct Forbidden {
  std::string Reason;
};

// A request beyond a rate limit of its user or client; answered with 429.
struct TooMany {};

class Site;

// What a page handler sees of its request.
struct Visit {
  Site& Owner;
  const HttpRequest& Req;
  HttpResponse& Res;
  std::map<std::string, std::string> Query;  // raw (still encoded) values
  std::optional<std::string> User;           // the session's user, lower case
  bool FromLoopback = false;
  bool SessionLost = false;  // the browser brought a session cookie the site no longer knows

  bool Has(const std::string& name) const { return Query.count(name) > 0; }
  // The decoded value of a parameter, empty when absent.
  std::string Param(const std::string& name) const;
  // The raw value of a parameter, empty when absent.
  std::string Raw(const std::string& name) const;
  // Refuses the request unless its session belongs to name (compared ignoring case).
  const std::string& RequireUser(const std::string& name) const;
  // Refuses the request unless it has a session.
  const std::string& RequireSession() const;
  // Answers with a page.
  void Html(const std::string& title, const std::string& body, int status = 200);
  // Sends the browser on to a path of this site.
  void Redirect(const std::string& path);
  // The site's address as this browser reached it, "http://host:port", for links given back to
  // it; never for mailed links, which start with the site's public address.
  std::string BaseAddress() const;
  // The client's network address.
  const std::string& Client() const { return Req.RemoteAddress; }
  // Leaves a short notice code (letters only) for the next page this browser loads.
  void Flash(const std::string& code);
  // The notice code left for this page, cleared as it is read; empty when none.
  std::string TakeFlash();
};

using PageHandler = std::function<void(Visit&)>;

class Site {
 public:
  explicit Site(SiteOptions options);

  const SiteOptions& Options() const { return options_; }
  // The calling thread's own connection to the store (readers never wait for each other).
  Db& Store();
  HashLimits Hashing();
  // Sends a mail from the site (see Mailer::Send).
  MailOutcome SendMail(const Mail& mail);
  bool MailIsOff() const { return mailer_.Off(); }
  std::int64_t Now() const { return options_.Clock(); }
  Throttles& Limits() { return throttles_; }
  CollectionCache& Collections() { return collections_; }
  // Writes a line to the site's log (never a password or a token).
  void Log(const std::string& line) { log_.Write(line); }
  // The public address: the option, else the address the site listens on.
  const std::string& PublicUrl() const { return publicUrl_; }
  // Withdraws and ends the challenges whose players vanished, at most once a second over the
  // whole store, whatever the number of site processes; true when this call did it.
  bool SweepChallenges();
  // Users seen within the dead-player interval; counted again once a second, or sooner after a page
  // of any process opened or closed a session (the count scans every recent session).
  int UsersOnline();
  void SessionsChanged();

  // Registers a page for GET (and POST when post is set) at path.
  void Page(const std::string& path, PageHandler handler, bool post = false);
  // Registers a page for GET at every path matching the regular expression.
  void Pattern(const std::string& regex, PageHandler handler);

  // Binds the address of the options (port 0 picks a free one) and returns the port; throws
  // std::runtime_error saying why it cannot (a port already in use included).
  int Bind();
  // Serves until Stop is called.
  void Serve();
  void Stop();

 private:
  struct Route {
    PageHandler Handler;
    bool Post = false;
  };
  void Dispatch(const HttpRequest& req, HttpResponse& res);
  // The health page: 200 "ok" while the store answers a trivial query, else 503.
  void Health(HttpResponse& res);
  void Run(const PageHandler& handler, const HttpRequest& req, HttpResponse& res);
  std::optional<std::string> SessionUser(const HttpRequest& req);

  SiteOptions options_;
  SiteLog log_;
  const std::uint64_t serial_;  // tells this site's connections from an earlier site's
  std::mutex storesLock_;
  std::vector<std::unique_ptr<Db>> stores_;
  HashGate hashGate_;
  std::string dummyHash_;
  Mailer mailer_;
  Throttles throttles_;
  CollectionCache collections_;
  std::atomic<std::int64_t> lastSweep_{0};
  std::mutex onlineLock_;  // guards the three below, never held while counting
  std::int64_t onlineAt_ = -1;
  std::int64_t onlineGeneration_ = -1;
  int online_ = 0;
  std::unordered_map<std::string, Route> pages_;
  std::vector<std::pair<std::regex, PageHandler>> patterns_;
  std::string publicUrl_;
  std::unique_ptr<HttpServer> server_;
};

// Builds the site with every page registered.
void RegisterAllPages(Site& site);
// Fills the catalogue on its first start (see SeedCatalogue) on the calling thread, which may
// be another than the pages' while the site answers: the one place the site makes puzzles,
// meant to run once per store. Stops between months once stop (when given) is set.
void FillCatalogue(Site& site, const std::atomic<bool>* stop = nullptr);

}  // namespace sudoku::site

// The site as a whole: its options, its store, and the plumbing every page goes through
// (one lock around the store, the session of the request, errors turned into pages, the log).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include <httplib.h>

#include "site/accounts.h"
#include "site/db.h"

namespace sudoku::site {

struct SiteOptions {
  int Port = 8642;
  std::string DbPath;
  std::uint64_t Seed = 1;
  bool AutoConfirm = false;
  std::string Bind = "127.0.0.1";
  bool LightHashing = false;   // the smallest password-hash limits, for tests
  int CataloguePuzzles = 600;  // puzzles the catalogue is seeded with on the first start
  bool Quiet = false;          // no request log
};

// A request that names another user than its session's, or needs a session it lacks.
struct Forbidden {
  std::string Reason;
};

class Site;

// What a page handler sees of its request.
struct Visit {
  Site& Owner;
  const httplib::Request& Req;
  httplib::Response& Res;
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
  // The site's own address as the browser reached it, "http://host:port".
  std::string BaseAddress() const;
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
  Db& Store() { return db_; }
  HashLimits Hashing() const { return options_.LightHashing ? LightLimits() : InteractiveLimits(); }

  // Registers a page for GET (and POST when post is set) at path.
  void Page(const std::string& path, PageHandler handler, bool post = false);
  // Registers a page for GET at every path matching the regular expression.
  void Pattern(const std::string& regex, PageHandler handler);

  // Binds the address of the options (port 0 picks a free one); returns the port, or -1.
  int Bind();
  // Serves until Stop is called.
  void Serve();
  void Stop();

 private:
  void Run(const PageHandler& handler, const httplib::Request& req, httplib::Response& res);
  std::optional<std::string> SessionUser(const httplib::Request& req);

  SiteOptions options_;
  Db db_;
  std::mutex lock_;
  httplib::Server server_;
};

// Builds the site with every page registered; seeds the catalogue on the first start.
void RegisterAllPages(Site& site);

}  // namespace sudoku::site

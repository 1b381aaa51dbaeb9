// The request plumbing: routes, sessions, error pages, the request log and the store's
// connections.
#include "site/site.h"

#include <sodium.h>

#include <cctype>
#include <stdexcept>

#include "site/challenges.h"
#include "site/html.h"
#include "site/query.h"
#include "site/sessions.h"
#include "site/shared_state.h"

namespace sudoku::site {
namespace {

// How often the challenges whose players vanished are looked for, in seconds.
constexpr std::int64_t kSweepInterval = 1;

// The store's counter of sessions opened and closed, and the lease of the challenge sweep.
constexpr const char* kSessionsCounter = "sessions";
constexpr const char* kSweepLease = "challenge sweep";

// The page a load balancer asks whether this process can serve.
constexpr const char* kHealthPath = "/healthz";

std::string QueryOf(const HttpRequest& req) {
  const std::size_t mark = req.Target.find('?');
  return mark == std::string::npos ? std::string() : req.Target.substr(mark + 1);
}

bool IsLoopback(const std::string& address) {
  return address.rfind("127.", 0) == 0 || address == "::1" || address.rfind("::ffff:127.", 0) == 0;
}

// A host name or IPv4 address, or an IPv6 address in brackets, each with an optional port; read
// by hand, as a regular expression would recurse once per character of an 8 KB header.
bool IsPlainHost(const std::string& host) {
  if (host.empty() || host.size() > 255) return false;
  std::size_t at = 0;
  if (host[0] == '[') {
    at = host.find(']');
    if (at == std::string::npos || at == 1 ||
        host.find_first_not_of("0123456789abcdefABCDEF:.", 1) != at)
      return false;
    ++at;
  } else {
    while (at < host.size() && (std::isalnum(static_cast<unsigned char>(host[at])) ||
                                host[at] == '.' || host[at] == '-'))
      ++at;
    if (at == 0) return false;
  }
  if (at == host.size()) return true;
  const std::string port = host.substr(at + 1);
  return host[at] == ':' && !port.empty() && port.size() <= 5 &&
         port.find_first_not_of("0123456789") == std::string::npos;
}

int HashesAtOnce(const SiteOptions& options) {
  return std::max(1, std::min(options.ParallelHashes, options.Http.Workers - 2));
}

int HashesWaiting(const SiteOptions& options) {
  return std::max(0, options.Http.Workers - HashesAtOnce(options) - 2);
}

// The host of the public address as the domain of the site's sender address; an IP address
// becomes an address literal.
std::string MailHost(const std::string& publicUrl) {
  std::size_t start = publicUrl.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  std::string host = publicUrl.substr(start, publicUrl.find('/', start) - start);
  if (!host.empty() && host[0] == '[') return host.substr(0, host.find(']') + 1);
  host = host.substr(0, host.find(':'));
  if (host.empty()) return "localhost";
  if (host.find_first_not_of("0123456789.") == std::string::npos) return "[" + host + "]";
  return host;
}

std::uint64_t NextSerial() {
  static std::atomic<std::uint64_t> serial{0};
  return ++serial;
}

SiteLog::Target LogTarget(const SiteOptions& options) {
  if (!options.LogFile.empty()) return SiteLog::Target::File;
  return options.LogToStandardError ? SiteLog::Target::StandardError
                                    : SiteLog::Target::StandardOutput;
}

// Headers on every answer of the site: no type guessing, no framing by other pages, no
// addresses (and their tokens) handed to other sites.
void AddGuardHeaders(HttpResponse& res) {
  res.SetHeader("X-Content-Type-Options", "nosniff");
  res.SetHeader("X-Frame-Options", "DENY");
  res.SetHeader("Referrer-Policy", "same-origin");
}

void ErrorPage(HttpResponse& res, int status, const std::string& title, const std::string& text) {
  res.Status = status;
  res.SetContent(PageHtml(title, Paragraph(text)), "text/html; charset=utf-8");
}

}  // namespace

std::string Visit::Param(const std::string& name) const {
  return PercentDecode(Raw(name));
}

std::string Visit::Raw(const std::string& name) const {
  const auto found = Query.find(name);
  return found == Query.end() ? std::string() : found->second;
}

const std::string& Visit::RequireSession() const {
  if (!User) throw Forbidden{"Devi essere connesso con la tua user."};
  return *User;
}

const std::string& Visit::RequireUser(const std::string& name) const {
  const std::string& user = RequireSession();
  if (Lower(name) != user) throw Forbidden{"La richiesta non riguarda la tua user."};
  return user;
}

void Visit::Html(const std::string& title, const std::string& body, int status) {
  Res.Status = status;
  Res.SetContent(PageHtml(title, body), "text/html; charset=utf-8");
}

void Visit::Redirect(const std::string& path) {
  Res.Status = 303;
  Res.SetHeader("Location", path);
}

std::string Visit::BaseAddress() const {
  const std::string host = Req.Header("Host");
  if (IsPlainHost(host)) return "http://" + host;
  return "http://127.0.0.1";
}

void Visit::Flash(const std::string& code) {
  Res.SetHeader("Set-Cookie", "avviso=" + code + "; Path=/; Max-Age=120; HttpOnly");
}

std::string Visit::TakeFlash() {
  const auto code = CookieValue(Req.Header("Cookie"), "avviso");
  if (!code || code->empty()) return {};
  Res.SetHeader("Set-Cookie", "avviso=; Path=/; Max-Age=0; HttpOnly");
  for (char c : *code)
    if (c < 'a' || c > 'z') return {};
  return *code;
}

Site::Site(SiteOptions options)
    : options_(std::move(options)),
      log_(LogTarget(options_), options_.LogFile, options_.LogMaxBytes),
      serial_(NextSerial()),
      hashGate_(HashesAtOnce(options_), HashesWaiting(options_), std::chrono::seconds(5)),
      mailer_(options_.Mail),
      throttles_(options_.Accounts, [this]() -> Db& { return Store(); }) {
  if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
  if (!options_.Clock) options_.Clock = NowSeconds;
  dummyHash_ = DummyHash(options_.LightHashing ? LightLimits() : InteractiveLimits());
  Store();  // creates the schema before any request
}

Db& Site::Store() {
  // Each thread keeps its own connection per site; a serial, never an address, names the site.
  thread_local std::unordered_map<std::uint64_t, Db*> mine;
  Db*& db = mine[serial_];
  if (!db) {
    auto opened = OpenDb(options_.DbPath, std::chrono::milliseconds(options_.DbBusyMilliseconds));
    std::lock_guard<std::mutex> guard(storesLock_);
    db = opened.get();
    stores_.push_back(std::move(opened));
  }
  return *db;
}

HashLimits Site::Hashing() {
  HashLimits limits = options_.LightHashing ? LightLimits() : InteractiveLimits();
  limits.Gate = &hashGate_;
  limits.Dummy = dummyHash_;
  return limits;
}

MailOutcome Site::SendMail(const Mail& mail) {
  std::string from = options_.Mail.From;
  if (from.empty()) from = "noreply@" + MailHost(publicUrl_);
  return mailer_.Send(Store(), mail, from, Now());
}

bool Site::SweepChallenges() {
  const std::int64_t now = Now();
  std::int64_t last = lastSweep_.load();
  if (now - last < kSweepInterval && now >= last) return false;
  if (!lastSweep_.compare_exchange_strong(last, now)) return false;  // another thread sweeps
  Db& db = Store();
  // The lease is taken inside the sweep's transaction: a process killed while sweeping leaves
  // it free.
  return ExpireChallenges(db, now, [&] { return TakeLease(db, kSweepLease, now, kSweepInterval); });
}

void Site::SessionsChanged() {
  BumpCounter(Store(), kSessionsCounter);
}

int Site::UsersOnline() {
  const std::int64_t now = Now();
  const std::int64_t generation = CounterValue(Store(), kSessionsCounter);
  {
    std::lock_guard<std::mutex> guard(onlineLock_);
    if (onlineAt_ == now && onlineGeneration_ == generation) return online_;
  }
  const int count = sudoku::site::UsersOnline(Store(), now);
  std::lock_guard<std::mutex> guard(onlineLock_);
  onlineAt_ = now;
  onlineGeneration_ = generation;
  online_ = count;
  return count;
}

void Site::Page(const std::string& path, PageHandler handler, bool post) {
  pages_[path] = Route{std::move(handler), post};
}

void Site::Pattern(const std::string& regex, PageHandler handler) {
  patterns_.emplace_back(std::regex(regex), std::move(handler));
}

std::optional<std::string> Site::SessionUser(const HttpRequest& req) {
  const auto token = CookieValue(req.Header("Cookie"), kSessionCookie);
  if (!token) return std::nullopt;
  return FindSession(Store(), *token, Now());
}

void Site::Health(HttpResponse& res) {
  res.SetHeader("Cache-Control", "no-store");
  try {
    Store().Prepare("SELECT 1 FROM users LIMIT 1").Step();
    res.SetContent("ok", "text/plain; charset=utf-8");
  } catch (const std::exception&) {
    res.Status = 503;
    res.SetContent("store unavailable", "text/plain; charset=utf-8");
  }
}

void Site::Dispatch(const HttpRequest& req, HttpResponse& res) {
  const bool get = req.Method == "GET", post = req.Method == "POST";
  if (get && req.Path == kHealthPath) return Health(res);
  if (const auto page = pages_.find(req.Path); page != pages_.end()) {
    if (get || (post && page->second.Post)) return Run(page->second.Handler, req, res);
  } else if (get) {
    for (const auto& [pattern, handler] : patterns_)
      if (std::regex_match(req.Path, pattern)) return Run(handler, req, res);
  }
  ErrorPage(res, 404, "pagina non trovata", "Pagina non trovata.");
}

void Site::Run(const PageHandler& handler, const HttpRequest& req, HttpResponse& res) {
  res.SetHeader("Cache-Control", "no-store");
  try {
    SweepChallenges();
    Visit visit{*this,
                req,
                res,
                ParseRawQuery(QueryOf(req)),
                SessionUser(req),
                IsLoopback(req.RemoteAddress)};
    const auto token = CookieValue(req.Header("Cookie"), kSessionCookie);
    visit.SessionLost = !visit.User && token && !token->empty();
    try {
      handler(visit);
    } catch (const BadRequest& bad) {
      visit.Html("richiesta non valida", Paragraph("Richiesta non valida: " + bad.Reason), 400);
    } catch (const Forbidden& refused) {
      visit.Html("richiesta rifiutata", Paragraph(refused.Reason), 403);
    } catch (const TooMany&) {
      res.SetHeader("Retry-After", "60");
      visit.Html("troppe richieste", Paragraph("Troppe richieste: riprova pi\u00f9 tardi."), 429);
    } catch (const HashBusy&) {
      res.SetHeader("Retry-After", "5");
      visit.Html("sito occupato",
                 Paragraph("Il sito \u00e8 occupato, riprova tra qualche secondo."), 503);
    }
  } catch (const DbBusy&) {
    // Another program holds the store: say so at once rather than keep the client waiting.
    res = HttpResponse{};
    res.SetHeader("Cache-Control", "no-store");
    res.SetHeader("Retry-After", "5");
    ErrorPage(res, 503, "sito occupato", "Il sito \u00e8 occupato, riprova tra qualche secondo.");
  } catch (const std::exception& error) {
    Log(req.RemoteAddress + " " + req.Method + " " + req.Path + " error: " + error.what());
    res = HttpResponse{};
    ErrorPage(res, 500, "errore", "Errore interno del sito.");
  }
}

int Site::Bind() {
  auto logger = [this](const HttpRequest& req, const HttpResponse& res) {
    // A balancer asks for the health page every few seconds: only its failures are news.
    if ((options_.Quiet || req.Path == kHealthPath) && res.Status < 400) return;
    Log(req.RemoteAddress + " " + req.Method + " " + req.Path + " " + std::to_string(res.Status));
  };
  server_ = std::make_unique<HttpServer>(
      options_.Http,
      [this](const HttpRequest& req, HttpResponse& res) {
        Dispatch(req, res);
        AddGuardHeaders(res);
      },
      std::move(logger), [this](const std::string& line) { Log(line); });
  const int port = server_->Listen(options_.Bind, options_.Port);
  publicUrl_ = options_.PublicUrl;
  if (publicUrl_.empty()) {
    std::string host = options_.Bind;
    if (host == "0.0.0.0" || host == "::") host = "127.0.0.1";
    if (host.find(':') != std::string::npos) host = "[" + host + "]";
    publicUrl_ = "http://" + host + ":" + std::to_string(port);
  }
  while (!publicUrl_.empty() && publicUrl_.back() == '/') publicUrl_.pop_back();
  return port;
}

void Site::Serve() {
  server_->Run();
}

void Site::Stop() {
  if (server_) server_->Stop();
}

}  // namespace sudoku::site

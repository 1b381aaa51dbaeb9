// The request plumbing: locking, sessions, error pages and the request log.
#include "site/site.h"

#include <sodium.h>

#include <cctype>
#include <cstdio>
#include <regex>
#include <stdexcept>

#include "site/html.h"
#include "site/query.h"
#include "site/sessions.h"

namespace sudoku::site {
namespace {

std::string QueryOf(const httplib::Request& req) {
  const std::size_t mark = req.target.find('?');
  return mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
}

// Bodies are small forms; anything larger is refused before it is read into memory.
constexpr std::size_t kMaxBody = 16 * 1024;

bool IsLoopback(const std::string& address) {
  return address.rfind("127.", 0) == 0 || address == "::1" || address == "::ffff:127.0.0.1";
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
  Res.status = status;
  Res.set_content(PageHtml(title, body), "text/html; charset=utf-8");
}

void Visit::Redirect(const std::string& path) {
  Res.status = 303;
  Res.set_header("Location", path);
}

std::string Visit::BaseAddress() const {
  const std::string host = Req.get_header_value("Host");
  if (IsPlainHost(host)) return "http://" + host;
  return "http://127.0.0.1";
}

void Visit::Flash(const std::string& code) {
  Res.set_header("Set-Cookie", "avviso=" + code + "; Path=/; Max-Age=120; HttpOnly");
}

std::string Visit::TakeFlash() {
  const auto code = CookieValue(Req.get_header_value("Cookie"), "avviso");
  if (!code || code->empty()) return {};
  Res.set_header("Set-Cookie", "avviso=; Path=/; Max-Age=0; HttpOnly");
  for (char c : *code)
    if (c < 'a' || c > 'z') return {};
  return *code;
}

Site::Site(SiteOptions options) : options_(std::move(options)), db_(options_.DbPath) {
  if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
}

void Site::Page(const std::string& path, PageHandler handler, bool post) {
  auto run = [this, handler](const httplib::Request& req, httplib::Response& res) {
    Run(handler, req, res);
  };
  const std::string pattern = std::regex_replace(path, std::regex(R"([.\-])"), R"(\$&)");
  server_.Get(pattern, run);
  if (post) server_.Post(pattern, run);
}

void Site::Pattern(const std::string& regex, PageHandler handler) {
  server_.Get(regex, [this, handler](const httplib::Request& req, httplib::Response& res) {
    Run(handler, req, res);
  });
}

std::optional<std::string> Site::SessionUser(const httplib::Request& req) {
  const auto token = CookieValue(req.get_header_value("Cookie"), kSessionCookie);
  if (!token) return std::nullopt;
  return FindSession(db_, *token, NowSeconds());
}

void Site::Run(const PageHandler& handler, const httplib::Request& req, httplib::Response& res) {
  std::lock_guard<std::mutex> guard(lock_);
  res.set_header("Cache-Control", "no-store");
  try {
    Visit visit{*this,
                req,
                res,
                ParseRawQuery(QueryOf(req)),
                SessionUser(req),
                IsLoopback(req.remote_addr)};
    const auto token = CookieValue(req.get_header_value("Cookie"), kSessionCookie);
    visit.SessionLost = !visit.User && token && !token->empty();
    try {
      handler(visit);
    } catch (const BadRequest& bad) {
      visit.Html("richiesta non valida", Paragraph("Richiesta non valida: " + bad.Reason), 400);
    } catch (const Forbidden& refused) {
      visit.Html("richiesta rifiutata", Paragraph(refused.Reason), 403);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sudoku-site: %s %s: %s\n", req.method.c_str(), req.path.c_str(),
                 error.what());
    res.status = 500;
    res.set_content(PageHtml("errore", Paragraph("Errore interno del sito.")),
                    "text/html; charset=utf-8");
  }
}

int Site::Bind() {
  // The game keeps a connection open for each of its browser panes; enough workers that idle
  // kept-alive connections never hold up a pane's next page.
  server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
  server_.set_keep_alive_timeout(3);
  server_.set_payload_max_length(kMaxBody);
  if (!options_.Quiet) {
    server_.set_logger([](const httplib::Request& req, const httplib::Response& res) {
      std::printf("%s %s %s %d\n", req.remote_addr.c_str(), req.method.c_str(), req.path.c_str(),
                  res.status);
      std::fflush(stdout);
    });
  }
  server_.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty())
      res.set_content(PageHtml("pagina non trovata", Paragraph("Pagina non trovata.")),
                      "text/html; charset=utf-8");
  });
  if (options_.Port == 0) return server_.bind_to_any_port(options_.Bind);
  return server_.bind_to_port(options_.Bind, options_.Port) ? options_.Port : -1;
}

void Site::Serve() {
  server_.listen_after_bind();
}

void Site::Stop() {
  server_.stop();
}

}  // namespace sudoku::site

// The site under abuse: request sizes and connections at their limits, client addresses behind
// a proxy, the log of what was refused, a store locked by another program, and the public
// address of mailed links.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "site/client_address.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

// A connection to the site from a loopback address of choice (any of 127.0.0.0/8), closed when
// destroyed; every read waits at most 10 s.
class RawConnection {
 public:
  explicit RawConnection(int port, const std::string& from = "127.0.0.1")
      : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from.c_str(), &local.sin_addr);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval wait{10, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    connected_ = bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                 connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawConnection() { close(fd_); }
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  // Sends bytes as they are and returns the status of the answer, or 0 when the connection ends
  // without one (the rest of the answer is left unread).
  int Status(const std::string& request) {
    if (!connected_) return 0;
    // A refused request may be answered before all of it is sent: a failed send is no failure.
    for (std::size_t sent = 0; sent < request.size();) {
      const ssize_t n = send(fd_, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += std::size_t(n);
    }
    char head[16] = {};
    if (recv(fd_, head, sizeof head - 1, MSG_WAITALL) >= 12 && std::string(head, 9) == "HTTP/1.1 ")
      return std::atoi(head + 9);
    return 0;
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

// Sends bytes as they are on a fresh connection and returns the status of the answer, or 0 when
// the connection ends without one.
int RawStatus(int port, const std::string& request, const std::string& from = "127.0.0.1") {
  return RawConnection(port, from).Status(request);
}

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

// The log once it holds needle (or after 10 s): the site may note a dropped connection just
// after its client has seen it closed.
std::string LogHolding(const std::filesystem::path& path, const std::string& needle) {
  std::string text;
  Eventually([&] { return (text = ReadBytes(path)).find(needle) != std::string::npos; });
  return text;
}

// Options for a site that logs every request to dir/site.log.
std::function<void(SiteOptions&)> LogTo(const ScratchDir& dir) {
  return [log = (dir / "site.log").string()](SiteOptions& o) {
    o.Quiet = false;
    o.LogFile = log;
  };
}

const std::string kHome = "GET / HTTP/1.1\r\nHost: a\r\n\r\n";

TEST(SiteLimits, RequestsAreRefusedJustPastEachLimitAndLogged) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [&](SiteOptions& o) {
    LogTo(dir)(o);
    o.Http.RequestTimeout = std::chrono::seconds(2);
  });
  const HttpLimits limits;
  std::string lines;  // with Host, as many header lines as allowed
  for (std::size_t k = 1; k < limits.MaxHeaderCount; ++k)
    lines += "X-" + std::to_string(k) + ": v\r\n";
  const struct {
    const char* Name;
    std::string Request;
    int Status;          // 0: dropped without an answer
    std::string Logged;  // a line of the log that tells the case
  } cases[] = {
      {"head at its limit", HeadOfSize(limits.MaxHeaderBytes), 200, "127.0.0.1 GET / 200"},
      {"head past its limit", HeadOfSize(limits.MaxHeaderBytes + 1), 431,
       "127.0.0.1 GET / 431 refused: request head over 8192 bytes"},
      {"header lines at their limit", "GET / HTTP/1.1\r\nHost: a\r\n" + lines + "\r\n", 200, ""},
      {"header lines past their limit", "GET / HTTP/1.1\r\nHost: a\r\nX-0: v\r\n" + lines + "\r\n",
       431, "127.0.0.1 GET / 431 refused: over 64 header lines"},
      {"body at its limit", PostOfSize(limits.MaxBodyBytes, false), 303, ""},
      {"body past its limit", PostOfSize(limits.MaxBodyBytes + 1, false), 413,
       "127.0.0.1 POST /sudoku/gioco-offline/login.asp 413 refused"},
      {"chunked body at its limit", PostOfSize(limits.MaxBodyBytes, true), 303, ""},
      {"chunked body past its limit", PostOfSize(limits.MaxBodyBytes + 1, true), 413, ""},
      // A length announced on any method is refused before anything is read.
      {"length announced", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 314572800\r\n\r\n", 413,
       "127.0.0.1 GET / 413 refused: body over 16384 bytes"},
      {"malformed", "NONSENSE\r\n\r\n", 400, "127.0.0.1 - - 400 refused: malformed request"},
      {"not complete in time", "GET / HTTP/1.1\r\nHost", 0,
       "127.0.0.1 GET / - dropped: request not complete within 2 s"},
  };
  for (const auto& c : cases) EXPECT_EQ(RawStatus(site.Port(), c.Request), c.Status) << c.Name;
  const std::string log = LogHolding(dir / "site.log", "dropped");
  for (const auto& c : cases) EXPECT_THAT(log, HasSubstr(c.Logged)) << c.Name;
}

TEST(SiteLimits, OneAddressHoldsItsShareOfConnectionsAndNoMore) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [&](SiteOptions& o) {
    LogTo(dir)(o);
    o.Http.TrustedProxies = {"127.0.0.3"};
  });
  const std::size_t share = HttpLimits().MaxConnectionsPerAddress;
  std::vector<std::unique_ptr<RawConnection>> held;
  for (std::size_t k = 0; k < share; ++k) {
    held.push_back(std::make_unique<RawConnection>(site.Port()));
    ASSERT_EQ(held.back()->Status(kHome), 200) << "connection " << k + 1;
  }
  EXPECT_EQ(RawStatus(site.Port(), kHome), 0) << "one past the share";
  EXPECT_EQ(RawStatus(site.Port(), kHome, "127.0.0.2"), 200) << "another address";
  EXPECT_THAT(LogHolding(dir / "site.log", "refused connection"),
              HasSubstr("127.0.0.1 - - - refused connection: 64 connections open from this "
                        "address (1 refusal)"));

  // A closed connection gives its place back (once the site has seen it close).
  held.pop_back();
  EXPECT_TRUE(Eventually([&] { return RawStatus(site.Port(), kHome) == 200; }));

  // A trusted proxy carries many clients: its connections are not counted.
  std::vector<std::unique_ptr<RawConnection>> proxied;
  for (std::size_t k = 0; k <= share; ++k) {
    proxied.push_back(std::make_unique<RawConnection>(site.Port(), "127.0.0.3"));
    ASSERT_EQ(proxied.back()->Status(kHome), 200) << "proxy connection " << k + 1;
  }
}

TEST(SiteLimits, OnlyATrustedProxyNamesTheClient) {
  struct Case {
    std::string Peer, ForwardedFor, Client;
  };
  const std::vector<std::string> trusted = {"127.0.0.1", "10.0.0.2"};
  const std::vector<Case> cases = {
      {"127.0.0.1", "", "127.0.0.1"},
      {"127.0.0.1", "203.0.113.7", "203.0.113.7"},
      {"127.0.0.1", "6.6.6.6, 203.0.113.7", "203.0.113.7"},   // a forged entry on the left
      {"127.0.0.1", "203.0.113.7, 10.0.0.2", "203.0.113.7"},  // a chain of two proxies
      {"127.0.0.1", "10.0.0.2,127.0.0.1", "10.0.0.2"},        // only proxies: the last one
      {"127.0.0.1", "203.0.113.7, garbage", "127.0.0.1"},     // no address: the last hop
      {"127.0.0.1", "203.0.113.7:4711", "203.0.113.7"},       // with a port
      {"127.0.0.1", "[2001:db8::1]:4711", "2001:db8::1"},     // IPv6 with a port
      {"127.0.0.1", "::ffff:203.0.113.7", "203.0.113.7"},     // IPv4 in IPv6
      {"127.0.0.1", ",", "127.0.0.1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ForwardedClient(c.Peer, c.ForwardedFor, trusted), c.Client) << c.ForwardedFor;
  EXPECT_EQ(ConnectionKey("2001:db8:1:2:3:4:5:6"), "2001:db8:1:2::/64");
  EXPECT_EQ(ConnectionKey("192.0.2.1"), "192.0.2.1");

  // The site reads the header from its trusted proxy alone.
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [&](SiteOptions& o) {
    LogTo(dir)(o);
    o.Http.TrustedProxies = {"127.0.0.2"};
  });
  const std::string forwarded =
      "GET / HTTP/1.1\r\nHost: a\r\nX-Forwarded-For: 6.6.6.6\r\n"
      "X-Forwarded-For: 198.51.100.4\r\n\r\n";
  EXPECT_EQ(RawStatus(site.Port(), forwarded, "127.0.0.2"), 200);
  EXPECT_EQ(RawStatus(site.Port(), forwarded, "127.0.0.4"), 200);
  const std::string log = LogHolding(dir / "site.log", "127.0.0.4 GET / 200");
  EXPECT_THAT(log, HasSubstr("198.51.100.4 GET / 200"));
  EXPECT_THAT(log, HasSubstr("127.0.0.4 GET / 200"));
  EXPECT_THAT(log, Not(HasSubstr("6.6.6.6")));
}

TEST(SiteLimits, TheLogFileStaysUnderItsCapWithOneOlderFile) {
  ScratchDir dir;
  const auto path = dir / "cap.log";
  {
    SiteLog log(SiteLog::Target::File, path.string(), 200);
    for (int k = 0; k < 12; ++k) log.Write("line " + std::to_string(k) + std::string(20, '.'));
  }
  // Each line takes 48 bytes with its time: four fit under 200.
  const std::string newest = ReadBytes(path), older = ReadBytes(path.string() + ".1");
  EXPECT_LE(newest.size(), 200u);
  EXPECT_LE(older.size(), 200u);
  EXPECT_THAT(older, HasSubstr("line 7."));
  EXPECT_THAT(newest, HasSubstr("line 11."));
  EXPECT_THAT(newest + older, Not(HasSubstr("line 3.")));
  // A restarted site appends to the file it left.
  SiteLog(SiteLog::Target::File, path.string(), 1000).Write("again");
  EXPECT_THAT(ReadBytes(path), HasSubstr("line 11."));
}

TEST(SiteLimits, EveryAnswerForbidsFramingAndTypeGuessing) {
  ScratchDir dir;
  RunningSite site(dir / "site.db");
  Browser browser(site.Port());
  for (const std::string target :
       {"/sudoku/gioco-offline/login.asp", "/missing", "/sudoku/download/puzzles-1999-01.zip"}) {
    const Answer answer = browser.Get(target);
    const auto header = [&](const std::string& name) {
      const auto found = answer.Headers.find(name);
      return found == answer.Headers.end() ? std::string("<none>") : found->second;
    };
    EXPECT_EQ(header("X-Content-Type-Options"), "nosniff") << target;
    EXPECT_EQ(header("X-Frame-Options"), "DENY") << target;
    EXPECT_EQ(header("Referrer-Policy"), "same-origin") << target;
  }
}

TEST(SiteLimits, APortInUseIsRefusedWithItsCause) {
  ScratchDir dir;
  RunningSite first(dir / "site.db");
  SiteOptions options;
  options.DbPath = StoreAt(dir / "other.db");
  options.Port = first.Port();
  Site second(options);
  EXPECT_THAT([&] { second.Bind(); },
              ::testing::ThrowsMessage<std::runtime_error>(HasSubstr("already in use")));
}

TEST(SiteLimits, AStoreLockedElsewhereGivesABusyPageNotAHang) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, [](SiteOptions& o) { o.DbBusyMilliseconds = 100; });
  Browser anna(site.Port());
  anna.SignUp("anna1");
  {
    auto other = OpenDb(StoreAt(dir / "site.db"));
    Transaction held(*other);  // another program writing
    const Answer busy = anna.Get("/sudoku/sfida-online/lancia-sfida.asp");
    EXPECT_EQ(busy.Status, 503);
    EXPECT_EQ(busy.Title(), "sito occupato");
    EXPECT_EQ(anna.Get("/sudoku/sfida-online/sudoku-online-classifica.asp").Status, 200);  // reads
  }
  EXPECT_EQ(anna.Get("/sudoku/sfida-online/lancia-sfida.asp").Status, 200);
}

TEST(SiteLimits, TheHealthPageFollowsTheStoreAndLogsOnlyItsFailures) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true, LogTo(dir));
  Browser balancer(site.Port());
  const auto health = [&] {
    const Answer answer = balancer.Get("/healthz");
    return std::to_string(answer.Status) + " " + answer.Body;
  };
  // The page workers open their connections at their first request: here, on a file that is
  // no store, once every page of the store has moved from its journal into the file.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "site.db").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(other);
  std::filesystem::rename(dir / "site.db", dir / "away.db");
  sudoku::test::WriteBytes(dir / "site.db", std::string(4096, 'x'));
  EXPECT_EQ(health(), "503 store unavailable");
  std::filesystem::rename(dir / "away.db", dir / "site.db");
  EXPECT_EQ(health(), "200 ok");
  balancer.Get("/missing");
  const std::string log = LogHolding(dir / "site.log", "GET /missing 404");
  EXPECT_THAT(log, HasSubstr("127.0.0.1 GET /healthz 503"));
  EXPECT_THAT(log, Not(HasSubstr("/healthz 200")));
}

TEST(SiteLimits, MailedLinksUseThePublicAddressNotTheHostHeader) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, true,
                   [](SiteOptions& o) { o.PublicUrl = "https://sudoku.example/"; });
  Browser browser(site.Port());
  browser.SignUp("carla");
  EXPECT_THAT(browser.LastSetCookie(), HasSubstr("; Secure"));  // behind https only
  httplib::Client raw("127.0.0.1", site.Port());
  ASSERT_TRUE(raw.Post(kRequest.c_str(), {{"Host", "evil.example"}}, "email=carla%40posta.it",
                       "application/x-www-form-urlencoded"));
  const std::string outbox = browser.Get(kOutbox).Body;
  EXPECT_THAT(outbox,
              HasSubstr("https://sudoku.example/sudoku/gioco-offline/nuova-password.asp?t="));
  EXPECT_THAT(outbox, Not(HasSubstr("evil.example")));
}

}  // namespace
}  // namespace sudoku::site::testing

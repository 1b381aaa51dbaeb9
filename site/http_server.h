// The site's HTTP transport: keep-alive connections held on a few I/O threads (Boost.Beast over
// Asio), each request read within size and time limits and handed to a small pool of workers.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sudoku::site {

struct HttpRequest {
  std::string Method;  // "GET", "POST", ...
  std::string Target;  // path and query as sent
  std::string Path;    // the target before "?"
  std::string Body;
  // The client's address: the connection's peer or, when the peer is a trusted proxy, the
  // client it names in X-Forwarded-For. Every per-client limit is keyed by it.
  std::string RemoteAddress;
  std::vector<std::pair<std::string, std::string>> Headers;

  // The first value of a header (names compared ignoring case), empty when absent.
  std::string Header(const std::string& name) const;
};

struct HttpResponse {
  int Status = 200;
  std::vector<std::pair<std::string, std::string>> Headers;  // in order; names may repeat
  std::string Body;
  // A body shared by every answer that sends it (a collection's zip); sent instead of Body.
  std::shared_ptr<const std::string> SharedBody;

  void SetHeader(const std::string& name, const std::string& value);
  void SetContent(std::string body, const std::string& type);
  void SetSharedContent(std::shared_ptr<const std::string> body, const std::string& type);
};

// What a client may send and how long it may take; whatever exceeds them is answered with
// 400, 413 or 431 (or dropped) before it can take memory or a thread.
struct HttpLimits {
  std::size_t MaxHeaderBytes = 8 * 1024;    // request line and every header line together
  std::size_t MaxHeaderCount = 64;          // header lines
  std::size_t MaxBodyBytes = 16 * 1024;     // any method, with Content-Length or chunked
  std::chrono::seconds RequestTimeout{30};  // a whole request, from the first byte awaited
  std::chrono::seconds WriteTimeout{30};    // a whole response
  std::size_t MaxConnections = 10000;       // open at once; more are closed at once
  // Open at once from one client address (an IPv6 /64); more are closed at once. Trusted
  // proxies are not counted: they carry many clients and cap each themselves.
  std::size_t MaxConnectionsPerAddress = 64;
  // Peers (IP addresses) whose X-Forwarded-For header names the client; no other peer's is
  // ever read.
  std::vector<std::string> TrustedProxies;
  // Requests waiting for a worker; past this the site is overwhelmed, and more are answered
  // 503 at once rather than left to wait until their clients have given up.
  std::size_t MaxQueuedRequests = 1000;
  int ListenBacklog = 1024;
  int IoThreads = 1;
  int Workers = 4;  // threads running handlers
};

class HttpServer {
 public:
  using Handler = std::function<void(const HttpRequest&, HttpResponse&)>;
  // Called for each answered request (for the request log); may be empty.
  using Logger = std::function<void(const HttpRequest&, const HttpResponse&)>;
  // Called with a line for each connection or request the transport refused or dropped
  // itself; may be empty.
  using Notice = std::function<void(const std::string& line)>;

  // Throws std::invalid_argument when a trusted proxy is not an IP address.
  HttpServer(HttpLimits limits, Handler handler, Logger logger, Notice notice = {});
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Listens on address:port (0 picks a free port) and returns the port; throws
  // std::runtime_error naming the cause when the address cannot be had (one in use included).
  int Listen(const std::string& address, int port);
  // Serves until Stop is called.
  void Run();
  void Stop();

  struct State;  // the acceptor, the threads and the limits, shared with the connections

 private:
  std::shared_ptr<State> state_;
};

}  // namespace sudoku::site

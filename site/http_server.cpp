// The HTTP transport: an acceptor and one small state machine per connection (read a request
// within the limits, hand it to a worker, write the answer, wait for the next one).
#include "site/http_server.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include "site/client_address.h"

namespace sudoku::site {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

// A refused request may still be sending its body; this much more is read and dropped after
// the answer so the client sees the answer rather than a reset connection.
constexpr std::size_t kDrainBytes = 4 * 1024 * 1024;
constexpr std::chrono::seconds kDrainTime{5};
// Refused connections of one address are logged at most this often, with their count.
constexpr std::chrono::seconds kRefusalLogInterval{1};

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

std::string HttpRequest::Header(const std::string& name) const {
  for (const auto& [key, value] : Headers)
    if (SameName(key, name)) return value;
  return {};
}

void HttpResponse::SetHeader(const std::string& name, const std::string& value) {
  Headers.emplace_back(name, value);
}

void HttpResponse::SetContent(std::string body, const std::string& type) {
  Body = std::move(body);
  for (auto& [key, value] : Headers)
    if (SameName(key, "Content-Type")) {
      value = type;
      return;
    }
  Headers.emplace_back("Content-Type", type);
}

void HttpResponse::SetSharedContent(std::shared_ptr<const std::string> body,
                                    const std::string& type) {
  SetContent({}, type);
  SharedBody = std::move(body);
}

struct HttpServer::State {
  State(HttpLimits limits, Handler handler, Logger logger, Notice notice)
      : Limits(std::move(limits)),
        OnRequest(std::move(handler)),
        Log(std::move(logger)),
        Tell(std::move(notice)),
        Pool(std::size_t(std::max(1, Limits.Workers))) {
    for (std::string& proxy : Limits.TrustedProxies) {
      const std::string canonical = CanonicalAddress(proxy);
      if (canonical.empty()) throw std::invalid_argument("not an IP address: " + proxy);
      proxy = canonical;
    }
  }

  // Members the connections use come first: they outlive the I/O context's pending work.
  HttpLimits Limits;
  Handler OnRequest;
  Logger Log;
  Notice Tell;
  std::atomic<std::size_t> Open{0};
  std::atomic<std::size_t> Queued{0};
  std::mutex OpenLock;  // guards OpenByKey
  std::unordered_map<std::string, std::size_t> OpenByKey;
  asio::io_context Io;
  tcp::acceptor Acceptor{Io};
  asio::steady_timer RetryAccept{Io};
  asio::thread_pool Pool;
  std::vector<std::thread> Threads;
  // Refused connections not yet logged, by address; touched by the accepting handler alone.
  struct Refusals {
    std::size_t Count = 0;
    std::chrono::steady_clock::time_point Logged;
  };
  std::unordered_map<std::string, Refusals> Refused;

  bool Trusted(const std::string& address) const {
    return std::find(Limits.TrustedProxies.begin(), Limits.TrustedProxies.end(), address) !=
           Limits.TrustedProxies.end();
  }
  void Notify(const std::string& line) {
    if (Tell) Tell(line);
  }
  // Counts a connection under key unless the key already holds its share.
  bool Admit(const std::string& key);
  void Release(const std::string& key);
  void Refuse(const std::string& address, const std::string& reason);
  void Accept();
};

bool HttpServer::State::Admit(const std::string& key) {
  std::lock_guard<std::mutex> guard(OpenLock);
  std::size_t& open = OpenByKey[key];
  if (open >= Limits.MaxConnectionsPerAddress) {
    if (open == 0) OpenByKey.erase(key);
    return false;
  }
  ++open;
  return true;
}

void HttpServer::State::Release(const std::string& key) {
  std::lock_guard<std::mutex> guard(OpenLock);
  const auto found = OpenByKey.find(key);
  if (found != OpenByKey.end() && --found->second == 0) OpenByKey.erase(found);
}

// Logs the first refused connection of an address at once and the next ones at most once a
// period, counted, so a flood of connections cannot flood the log.
void HttpServer::State::Refuse(const std::string& address, const std::string& reason) {
  const auto now = std::chrono::steady_clock::now();
  if (Refused.size() > 4096)
    std::erase_if(Refused, [&](const auto& entry) {
      return now - entry.second.Logged > 10 * kRefusalLogInterval;
    });
  Refusals& refused = Refused[address];
  ++refused.Count;
  if (refused.Count > 1 && now - refused.Logged < kRefusalLogInterval) return;
  Notify(address + " - - - refused connection: " + reason + " (" + std::to_string(refused.Count) +
         (refused.Count == 1 ? " refusal)" : " refusals)"));
  refused.Count = 0;
  refused.Logged = now;
}

namespace {

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  using State = HttpServer::State;

  // key names the share of connections this one counts in ("" for none).
  Connection(tcp::socket socket, State& state, std::string peer, std::string key)
      : stream_(std::move(socket)),
        state_(state),
        buffer_(state.Limits.MaxHeaderBytes + state.Limits.MaxBodyBytes + 4096),
        peer_(std::move(peer)),
        key_(std::move(key)) {
    ++state_.Open;
  }
  ~Connection() {
    if (!key_.empty()) state_.Release(key_);
    --state_.Open;
  }

  void Start() {
    asio::dispatch(stream_.get_executor(), [self = shared_from_this()] { self->Read(); });
  }

 private:
  void Read() {
    // An idle connection keeps nothing of the request before: its buffer only if still in use.
    if (buffer_.size() == 0) buffer_.shrink_to_fit();
    client_ = peer_;
    method_ = path_ = "-";
    parser_.emplace();
    // The parser's own count leaves out part of the head; it only bounds the memory here, and
    // the exact limit is checked on the bytes the head took.
    parser_->header_limit(std::uint32_t(state_.Limits.MaxHeaderBytes + 1024));
    parser_->body_limit(state_.Limits.MaxBodyBytes);
    stream_.expires_after(state_.Limits.RequestTimeout);
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = shared_from_this()](beast::error_code ec, std::size_t bytes) {
                              self->OnHeader(ec, bytes);
                            });
  }

  // Sorts out a failed read: an answer for what broke a limit or the syntax, else the end.
  void OnFailure(beast::error_code ec) {
    if (method_ == "-" && !parser_->get().method_string().empty()) {
      // The head broke a limit after its request line was read: name the request in the log.
      method_ = std::string(parser_->get().method_string());
      path_ = std::string(parser_->get().target().substr(0, parser_->get().target().find('?')));
    }
    if (ec == http::error::header_limit)
      return Refuse(431,
                    "request head over " + std::to_string(state_.Limits.MaxHeaderBytes) + " bytes");
    if (ec == http::error::body_limit)
      return Refuse(413, "body over " + std::to_string(state_.Limits.MaxBodyBytes) + " bytes");
    if (ec == beast::error::timeout && (buffer_.size() > 0 || parser_->got_some()))
      state_.Notify(client_ + " " + method_ + " " + path_ +
                    " - dropped: request not complete within " +
                    std::to_string(state_.Limits.RequestTimeout.count()) + " s");
    if (ec == http::error::end_of_stream || ec == beast::error::timeout) return Close();
    if (ec.category() == http::make_error_code(http::error::bad_target).category())
      return Refuse(400, "malformed request");
    Close();
  }

  // The client of the request whose head is read: the peer, or whom a trusted peer names.
  std::string ClientOf(const http::request<http::string_body>& message) const {
    if (!state_.Trusted(peer_)) return peer_;
    std::string forwarded;
    for (const auto& field : message)
      if (SameName(std::string(field.name_string()), "X-Forwarded-For"))
        forwarded += (forwarded.empty() ? "" : ",") + std::string(field.value());
    return ForwardedClient(peer_, forwarded, state_.Limits.TrustedProxies);
  }

  void OnHeader(beast::error_code ec, std::size_t headBytes) {
    if (ec) return OnFailure(ec);
    const auto& message = parser_->get();
    client_ = ClientOf(message);
    method_ = std::string(message.method_string());
    path_ = std::string(message.target().substr(0, message.target().find('?')));
    if (headBytes > state_.Limits.MaxHeaderBytes)
      return Refuse(431,
                    "request head over " + std::to_string(state_.Limits.MaxHeaderBytes) + " bytes");
    if (std::size_t(std::distance(message.begin(), message.end())) > state_.Limits.MaxHeaderCount)
      return Refuse(431, "over " + std::to_string(state_.Limits.MaxHeaderCount) + " header lines");
    if (parser_->is_done()) return OnRead({});
    http::async_read(
        stream_, buffer_, *parser_,
        [self = shared_from_this()](beast::error_code error, std::size_t) { self->OnRead(error); });
  }

  void OnRead(beast::error_code ec) {
    if (ec) return OnFailure(ec);
    auto& message = parser_->get();
    stream_.expires_never();
    HttpRequest request;
    request.Method = std::string(message.method_string());
    request.Target = std::string(message.target());
    request.Path = request.Target.substr(0, request.Target.find('?'));
    request.Body = std::move(message.body());
    request.RemoteAddress = client_;
    for (const auto& field : message)
      request.Headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
    keepAlive_ = message.keep_alive();
    version_ = message.version();
    parser_.reset();
    if (state_.Queued.load() >= state_.Limits.MaxQueuedRequests) {
      state_.Notify(client_ + " " + method_ + " " + path_ + " 503 refused: " +
                    std::to_string(state_.Limits.MaxQueuedRequests) + " requests waiting");
      HttpResponse busy{503, {{"Retry-After", "5"}}, {}, {}};
      busy.SetContent("Il sito \u00e8 occupato, riprova tra qualche secondo.\n",
                      "text/plain; charset=utf-8");
      return Write(std::move(busy));
    }
    ++state_.Queued;
    asio::post(state_.Pool, [self = shared_from_this(), request = std::move(request)] {
      HttpResponse response;
      try {
        self->state_.OnRequest(request, response);
      } catch (...) {
        response = HttpResponse{500, {}, {}, {}};
      }
      --self->state_.Queued;
      if (self->state_.Log) self->state_.Log(request, response);
      asio::post(self->stream_.get_executor(), [self, response = std::move(response)]() mutable {
        self->Write(std::move(response));
      });
    });
  }

  // Answers a request that broke a limit or could not be read, then ends the connection.
  void Refuse(int status, const std::string& reason) {
    state_.Notify(client_ + " " + method_ + " " + path_ + " " + std::to_string(status) +
                  " refused: " + reason);
    keepAlive_ = false;
    version_ = 11;
    HttpResponse response{status, {}, {}, {}};
    response.SetContent(status == 413   ? "Richiesta troppo grande.\n"
                        : status == 431 ? "Intestazioni troppo grandi.\n"
                                        : "Richiesta non valida.\n",
                        "text/plain; charset=utf-8");
    draining_ = true;
    Write(std::move(response));
  }

  // Sends the answer from its own body or the shared one, and lets go of both once written.
  void Write(HttpResponse response) {
    body_ = std::move(response.Body);
    shared_ = std::move(response.SharedBody);
    const std::string& bytes = shared_ ? *shared_ : body_;
    response_.emplace();
    response_->version(version_);
    response_->result(unsigned(response.Status));
    for (const auto& [name, value] : response.Headers) response_->insert(name, value);
    response_->body() = {bytes.data(), bytes.size()};
    response_->keep_alive(keepAlive_);
    response_->prepare_payload();
    stream_.expires_after(state_.Limits.WriteTimeout);
    http::async_write(stream_, *response_,
                      [self = shared_from_this()](beast::error_code ec, std::size_t) {
                        self->response_.reset();
                        std::string().swap(self->body_);
                        self->shared_.reset();
                        if (ec) return self->Close();
                        if (self->draining_) return self->Drain();
                        if (!self->keepAlive_) return self->Close();
                        self->Read();
                      });
  }

  // Closes the sending side and reads (and drops) what the client still sends, up to a bound.
  void Drain() {
    if (drained_ == 0) {
      beast::error_code ignored;
      stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
      stream_.expires_after(kDrainTime);
    }
    if (!scrap_) scrap_ = std::make_unique<std::array<char, 4096>>();
    stream_.async_read_some(asio::buffer(*scrap_),
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              self->drained_ += n + 1;
                              if (ec || self->drained_ > kDrainBytes) return self->Close();
                              self->Drain();
                            });
  }

  void Close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  beast::tcp_stream stream_;
  State& state_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  std::optional<http::response<http::span_body<const char>>> response_;
  std::string body_;                           // the answer being written, when its own
  std::shared_ptr<const std::string> shared_;  // the answer being written, when shared
  const std::string peer_;
  const std::string key_;
  // The request being read, as its log line names it; "-" until known.
  std::string client_, method_ = "-", path_ = "-";
  bool keepAlive_ = false;
  unsigned version_ = 11;
  bool draining_ = false;
  std::size_t drained_ = 0;
  std::unique_ptr<std::array<char, 4096>> scrap_;  // only while draining: idle ones stay small
};

}  // namespace

void HttpServer::State::Accept() {
  Acceptor.async_accept(asio::make_strand(Io), [this](beast::error_code ec, tcp::socket socket) {
    if (ec == asio::error::operation_aborted) return;
    if (ec) {
      // Out of descriptors or a client gone before the accept: try again shortly.
      RetryAccept.expires_after(std::chrono::milliseconds(50));
      RetryAccept.async_wait([this](beast::error_code waited) {
        if (!waited) Accept();
      });
      return;
    }
    beast::error_code gone;
    const std::string peer = CanonicalAddress(socket.remote_endpoint(gone).address().to_string());
    const std::string key = Trusted(peer) ? std::string() : ConnectionKey(peer);
    if (gone) {
      // The client left before its connection was taken: nothing to serve.
    } else if (Open.load() >= Limits.MaxConnections) {
      Refuse(peer, std::to_string(Limits.MaxConnections) + " connections open in all");
    } else if (!key.empty() && !Admit(key)) {
      Refuse(peer, std::to_string(Limits.MaxConnectionsPerAddress) +
                       " connections open from this address");
    } else {
      beast::error_code ignored;
      socket.set_option(tcp::no_delay(true), ignored);
      std::make_shared<Connection>(std::move(socket), *this, peer, key)->Start();
    }
    Accept();
  });
}

HttpServer::HttpServer(HttpLimits limits, Handler handler, Logger logger, Notice notice)
    : state_(std::make_shared<State>(std::move(limits), std::move(handler), std::move(logger),
                                     std::move(notice))) {}

HttpServer::~HttpServer() {
  Stop();
  for (std::thread& thread : state_->Threads)
    if (thread.joinable()) thread.join();
  state_->Pool.join();
}

int HttpServer::Listen(const std::string& address, int port) {
  beast::error_code ec;
  const auto ip = asio::ip::make_address(address, ec);
  if (ec) throw std::runtime_error("not an address to listen on: " + address);
  const tcp::endpoint endpoint(ip, static_cast<unsigned short>(port));
  tcp::acceptor& acceptor = state_->Acceptor;
  acceptor.open(endpoint.protocol());
  // Lets a restarted site take its port back from connections still closing, but never
  // shares a port another program is listening on.
  acceptor.set_option(tcp::acceptor::reuse_address(true));
  acceptor.bind(endpoint, ec);
  if (ec == asio::error::address_in_use)
    throw std::runtime_error("port " + std::to_string(port) + " on " + address +
                             " is already in use");
  if (ec) throw std::runtime_error("cannot listen on " + address + ": " + ec.message());
  acceptor.listen(state_->Limits.ListenBacklog, ec);
  if (ec) throw std::runtime_error("cannot listen on " + address + ": " + ec.message());
  return acceptor.local_endpoint().port();
}

void HttpServer::Run() {
  state_->Accept();
  for (int i = 1; i < state_->Limits.IoThreads; ++i)
    state_->Threads.emplace_back([state = state_.get()] { state->Io.run(); });
  state_->Io.run();
}

void HttpServer::Stop() {
  state_->Io.stop();
}

}  // namespace sudoku::site

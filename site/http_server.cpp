// The HTTP transport: an acceptor and one small state machine per connection (read a request
// within the limits, hand it to a worker, write the answer, wait for the next one).
#include "site/http_server.h"

#include <array>
#include <atomic>
#include <optional>
#include <stdexcept>
#include <thread>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

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

struct HttpServer::State {
  State(HttpLimits limits, Handler handler, Logger logger)
      : Limits(limits),
        OnRequest(std::move(handler)),
        Log(std::move(logger)),
        Pool(std::size_t(std::max(1, limits.Workers))) {}

  // Members the connections use come first: they outlive the I/O context's pending work.
  HttpLimits Limits;
  Handler OnRequest;
  Logger Log;
  std::atomic<std::size_t> Open{0};
  std::atomic<std::size_t> Queued{0};
  asio::io_context Io;
  tcp::acceptor Acceptor{Io};
  asio::steady_timer RetryAccept{Io};
  asio::thread_pool Pool;
  std::vector<std::thread> Threads;

  void Accept();
};

namespace {

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  using State = HttpServer::State;

  Connection(tcp::socket socket, State& state)
      : stream_(std::move(socket)),
        state_(state),
        buffer_(state.Limits.MaxHeaderBytes + state.Limits.MaxBodyBytes + 4096) {
    ++state_.Open;
  }
  ~Connection() { --state_.Open; }

  void Start() {
    asio::dispatch(stream_.get_executor(), [self = shared_from_this()] { self->Read(); });
  }

 private:
  void Read() {
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
    if (ec == http::error::header_limit) return Refuse(431);
    if (ec == http::error::body_limit) return Refuse(413);
    if (ec == http::error::end_of_stream || ec == beast::error::timeout) return Close();
    if (ec.category() == http::make_error_code(http::error::bad_target).category())
      return Refuse(400);
    Close();
  }

  void OnHeader(beast::error_code ec, std::size_t headBytes) {
    if (ec) return OnFailure(ec);
    const auto& message = parser_->get();
    if (headBytes > state_.Limits.MaxHeaderBytes ||
        std::size_t(std::distance(message.begin(), message.end())) > state_.Limits.MaxHeaderCount)
      return Refuse(431);
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
    beast::error_code ignored;
    request.RemoteAddress = stream_.socket().remote_endpoint(ignored).address().to_string();
    for (const auto& field : message)
      request.Headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
    keepAlive_ = message.keep_alive();
    version_ = message.version();
    if (state_.Queued.load() >= state_.Limits.MaxQueuedRequests) {
      HttpResponse busy{503, {{"Retry-After", "5"}}, {}};
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
        response = HttpResponse{500, {}, {}};
      }
      --self->state_.Queued;
      if (self->state_.Log) self->state_.Log(request, response);
      asio::post(self->stream_.get_executor(), [self, response = std::move(response)]() mutable {
        self->Write(std::move(response));
      });
    });
  }

  // Answers a request that broke a limit or could not be read, then ends the connection.
  void Refuse(int status) {
    keepAlive_ = false;
    version_ = 11;
    HttpResponse response{status, {}, {}};
    response.SetContent(status == 413   ? "Richiesta troppo grande.\n"
                        : status == 431 ? "Intestazioni troppo grandi.\n"
                                        : "Richiesta non valida.\n",
                        "text/plain; charset=utf-8");
    draining_ = true;
    Write(std::move(response));
  }

  void Write(HttpResponse response) {
    response_ = {};
    response_.version(version_);
    response_.result(unsigned(response.Status));
    for (const auto& [name, value] : response.Headers) response_.insert(name, value);
    response_.body() = std::move(response.Body);
    response_.keep_alive(keepAlive_);
    response_.prepare_payload();
    stream_.expires_after(state_.Limits.WriteTimeout);
    http::async_write(stream_, response_,
                      [self = shared_from_this()](beast::error_code ec, std::size_t) {
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
    stream_.async_read_some(asio::buffer(scrap_),
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
  http::response<http::string_body> response_;
  bool keepAlive_ = false;
  unsigned version_ = 11;
  bool draining_ = false;
  std::size_t drained_ = 0;
  std::array<char, 4096> scrap_{};
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
    if (Open.load() < Limits.MaxConnections) {
      beast::error_code ignored;
      socket.set_option(tcp::no_delay(true), ignored);
      std::make_shared<Connection>(std::move(socket), *this)->Start();
    }
    Accept();
  });
}

HttpServer::HttpServer(HttpLimits limits, Handler handler, Logger logger)
    : state_(std::make_shared<State>(limits, std::move(handler), std::move(logger))) {}

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

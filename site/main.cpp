// sudoku-site: the stand-in of the puzzle site, serving its pages over HTTP from a SQLite file.
//   sudoku-site --port N --db FILE [--seed S] [--auto-confirm] [--bind ADDR] [--light-hashing]
//               [--public-url URL] [--quiet] [--log FILE [--log-max-bytes N]]
//               [--max-conns-per-address N] [--trusted-proxy ADDR]...
//               [--smtp URL [--smtp-auth FILE]] [--mail-from ADDR] [--dev-outbox]
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <thread>

#include "site/client_address.h"
#include "site/site.h"

namespace {

constexpr const char* kUsage =
    "usage: sudoku-site --port N --db FILE [--seed S] [--auto-confirm] [--bind ADDR] "
    "[--light-hashing] [--public-url http://HOST:PORT] [--quiet]\n"
    "       [--log FILE [--log-max-bytes N]] [--max-conns-per-address N] "
    "[--trusted-proxy ADDR]...\n"
    "       [--smtp smtp://HOST:PORT [--smtp-auth FILE]] [--mail-from ADDR] "
    "[--dev-outbox]\n"
    "       sudoku-site --help | --version\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// An address mailed links may start with: http or https, then a host without blanks or quotes.
bool IsPublicUrl(const std::string& url) {
  const bool scheme = url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
  if (!scheme || url.size() > 200 || url.size() < 10) return false;
  for (char c : url)
    if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '<' || c == '>' || c == '\'' ||
        static_cast<unsigned char>(c) >= 0x7F)
      return false;
  return true;
}

// The smallest log file cap: room for a few thousand lines.
constexpr std::uint64_t kMinLogBytes = 64 * 1024;
bool IsRelayUrl(const std::string& url) {
  return (url.rfind("smtp://", 0) == 0 || url.rfind("smtps://", 0) == 0) && url.size() < 200 &&
         url.find_first_of(" \t\r\n") == std::string::npos;
}

// The relay's user on the first line of the file, its password on the second.
bool ReadRelayLogin(const std::string& path, sudoku::site::RelaySettings& relay) {
  std::ifstream file(path);
  if (!std::getline(file, relay.User) || !std::getline(file, relay.Password)) return false;
  for (std::string* line : {&relay.User, &relay.Password})
    if (!line->empty() && line->back() == '\r') line->pop_back();
  return !relay.User.empty();
}

// Each kept-alive client holds a descriptor: take every one the system allows.
void RaiseDescriptorLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

}  // namespace

int main(int argc, char** argv) {
  sudoku::site::SiteOptions options;
  std::string authFile;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--version") {
      std::printf("sudoku-site %s\n", SUDOKU_VERSION);
      return 0;
    }
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    try {
      if (arg == "--port" && hasValue)
        options.Port = std::stoi(argv[++i]);
      else if (arg == "--db" && hasValue)
        options.DbPath = argv[++i];
      else if (arg == "--seed" && hasValue)
        options.Seed = std::stoull(argv[++i]);
      else if (arg == "--bind" && hasValue)
        options.Bind = argv[++i];
      else if (arg == "--public-url" && hasValue)
        options.PublicUrl = argv[++i];
      else if (arg == "--smtp" && hasValue)
        options.Mail.Relay.Url = argv[++i];
      else if (arg == "--smtp-auth" && hasValue)
        authFile = argv[++i];
      else if (arg == "--mail-from" && hasValue)
        options.Mail.From = argv[++i];
      else if (arg == "--dev-outbox")
        options.Mail.DevOutbox = true;
      else if (arg == "--auto-confirm")
        options.AutoConfirm = true;
      else if (arg == "--light-hashing")
        options.LightHashing = true;
      else if (arg == "--quiet")
        options.Quiet = true;
      else if (arg == "--log" && hasValue)
        options.LogFile = argv[++i];
      else if (arg == "--log-max-bytes" && hasValue)
        options.LogMaxBytes = std::stoull(argv[++i]);
      else if (arg == "--max-conns-per-address" && hasValue)
        options.Http.MaxConnectionsPerAddress = std::stoul(argv[++i]);
      else if (arg == "--trusted-proxy" && hasValue)
        options.Http.TrustedProxies.push_back(argv[++i]);
      else
        return Usage();
    } catch (const std::exception&) {
      return Usage();
    }
  }
  if (options.DbPath.empty() || options.Port < 0 || options.Port > 65535) return Usage();
  if (!options.PublicUrl.empty() && !IsPublicUrl(options.PublicUrl)) return Usage();
  if (options.LogMaxBytes < kMinLogBytes || options.Http.MaxConnectionsPerAddress == 0)
    return Usage();
  for (const std::string& proxy : options.Http.TrustedProxies)
    if (sudoku::site::CanonicalAddress(proxy).empty()) return Usage();
  // Under systemd the journal takes standard error, one entry per line.
  options.LogToStandardError = std::getenv("JOURNAL_STREAM") != nullptr;
  if (!options.Mail.Relay.Url.empty() && !IsRelayUrl(options.Mail.Relay.Url)) return Usage();
  if (!authFile.empty() &&
      (options.Mail.Relay.Url.empty() || !ReadRelayLogin(authFile, options.Mail.Relay))) {
    std::fprintf(
        stderr,
        "sudoku-site: --smtp-auth needs --smtp and a file with a user line and a password line\n");
    return 2;
  }
  if (options.Mail.From.find_first_of(" \t\r\n<>\"") != std::string::npos) return Usage();
  RaiseDescriptorLimit();
  // A memory pool per worker thread would keep freed pages of every thread: two are shared.
  // Blocks from 1 MiB up (a password hash's 19 MiB, a collection zip) are mapped on their own
  // and given back when freed; left to itself the allocator raises this bound as they come and
  // then keeps them in its pools.
  mallopt(M_ARENA_MAX, 2);
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  // The signals are taken by this thread alone, with sigwait, so stopping is ordinary code.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  try {
    sudoku::site::Site site(options);
    sudoku::site::RegisterAllPages(site);
    const int port = site.Bind();
    if (site.MailIsOff())
      std::fprintf(stderr,
                   "sudoku-site: mail is off (no --smtp, no --dev-outbox): no confirmation or "
                   "password mail can be sent\n");
    std::printf("sudoku-site ready at http://%s:%d/\n", options.Bind.c_str(), port);
    std::fflush(stdout);
    std::thread server([&site] { site.Serve(); });
    // The pages answer at once; the catalogue's first fill goes on beside them, and a month's
    // pages show what is made of it so far.
    std::atomic<bool> stopping{false};
    std::thread catalogue([&site, &stopping] {
      // The pages come first: the fill takes the processor only when they leave it.
      setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
      try {
        sudoku::site::FillCatalogue(site, &stopping);
        if (stopping) return;
        std::printf("sudoku-site catalogue complete\n");
        std::fflush(stdout);
      } catch (const std::exception& error) {
        std::fprintf(stderr, "sudoku-site: the catalogue could not be filled: %s\n", error.what());
      }
    });
    int signal = 0;
    sigwait(&stopSignals, &signal);
    stopping = true;
    site.Stop();
    server.join();
    catalogue.join();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sudoku-site: %s\n", error.what());
    return 1;
  }
  return 0;
}

// sudoku-site: the stand-in of the puzzle site, serving its pages over HTTP from a SQLite file
// or a PostgreSQL database (--db postgresql://USER@HOST:PORT/NAME, any libpq URI).
//   sudoku-site --port N --db FILE|URI [--seed S] [--auto-confirm] [--bind ADDR] [--light-hashing]
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
#include <string>
#include <thread>

#include "site/command_line.h"
#include "site/site.h"

namespace {

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
  sudoku::site::CommandLine line = sudoku::site::ParseOptions({argv + 1, argv + argc});
  switch (line.What) {
    case sudoku::site::CommandLine::Action::Version:
      std::printf("sudoku-site %s\n", SUDOKU_VERSION);
      return 0;
    case sudoku::site::CommandLine::Action::Help:
      std::fputs(sudoku::site::kUsage, stdout);
      return 0;
    case sudoku::site::CommandLine::Action::Refuse:
      std::fputs(line.Complaint.c_str(), stderr);
      return 2;
    case sudoku::site::CommandLine::Action::Serve:
      break;
  }
  sudoku::site::SiteOptions& options = line.Options;
  // Under systemd the journal takes standard error, one entry per line.
  options.LogToStandardError = std::getenv("JOURNAL_STREAM") != nullptr;
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

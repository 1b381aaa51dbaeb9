// sudoku-site: the stand-in of the puzzle site, serving its pages over HTTP from a SQLite file.
//   sudoku-site --port N --db FILE [--seed S] [--auto-confirm] [--bind ADDR] [--light-hashing]
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "site/site.h"

namespace {

sudoku::site::Site* running = nullptr;

void StopOnSignal(int) {
  if (running) running->Stop();
}

int Usage() {
  std::fprintf(stderr,
               "usage: sudoku-site --port N --db FILE [--seed S] [--auto-confirm] [--bind ADDR] "
               "[--light-hashing]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  sudoku::site::SiteOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    try {
      if (arg == "--port" && hasValue)
        options.Port = std::stoi(argv[++i]);
      else if (arg == "--db" && hasValue)
        options.DbPath = argv[++i];
      else if (arg == "--seed" && hasValue)
        options.Seed = std::stoull(argv[++i]);
      else if (arg == "--bind" && hasValue)
        options.Bind = argv[++i];
      else if (arg == "--auto-confirm")
        options.AutoConfirm = true;
      else if (arg == "--light-hashing")
        options.LightHashing = true;
      else
        return Usage();
    } catch (const std::exception&) {
      return Usage();
    }
  }
  if (options.DbPath.empty() || options.Port < 0 || options.Port > 65535) return Usage();
  try {
    sudoku::site::Site site(options);
    sudoku::site::RegisterAllPages(site);
    const int port = site.Bind();
    if (port < 0) {
      std::fprintf(stderr, "sudoku-site: cannot listen on %s:%d\n", options.Bind.c_str(),
                   options.Port);
      return 1;
    }
    running = &site;
    std::signal(SIGINT, StopOnSignal);
    std::signal(SIGTERM, StopOnSignal);
    std::printf("sudoku-site ready at http://%s:%d/\n", options.Bind.c_str(), port);
    std::fflush(stdout);
    site.Serve();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sudoku-site: %s\n", error.what());
    return 1;
  }
  return 0;
}

// The site program's command line: every option read into the site's options, or the reason
// the program must not start.
#pragma once

#include <string>
#include <vector>

#include "site/site.h"

namespace sudoku::site {

inline constexpr const char* kUsage =
    "usage: sudoku-site --port N --db FILE|postgresql://... [--seed S] [--auto-confirm] "
    "[--bind ADDR] [--light-hashing] [--public-url http://HOST:PORT] [--quiet]\n"
    "       [--log FILE [--log-max-bytes N]] [--max-conns-per-address N] "
    "[--trusted-proxy ADDR]...\n"
    "       [--smtp smtp://HOST:PORT [--smtp-auth FILE]] [--mail-from ADDR] "
    "[--dev-outbox]\n"
    "       sudoku-site --help | --version\n";

struct CommandLine {
  enum class Action {
    Serve,    // Options hold everything asked for
    Help,     // print kUsage on standard output
    Version,  // print the program's version
    Refuse,   // print Complaint on standard error and exit with status 2
  };
  Action What = Action::Serve;
  SiteOptions Options;
  // Why the program refuses to start: kUsage unless a more precise line says why.
  std::string Complaint;
};

// Reads the arguments after the program's name, in order: --help or --version answer at once
// unless an earlier argument was already refused. Numbers are plain decimal digits. The relay's
// login is read from the --smtp-auth file here.
CommandLine ParseOptions(const std::vector<std::string>& args);

}  // namespace sudoku::site

// The site program's options: values read, numbers at their edges, and what refuses a start.
#include <gtest/gtest.h>

#include "site/command_line.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

// The outcome and, for a start, the options a case may change, in one line.
std::string Summary(const CommandLine& line) {
  switch (line.What) {
    case CommandLine::Action::Help:
      return "help";
    case CommandLine::Action::Version:
      return "version";
    case CommandLine::Action::Refuse:
      return line.Complaint == kUsage ? "usage" : "refused: " + line.Complaint;
    case CommandLine::Action::Serve:
      break;
  }
  const SiteOptions& o = line.Options;
  std::string proxies;
  for (const std::string& proxy : o.Http.TrustedProxies) proxies += " proxy=" + proxy;
  return "db=" + o.DbPath + " port=" + std::to_string(o.Port) + " seed=" + std::to_string(o.Seed) +
         " log-max=" + std::to_string(o.LogMaxBytes) +
         " conns=" + std::to_string(o.Http.MaxConnectionsPerAddress) + proxies +
         (o.AutoConfirm ? " auto-confirm" : "") + (o.Quiet ? " quiet" : "") +
         (o.Mail.DevOutbox ? " outbox" : "") + (o.LightHashing ? " light" : "");
}

const std::string kDefaults = " seed=1 log-max=10485760 conns=64";

TEST(SiteCommandLine, ReadsEachOptionAndRefusesWhatCannotStart) {
  const struct {
    std::vector<std::string> Args;
    std::string Expected;
  } cases[] = {
      {{"--db", "s.db"}, "db=s.db port=8642" + kDefaults},
      {{}, "usage"},
      {{"--port", "80"}, "usage"},  // no store
      {{"--db", "s.db", "--port", "0"}, "db=s.db port=0" + kDefaults},
      {{"--db", "s.db", "--port", "65535"}, "db=s.db port=65535" + kDefaults},
      {{"--db", "s.db", "--port", "65536"}, "usage"},
      {{"--db", "s.db", "--port", "-1"}, "usage"},
      {{"--db", "s.db", "--port", "80x"}, "usage"},
      {{"--db", "s.db", "--port", " 80"}, "usage"},
      {{"--db", "s.db", "--port", ""}, "usage"},
      {{"--db", "s.db", "--port", "99999999999999999999"}, "usage"},
      {{"--db", "s.db", "--port"}, "usage"},  // the value missing at the end
      {{"--db"}, "usage"},
      {{"--port", "--db", "s.db"}, "usage"},                    // an option where a number is due
      {{"--db", "--port"}, "db=--port port=8642" + kDefaults},  // a file may be named so
      {{"--db", "s.db", "--seed", "18446744073709551615"},
       "db=s.db port=8642 seed=18446744073709551615 log-max=10485760 conns=64"},
      {{"--db", "s.db", "--seed", "18446744073709551616"}, "usage"},
      {{"--db", "s.db", "--log-max-bytes", "65536"},
       "db=s.db port=8642 seed=1 log-max=65536 conns=64"},
      {{"--db", "s.db", "--log-max-bytes", "65535"}, "usage"},
      {{"--db", "s.db", "--max-conns-per-address", "1"},
       "db=s.db port=8642 seed=1 log-max=10485760 conns=1"},
      {{"--db", "s.db", "--max-conns-per-address", "0"}, "usage"},
      {{"--db", "s.db", "--trusted-proxy", "127.0.0.1", "--trusted-proxy", "::1"},
       "db=s.db port=8642" + kDefaults + " proxy=127.0.0.1 proxy=::1"},
      {{"--db", "s.db", "--trusted-proxy", "127.0.0.1", "--trusted-proxy", "proxy.lan"}, "usage"},
      {{"--db", "s.db", "--trusted-proxy"}, "usage"},
      {{"--db", "s.db", "--auto-confirm", "--quiet", "--dev-outbox", "--light-hashing"},
       "db=s.db port=8642" + kDefaults + " auto-confirm quiet outbox light"},
      {{"--db", "s.db", "--bogus"}, "usage"},
      {{"--db", "s.db", "--bogus", "1"}, "usage"},
      {{"--db", "s.db", "--public-url", "https://sudoku.example"}, "db=s.db port=8642" + kDefaults},
      {{"--db", "s.db", "--public-url", "ftp://sudoku.example"}, "usage"},
      {{"--db", "s.db", "--public-url", "http://a b.example"}, "usage"},
      {{"--db", "s.db", "--smtp", "smtp://relay:25"}, "db=s.db port=8642" + kDefaults},
      {{"--db", "s.db", "--smtp", "http://relay:25"}, "usage"},
      {{"--db", "s.db", "--mail-from", "a b@x.it"}, "usage"},
      {{"--db", "s.db", "--smtp-auth", "/nonexistent"},
       "refused: sudoku-site: --smtp-auth needs --smtp and a file with a user line and a "
       "password line\n"},
      {{"--db", "s.db", "--smtp", "smtp://relay:25", "--smtp-auth", "/nonexistent"},
       "refused: sudoku-site: --smtp-auth needs --smtp and a file with a user line and a "
       "password line\n"},
      // --help and --version answer at once, unless an earlier argument was refused.
      {{"--port", "99999", "--version"}, "version"},
      {{"--help", "--bogus"}, "help"},
      {{"--bogus", "--help"}, "usage"},
  };
  for (const auto& c : cases) {
    std::string args;
    for (const std::string& arg : c.Args) args += " [" + arg + "]";
    EXPECT_EQ(Summary(ParseOptions(c.Args)), c.Expected) << args;
  }
}

TEST(SiteCommandLine, TheRelayLoginIsReadFromItsFile) {
  ScratchDir dir;
  const std::string file = (dir / "auth").string();
  sudoku::test::WriteBytes(file, "posta\r\nsegreta\r\n");
  const CommandLine line =
      ParseOptions({"--db", "s.db", "--smtp", "smtps://relay:465", "--smtp-auth", file});
  ASSERT_EQ(line.What, CommandLine::Action::Serve) << line.Complaint;
  EXPECT_EQ(line.Options.Mail.Relay.User + "/" + line.Options.Mail.Relay.Password, "posta/segreta");
}

}  // namespace
}  // namespace sudoku::site::testing

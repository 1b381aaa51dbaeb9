// Reading the site program's options, and the checks each value must pass.
#include "site/command_line.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <fstream>
#include <optional>

#include "site/client_address.h"

namespace sudoku::site {
namespace {

// The smallest log file cap: room for a few thousand lines.
constexpr std::uint64_t kMinLogBytes = 64 * 1024;

// Decimal digits and nothing else, within max.
std::optional<std::uint64_t> ParseUnsigned(const std::string& text, std::uint64_t max) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
  return value;
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

bool IsRelayUrl(const std::string& url) {
  return (url.rfind("smtp://", 0) == 0 || url.rfind("smtps://", 0) == 0) && url.size() < 200 &&
         url.find_first_of(" \t\r\n") == std::string::npos;
}

// The relay's user on the first line of the file, its password on the second.
bool ReadRelayLogin(const std::string& path, RelaySettings& relay) {
  std::ifstream file(path);
  if (!std::getline(file, relay.User) || !std::getline(file, relay.Password)) return false;
  for (std::string* line : {&relay.User, &relay.Password})
    if (!line->empty() && line->back() == '\r') line->pop_back();
  return !relay.User.empty();
}

CommandLine Refused(std::string complaint = kUsage) {
  CommandLine refused;
  refused.What = CommandLine::Action::Refuse;
  refused.Complaint = std::move(complaint);
  return refused;
}

// Reads one option (and its value, when it takes one, moving at past it); false when the
// option is unknown, lacks its value or the value is no number where one is due.
bool ReadOption(const std::vector<std::string>& args, std::size_t& at, SiteOptions& options,
                std::string& authFile) {
  const std::string& arg = args[at];
  const std::pair<const char*, bool*> flags[] = {{"--dev-outbox", &options.Mail.DevOutbox},
                                                 {"--auto-confirm", &options.AutoConfirm},
                                                 {"--light-hashing", &options.LightHashing},
                                                 {"--quiet", &options.Quiet}};
  for (const auto& [name, flag] : flags) {
    if (arg == name) return *flag = true;
  }
  if (at + 1 >= args.size()) return false;
  const std::string& value = args[++at];
  std::optional<std::uint64_t> number;
  if (arg == "--port" && (number = ParseUnsigned(value, INT_MAX)))
    options.Port = int(*number);
  else if (arg == "--seed" && (number = ParseUnsigned(value, UINT64_MAX)))
    options.Seed = *number;
  else if (arg == "--log-max-bytes" && (number = ParseUnsigned(value, UINT64_MAX)))
    options.LogMaxBytes = *number;
  else if (arg == "--max-conns-per-address" && (number = ParseUnsigned(value, SIZE_MAX)))
    options.Http.MaxConnectionsPerAddress = *number;
  else if (arg == "--db")
    options.DbPath = value;
  else if (arg == "--bind")
    options.Bind = value;
  else if (arg == "--public-url")
    options.PublicUrl = value;
  else if (arg == "--smtp")
    options.Mail.Relay.Url = value;
  else if (arg == "--smtp-auth")
    authFile = value;
  else if (arg == "--mail-from")
    options.Mail.From = value;
  else if (arg == "--log")
    options.LogFile = value;
  else if (arg == "--trusted-proxy")
    options.Http.TrustedProxies.push_back(value);
  else
    return false;
  return true;
}

// The checks of values against each other and their forms, once every option is read.
bool Consistent(const SiteOptions& options) {
  if (options.DbPath.empty() || options.Port < 0 || options.Port > 65535) return false;
  if (!options.PublicUrl.empty() && !IsPublicUrl(options.PublicUrl)) return false;
  if (options.LogMaxBytes < kMinLogBytes || options.Http.MaxConnectionsPerAddress == 0)
    return false;
  for (const std::string& proxy : options.Http.TrustedProxies)
    if (CanonicalAddress(proxy).empty()) return false;
  return options.Mail.Relay.Url.empty() || IsRelayUrl(options.Mail.Relay.Url);
}

}  // namespace

CommandLine ParseOptions(const std::vector<std::string>& args) {
  CommandLine line;
  std::string authFile;
  for (std::size_t at = 0; at < args.size(); ++at) {
    if (args[at] == "--version" || args[at] == "--help") {
      line.What =
          args[at] == "--version" ? CommandLine::Action::Version : CommandLine::Action::Help;
      return line;
    }
    if (!ReadOption(args, at, line.Options, authFile)) return Refused();
  }
  SiteOptions& options = line.Options;
  if (!Consistent(options)) return Refused();
  if (!authFile.empty() &&
      (options.Mail.Relay.Url.empty() || !ReadRelayLogin(authFile, options.Mail.Relay)))
    return Refused(
        "sudoku-site: --smtp-auth needs --smtp and a file with a user line and a password line\n");
  if (options.Mail.From.find_first_of(" \t\r\n<>\"") != std::string::npos) return Refused();
  return line;
}

}  // namespace sudoku::site

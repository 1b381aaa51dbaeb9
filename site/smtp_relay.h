// One conversation with a mail relay through libcurl's SMTP: STARTTLS when the relay offers it
// (required when credentials would cross the network), within a bounded time.
#pragma once

#include <chrono>
#include <string>

namespace sudoku::site {

struct RelaySettings {
  std::string Url;                          // "smtp://host:port" or "smtps://host:port"
  std::string User, Password;               // no login when User is empty
  std::chrono::milliseconds Timeout{4000};  // the whole conversation
};

// Hands one message from from to to over to the relay; empty when it took it, else why not.
std::string SendThroughRelay(const RelaySettings& relay, const std::string& from,
                             const std::string& to, const std::string& message);

// Sets libcurl up; call once before any thread sends.
void StartRelayLibrary();

}  // namespace sudoku::site

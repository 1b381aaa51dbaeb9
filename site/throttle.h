// Rate limits kept in memory: how often a key (a user, a client address) may act within a
// window, and the growing wait imposed on one that keeps failing.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace sudoku::site {

struct ThrottleRule {
  int Allowed = 5;              // acts counted within the window before the key is refused
  std::int64_t Window = 60;     // seconds
  std::int64_t Penalty = 0;     // first wait once the allowance is spent; 0 = until the window
  std::int64_t MaxPenalty = 0;  // the wait doubles with each spent allowance, up to this
};

class Throttle {
 public:
  explicit Throttle(ThrottleRule rule) : rule_(rule) {}

  // True when key may act at now.
  bool Allows(const std::string& key, std::int64_t now);
  // Counts one act of key at now.
  void Note(const std::string& key, std::int64_t now);
  // Forgets key (a user who logged in correctly).
  void Clear(const std::string& key);
  const ThrottleRule& Rule() const { return rule_; }

 private:
  struct Record {
    std::deque<std::int64_t> Times;  // acts within the window, oldest first
    std::int64_t BlockedUntil = 0;
    int Strikes = 0;  // allowances spent in a row
  };
  void Forget(Record& record, std::int64_t now) const;
  void Prune(std::int64_t now);

  ThrottleRule rule_;
  std::mutex lock_;
  std::unordered_map<std::string, Record> records_;
  int notesSincePrune_ = 0;
};

// The rules of the account pages.
struct AccountLimits {
  // Wrong logins, per user and per client address: five a minute, then a wait from 30 s
  // doubling up to an hour.
  ThrottleRule WrongLogins{5, 60, 30, 3600};
  ThrottleRule PasswordRequests{3, 3600};  // per address asked about
  ThrottleRule PasswordRequestsPerClient{10, 3600};
  ThrottleRule Registrations{10, 3600};  // per client address
  ThrottleRule Publications{10, 3600};   // per user
  ThrottleRule PublicationsPerClient{30, 3600};
  std::int64_t RenewalTokenLife = 3600;
  std::int64_t ConfirmationTokenLife = 48 * 3600;
};

struct Throttles {
  explicit Throttles(const AccountLimits& limits)
      : WrongLoginsOfUser(limits.WrongLogins),
        WrongLoginsOfClient(limits.WrongLogins),
        PasswordRequests(limits.PasswordRequests),
        PasswordRequestsOfClient(limits.PasswordRequestsPerClient),
        Registrations(limits.Registrations),
        Publications(limits.Publications),
        PublicationsOfClient(limits.PublicationsPerClient) {}
  Throttle WrongLoginsOfUser, WrongLoginsOfClient;
  Throttle PasswordRequests, PasswordRequestsOfClient;
  Throttle Registrations;
  Throttle Publications, PublicationsOfClient;
};

}  // namespace sudoku::site

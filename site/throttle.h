// Rate limits kept in the store, so that every site process counts the same acts: how often a
// key (a user, a client address) may act within a window, and the growing wait imposed on one
// that keeps failing.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "site/db.h"

namespace sudoku::site {

struct ThrottleRule {
  int Allowed = 5;              // acts counted within the window before the key is refused
  std::int64_t Window = 60;     // seconds
  std::int64_t Penalty = 0;     // first wait once the allowance is spent; 0 = until the window
  std::int64_t MaxPenalty = 0;  // the wait doubles with each spent allowance, up to this
  // Past the allowance, one act per Penalty seconds while the window stays full, rather than a
  // wait followed by a fresh allowance: a short delay, never a long lock.
  bool Spaced = false;
};

// The calling thread's connection to the store.
using StoreOfThread = std::function<Db&()>;

class Throttle {
 public:
  // name tells the rule's records from those of the other rules in the store.
  Throttle(std::string name, ThrottleRule rule, StoreOfThread store)
      : name_(std::move(name)), rule_(rule), store_(std::move(store)) {}

  // Counts one act of key at now if the rule allows it, in one write transaction (so acts at
  // once, through any process, cannot all pass the check before any is counted); false,
  // counting nothing, when it is refused.
  bool Take(const std::string& key, std::int64_t now);
  // Takes back the latest act counted for key (an attempt that turned out not to count).
  void Refund(const std::string& key);
  // Whether key has acts counted within the window or a wait still running.
  bool Holds(const std::string& key, std::int64_t now);
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
  bool Allows(Record& record, std::int64_t now) const;
  Record Load(Db& db, const std::string& key) const;
  void Save(Db& db, const std::string& key, const Record& record) const;
  // Drops the records that are as good as none.
  void Prune(Db& db, std::int64_t now) const;

  std::string name_;
  ThrottleRule rule_;
  StoreOfThread store_;
  std::atomic<int> takesSincePrune_{0};
};

// The rules of the account pages.
struct AccountLimits {
  // Wrong logins, per user at one client address and per client address: five a minute, then a
  // wait from 30 s doubling up to an hour.
  ThrottleRule WrongLogins{5, 60, 30, 3600};
  ThrottleRule WrongLoginsPerClient{5, 60, 30, 3600};
  // Wrong logins of a user from every address together: past five a minute, one attempt every
  // two seconds from an address that has already failed for the user; an address without a
  // recent failure is never held back by it, so strangers cannot lock the owner out.
  ThrottleRule WrongLoginsPerUser{5, 60, 2, 2, true};
  // Password hashes (logins right or wrong, registrations, renewals) per client address.
  ThrottleRule HashesPerClient{10, 60};
  ThrottleRule PasswordRequests{3, 3600};  // per address asked about
  ThrottleRule PasswordRequestsPerClient{10, 3600};
  ThrottleRule Registrations{10, 3600};  // per client address
  ThrottleRule Publications{10, 3600};   // per user
  ThrottleRule PublicationsPerClient{30, 3600};
  std::int64_t RenewalTokenLife = 3600;
  std::int64_t ConfirmationTokenLife = 48 * 3600;
};

struct Throttles {
  Throttles(const AccountLimits& limits, const StoreOfThread& store)
      : WrongLoginsOfUserAtClient("wrong logins of user at client", limits.WrongLogins, store),
        WrongLoginsOfClient("wrong logins of client", limits.WrongLoginsPerClient, store),
        WrongLoginsOfUser("wrong logins of user", limits.WrongLoginsPerUser, store),
        HashesOfClient("hashes of client", limits.HashesPerClient, store),
        PasswordRequests("password requests", limits.PasswordRequests, store),
        PasswordRequestsOfClient("password requests of client", limits.PasswordRequestsPerClient,
                                 store),
        Registrations("registrations", limits.Registrations, store),
        Publications("publications", limits.Publications, store),
        PublicationsOfClient("publications of client", limits.PublicationsPerClient, store) {}
  Throttle WrongLoginsOfUserAtClient, WrongLoginsOfClient, WrongLoginsOfUser;
  Throttle HashesOfClient;
  Throttle PasswordRequests, PasswordRequestsOfClient;
  Throttle Registrations;
  Throttle Publications, PublicationsOfClient;
};

}  // namespace sudoku::site

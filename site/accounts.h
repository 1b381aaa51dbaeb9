// User accounts: registration with a confirmation link, password hashes, password renewal by
// a mailed link.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "site/db.h"
#include "site/hash_gate.h"

namespace sudoku::site {

struct HashLimits {
  unsigned long long Ops;
  std::size_t Memory;
  // Bounds the hashes computed at once (each takes Memory); none when null.
  HashGate* Gate = nullptr;
  // A hash of no one's password made with these limits: an unknown user costs the same check
  // as a known one. None when empty.
  std::string Dummy;
};
HashLimits InteractiveLimits();
HashLimits LightLimits();

// A hash of a random password under limits (for HashLimits::Dummy).
std::string DummyHash(const HashLimits& limits);

// The shortest password a new account may have (older accounts keep theirs).
inline constexpr std::size_t kMinPasswordLength = 8;

// Why a registration is refused, as the page says it; nothing when it is acceptable.
std::optional<std::string> RegistrationProblem(Db& db, const std::string& name,
                                               const std::string& password,
                                               const std::string& email);
// Stores a new user (names are kept in lower case); returns the confirmation token, empty when
// the account is active at once, or nothing when the name or the address was taken meanwhile.
// Throws HashBusy when the hashing gate is full.
std::optional<std::string> CreateUser(Db& db, const std::string& name, const std::string& password,
                                      const std::string& email, bool active,
                                      const HashLimits& limits, std::int64_t now);
// Activates the account of a confirmation token issued within life seconds before now; the
// user's name, or nothing. A token works once.
std::optional<std::string> ConfirmUser(Db& db, const std::string& token, std::int64_t now,
                                       std::int64_t life);

enum class LoginCheck { Ok, Wrong, Inactive };
// Checks a password; a right one whose stored hash has other limits is hashed again with these.
// Throws HashBusy when the hashing gate is full.
LoginCheck CheckLogin(Db& db, const std::string& name, const std::string& password,
                      const HashLimits& limits);

// A new renewal token for every account of the address, voiding the older ones of each: the
// user and the token, none when no account has the address.
std::vector<std::pair<std::string, std::string>> IssueRenewalTokens(Db& db,
                                                                    const std::string& email,
                                                                    std::int64_t now);
// Sets a new random password for a renewal token issued within life seconds before now and
// ends every session of its user; the user and the password, or nothing. A token works once.
// Throws HashBusy, leaving the token unused, when the hashing gate is full.
std::optional<std::pair<std::string, std::string>> RenewPassword(Db& db, const std::string& token,
                                                                 const HashLimits& limits,
                                                                 std::int64_t now,
                                                                 std::int64_t life);

bool IsValidUserName(const std::string& name);

}  // namespace sudoku::site

namespace sudoku::site {

// Notes a login of name today; returns the user's data for the download list: the date of the
// previous visit (of the registration for the first), "dd-mm-yyyy".
std::string RecordLogin(Db& db, const std::string& name);

}  // namespace sudoku::site

// User accounts: registration with a confirmation link, password hashes, password renewal by
// a mailed link, and the outbox that stands in for mail.
#pragma once

#include <cstdint>
#include <optional>
#include <semaphore>
#include <string>

#include "site/db.h"

namespace sudoku::site {

struct HashLimits {
  unsigned long long Ops;
  std::size_t Memory;
  // Bounds the hashes computed at once (each takes Memory); none when null.
  std::counting_semaphore<64>* Gate = nullptr;
};
HashLimits InteractiveLimits();
HashLimits LightLimits();

// Why a registration is refused, as the page says it; nothing when it is acceptable.
std::optional<std::string> RegistrationProblem(Db& db, const std::string& name,
                                               const std::string& password,
                                               const std::string& email);
// Stores a new user (names are kept in lower case); returns the confirmation token, empty when
// the account is active at once, or nothing when the name was taken meanwhile.
std::optional<std::string> CreateUser(Db& db, const std::string& name, const std::string& password,
                                      const std::string& email, bool active,
                                      const HashLimits& limits, std::int64_t now);
// Activates the account of a confirmation token issued within life seconds before now; the
// user's name, or nothing. A token works once.
std::optional<std::string> ConfirmUser(Db& db, const std::string& token, std::int64_t now,
                                       std::int64_t life);

enum class LoginCheck { Ok, Wrong, Inactive };
LoginCheck CheckLogin(Db& db, const std::string& name, const std::string& password,
                      const HashLimits& limits);

// A renewal token for every account of the address; false when no account has it.
bool RequestPasswordRenewal(Db& db, const std::string& email, const std::string& baseAddress,
                            std::int64_t now);
// Sets a new random password for a renewal token issued within life seconds before now and
// ends every session of its user; the user and the password, or nothing. A token works once.
std::optional<std::pair<std::string, std::string>> RenewPassword(Db& db, const std::string& token,
                                                                 const HashLimits& limits,
                                                                 std::int64_t now,
                                                                 std::int64_t life);

// Leaves a mail in the outbox.
void SendMail(Db& db, const std::string& to, const std::string& subject, const std::string& body);

bool IsValidUserName(const std::string& name);

}  // namespace sudoku::site

namespace sudoku::site {

// Notes a login of name today; returns the user's data for the download list: the date of the
// previous visit (of the registration for the first), "dd-mm-yyyy".
std::string RecordLogin(Db& db, const std::string& name);

}  // namespace sudoku::site

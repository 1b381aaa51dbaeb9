// Accounts and their password hashes and mailed tokens.
#include "site/accounts.h"

#include <sodium.h>

#include <cctype>
#include <stdexcept>
#include <vector>

#include "site/calendar.h"
#include "site/query.h"
#include "site/sessions.h"

namespace sudoku::site {
namespace {

// Tokens older than any token life are dropped from the store after this many seconds.
constexpr std::int64_t kTokenKeep = 14 * 24 * 3600;

std::string HashInside(const std::string& password, const HashLimits& limits) {
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, password.data(), password.size(), limits.Ops, limits.Memory) != 0)
    throw std::runtime_error("password hashing ran out of memory");
  return hash;
}

std::string HashPassword(const std::string& password, const HashLimits& limits) {
  HashGate::Pass pass(limits.Gate);
  return HashInside(password, limits);
}

std::string NewToken(Db& db, const std::string& name, const std::string& purpose,
                     std::int64_t now) {
  const std::string token = RandomToken();
  db.Prepare("INSERT INTO tokens (token, name, purpose, created) VALUES (?, ?, ?, ?)")
      .Bind(1, TokenKey(token))
      .Bind(2, name)
      .Bind(3, purpose)
      .Bind(4, now)
      .Run();
  return token;
}

// Consumes a token of the purpose, in one statement so two uses at once cannot both have it;
// its user when it was issued within life seconds before now, else nothing.
std::optional<std::string> TakeToken(Db& db, const std::string& token, const std::string& purpose,
                                     std::int64_t now, std::int64_t life) {
  db.Prepare("DELETE FROM tokens WHERE created < ?").Bind(1, now - kTokenKeep).Run();
  auto take =
      db.Prepare("DELETE FROM tokens WHERE token = ? AND purpose = ? RETURNING name, created");
  take.Bind(1, TokenKey(token)).Bind(2, purpose);
  if (!take.Step()) return std::nullopt;
  const std::string name = take.Text(0);
  const std::int64_t created = take.Int(1);
  while (take.Step()) {
  }
  if (now < created || now - created > life) return std::nullopt;
  return name;
}

bool Exists(Db& db, const char* sql, const std::string& value) {
  auto find = db.Prepare(sql);
  find.Bind(1, value);
  return find.Step();
}

bool IsPlausibleEmail(const std::string& email) {
  const std::size_t at = email.find('@');
  if (at == 0 || at == std::string::npos || at + 1 >= email.size() || email.size() > 100)
    return false;
  if (email.find('@', at + 1) != std::string::npos) return false;
  for (char c : email)
    if (static_cast<unsigned char>(c) <= ' ' || c == '<' || c == '>' || c == '"') return false;
  return true;
}

}  // namespace

HashLimits InteractiveLimits() {
  // Argon2id with 19 MiB and two passes, the smallest setting OWASP's password-storage advice
  // accepts: a quarter of libsodium's interactive memory, so a burst of logins stays within the
  // site's memory and leaves the processor to the pages. Older hashes keep their own settings.
  return {2, 19u << 20, nullptr, {}};
}

HashLimits LightLimits() {
  return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN, nullptr, {}};
}

std::string DummyHash(const HashLimits& limits) {
  return HashInside(RandomToken(), limits);
}

bool IsValidUserName(const std::string& name) {
  if (name.size() < 4 || name.size() > 20) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

std::optional<std::string> RegistrationProblem(Db& db, const std::string& name,
                                               const std::string& password,
                                               const std::string& email) {
  if (!IsValidUserName(name)) return "La user deve avere da 4 a 20 lettere o cifre.";
  // "anonimo" names the anonymous visitor in the challenge pages; the game reads the other three
  // as the offline, anonymous and login-page outcomes of its login window, whatever follows them.
  for (const char* reserved : {"anonimo", "noconnect", "login", "4pw7anony7wp4"})
    if (Lower(name) == reserved) return "Questa user non \u00e8 disponibile.";
  if (password.size() < kMinPasswordLength || password.size() > 64)
    return "La password deve avere da 8 a 64 caratteri.";
  if (!IsPlausibleEmail(email)) return "L'indirizzo email non \u00e8 valido.";
  if (Exists(db, "SELECT 1 FROM users WHERE name = ?", Lower(name)))
    return "Questa user \u00e8 gi\u00e0 registrata.";
  if (Exists(db, "SELECT 1 FROM users WHERE lower(email) = ? AND email_shared = 0", Lower(email)))
    return "Questo indirizzo email \u00e8 gi\u00e0 registrato.";
  return std::nullopt;
}

std::optional<std::string> CreateUser(Db& db, const std::string& name, const std::string& password,
                                      const std::string& email, bool active,
                                      const HashLimits& limits, std::int64_t now) {
  const std::string user = Lower(name);
  const std::string hash = HashPassword(password, limits);
  db.Prepare(
        "INSERT OR IGNORE INTO users (name, hash, email, active, created) VALUES (?, ?, ?, ?, ?)")
      .Bind(1, user)
      .Bind(2, hash)
      .Bind(3, Lower(email))
      .Bind(4, int(active))
      .Bind(5, DateText(Today(), '-'))
      .Run();
  if (db.Changes() == 0) return std::nullopt;
  return active ? std::string() : NewToken(db, user, "confirm", now);
}

std::optional<std::string> ConfirmUser(Db& db, const std::string& token, std::int64_t now,
                                       std::int64_t life) {
  auto name = TakeToken(db, token, "confirm", now, life);
  if (name) db.Prepare("UPDATE users SET active = 1 WHERE name = ?").Bind(1, *name).Run();
  return name;
}

LoginCheck CheckLogin(Db& db, const std::string& name, const std::string& password,
                      const HashLimits& limits) {
  std::string hash;
  bool known = false, active = false;
  {
    auto find = db.Prepare("SELECT hash, active FROM users WHERE name = ?");
    find.Bind(1, Lower(name));
    if (find.Step()) {
      known = true;
      hash = find.Text(0);
      active = find.Int(1) != 0;
    }
  }
  if (!known && limits.Dummy.empty()) return LoginCheck::Wrong;
  HashGate::Pass pass(limits.Gate);
  const std::string& stored = known ? hash : limits.Dummy;
  if (crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) != 0 || !known)
    return LoginCheck::Wrong;
  if (crypto_pwhash_str_needs_rehash(hash.c_str(), limits.Ops, limits.Memory) != 0)
    db.Prepare("UPDATE users SET hash = ? WHERE name = ? AND hash = ?")
        .Bind(1, HashInside(password, limits))
        .Bind(2, Lower(name))
        .Bind(3, hash)
        .Run();
  return active ? LoginCheck::Ok : LoginCheck::Inactive;
}

std::string RecordLogin(Db& db, const std::string& name) {
  std::string previous;
  {
    auto find = db.Prepare("SELECT last_login, created FROM users WHERE name = ?");
    find.Bind(1, name);
    if (find.Step()) previous = find.Text(0).empty() ? find.Text(1) : find.Text(0);
  }
  db.Prepare("UPDATE users SET last_login = ? WHERE name = ?")
      .Bind(1, DateText(Today(), '-'))
      .Bind(2, name)
      .Run();
  return previous;
}

std::vector<std::pair<std::string, std::string>> IssueRenewalTokens(Db& db,
                                                                    const std::string& email,
                                                                    std::int64_t now) {
  std::vector<std::pair<std::string, std::string>> issued;
  {
    auto find = db.Prepare("SELECT name FROM users WHERE lower(email) = ?");
    find.Bind(1, Lower(email));
    while (find.Step()) issued.emplace_back(find.Text(0), std::string());
  }
  for (auto& [name, token] : issued) {
    db.Prepare("DELETE FROM tokens WHERE name = ? AND purpose = 'password'").Bind(1, name).Run();
    token = NewToken(db, name, "password", now);
  }
  return issued;
}

std::optional<std::pair<std::string, std::string>> RenewPassword(Db& db, const std::string& token,
                                                                 const HashLimits& limits,
                                                                 std::int64_t now,
                                                                 std::int64_t life) {
  HashGate::Pass pass(limits.Gate);  // before the token is used up
  auto name = TakeToken(db, token, "password", now, life);
  if (!name) return std::nullopt;
  static constexpr char kAlphabet[] = "abcdefghijkmnpqrstuvwxyz23456789";
  std::string password;
  for (int i = 0; i < 10; ++i) password.push_back(kAlphabet[randombytes_uniform(32)]);
  // Following the mailed link proves the address, so it also activates the account.
  const std::string hash = HashInside(password, limits);
  db.Prepare("UPDATE users SET hash = ?, active = 1 WHERE name = ?")
      .Bind(1, hash)
      .Bind(2, *name)
      .Run();
  // Whoever knew the old password is signed off everywhere.
  CloseSessionsOf(db, *name);
  return std::make_pair(*name, password);
}

}  // namespace sudoku::site

// Session tokens and their store.
#include "site/sessions.h"

#include <sodium.h>

#include <chrono>

namespace sudoku::site {
namespace {

constexpr std::int64_t kIdleLimit = 24 * 3600;
constexpr std::int64_t kRefreshEvery = 10;

std::string Hex(const unsigned char* bytes, std::size_t size) {
  std::string hex(size * 2 + 1, '\0');
  sodium_bin2hex(hex.data(), hex.size(), bytes, size);
  hex.pop_back();
  return hex;
}

// The stored form of a token: a leaked store gives no usable cookie.
std::string TokenKey(const std::string& token) {
  unsigned char digest[32];
  crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(token.data()),
                     token.size(), nullptr, 0);
  return Hex(digest, sizeof digest);
}

}  // namespace

std::string RandomToken() {
  unsigned char bytes[32];
  randombytes_buf(bytes, sizeof bytes);
  return Hex(bytes, sizeof bytes);
}

std::string OpenSession(Db& db, const std::string& name, std::int64_t now) {
  db.Prepare("DELETE FROM sessions WHERE seen < ?").Bind(1, now - kIdleLimit).Run();
  const std::string token = RandomToken();
  db.Prepare("INSERT INTO sessions (token, name, seen) VALUES (?, ?, ?)")
      .Bind(1, TokenKey(token))
      .Bind(2, name)
      .Bind(3, now)
      .Run();
  return token;
}

std::optional<std::string> FindSession(Db& db, const std::string& token, std::int64_t now) {
  if (token.size() != 64) return std::nullopt;
  const std::string key = TokenKey(token);
  std::string name;
  std::int64_t seen = 0;
  {
    auto find = db.Prepare("SELECT name, seen FROM sessions WHERE token = ?");
    find.Bind(1, key);
    if (!find.Step()) return std::nullopt;
    name = find.Text(0);
    seen = find.Int(1);
  }
  if (now - seen > kIdleLimit) {
    CloseSession(db, token);
    return std::nullopt;
  }
  // Refreshed at most every few seconds: a game polling its pages costs no write on most reads.
  if (now - seen >= kRefreshEvery)
    db.Prepare("UPDATE sessions SET seen = ? WHERE token = ?").Bind(1, now).Bind(2, key).Run();
  return name;
}

void CloseSession(Db& db, const std::string& token) {
  db.Prepare("DELETE FROM sessions WHERE token = ?").Bind(1, TokenKey(token)).Run();
}

void CloseSessionsOf(Db& db, const std::string& name) {
  db.Prepare("DELETE FROM sessions WHERE name = ?").Bind(1, name).Run();
}

int UsersOnline(Db& db, std::int64_t now) {
  auto count = db.Prepare("SELECT COUNT(DISTINCT name) FROM sessions WHERE seen >= ?");
  count.Bind(1, now - kDeadPlayerInterval);
  count.Step();
  return int(count.Int(0));
}

std::int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace sudoku::site

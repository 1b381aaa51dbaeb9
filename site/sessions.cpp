// Session tokens and their store.
#include "site/sessions.h"

#include <chrono>

namespace sudoku::site {
namespace {

constexpr std::int64_t kRefreshEvery = 10;

}  // namespace

std::string OpenSession(Db& db, const std::string& name, std::int64_t now) {
  db.Prepare("DELETE FROM sessions WHERE seen < ? OR created < ?")
      .Bind(1, now - kSessionIdleLimit)
      .Bind(2, now - kSessionLife)
      .Run();
  const std::string token = RandomToken();
  db.Prepare("INSERT INTO sessions (token, name, seen, created) VALUES (?, ?, ?, ?)")
      .Bind(1, TokenKey(token))
      .Bind(2, name)
      .Bind(3, now)
      .Bind(4, now)
      .Run();
  return token;
}

std::optional<std::string> FindSession(Db& db, const std::string& token, std::int64_t now) {
  if (token.size() != 64) return std::nullopt;
  const std::string key = TokenKey(token);
  std::string name;
  std::int64_t seen = 0, created = 0;
  {
    auto find = db.Prepare("SELECT name, seen, created FROM sessions WHERE token = ?");
    find.Bind(1, key);
    if (!find.Step()) return std::nullopt;
    name = find.Text(0);
    seen = find.Int(1);
    created = find.Int(2);
  }
  if (now - seen > kSessionIdleLimit || now - created > kSessionLife) {
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

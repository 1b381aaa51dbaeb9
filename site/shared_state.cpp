// Counters and leases in the store.
#include "site/shared_state.h"

namespace sudoku::site {

std::int64_t CounterValue(Db& db, const std::string& name) {
  auto find = db.Prepare("SELECT value FROM counters WHERE name = ?");
  find.Bind(1, name);
  return find.Step() ? find.Int(0) : 0;
}

void BumpCounter(Db& db, const std::string& name) {
  db.Prepare(
        "INSERT INTO counters (name, value) VALUES (?, 1) "
        "ON CONFLICT (name) DO UPDATE SET value = counters.value + 1")
      .Bind(1, name)
      .Run();
}

bool TakeLease(Db& db, const std::string& name, std::int64_t now, std::int64_t seconds) {
  db.Prepare(
        "INSERT INTO leases (name, expires) VALUES (?1, ?2) ON CONFLICT (name) DO UPDATE SET "
        "expires = excluded.expires WHERE leases.expires <= ?3 OR leases.expires > ?2")
      .Bind(1, name)
      .Bind(2, now + seconds)
      .Bind(3, now)
      .Run();
  return db.Changes() == 1;
}

}  // namespace sudoku::site

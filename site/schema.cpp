// The schema of every table the site keeps, step by step.
#include "site/schema.h"

#include <cstdio>
#include <string>
#include <vector>

#include "site/token.h"

namespace sudoku::site {
namespace {

constexpr const char* kFirstTables = R"sql(
CREATE TABLE IF NOT EXISTS users (
  name TEXT PRIMARY KEY, hash TEXT NOT NULL, email TEXT NOT NULL, active INTEGER NOT NULL,
  created TEXT NOT NULL, last_login TEXT NOT NULL DEFAULT '',
  email_shared INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS tokens (
  token TEXT PRIMARY KEY, name TEXT NOT NULL, purpose TEXT NOT NULL,
  created INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS sessions (
  token TEXT PRIMARY KEY, name TEXT NOT NULL, seen INTEGER NOT NULL,
  created INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS sessions_by_time ON sessions (seen, name);
CREATE TABLE IF NOT EXISTS outbox (
  id INTEGER PRIMARY KEY, recipient TEXT NOT NULL, subject TEXT NOT NULL, body TEXT NOT NULL,
  sent TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS puzzles (
  number INTEGER PRIMARY KEY, digits TEXT NOT NULL UNIQUE, solution TEXT NOT NULL,
  level INTEGER NOT NULL, givens INTEGER NOT NULL, symmetric INTEGER NOT NULL,
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  vote_sum INTEGER NOT NULL DEFAULT 0, voters INTEGER NOT NULL DEFAULT 0, author TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS puzzles_by_month ON puzzles (year, month);
CREATE TABLE IF NOT EXISTS votes (
  number INTEGER NOT NULL, name TEXT NOT NULL, vote INTEGER NOT NULL, PRIMARY KEY (number, name));
CREATE TABLE IF NOT EXISTS challenges (
  id INTEGER PRIMARY KEY, challenger TEXT NOT NULL, challenged TEXT NOT NULL DEFAULT '',
  state TEXT NOT NULL, created INTEGER NOT NULL, puzzle TEXT NOT NULL DEFAULT '0',
  solution TEXT NOT NULL DEFAULT '0', board TEXT NOT NULL DEFAULT '0',
  previous TEXT NOT NULL DEFAULT '0', found_by TEXT NOT NULL DEFAULT '0',
  start_day TEXT NOT NULL DEFAULT '0', start_time TEXT NOT NULL DEFAULT '0',
  end_time TEXT NOT NULL DEFAULT '0',
  challenger_ok INTEGER NOT NULL DEFAULT 0, challenger_ko INTEGER NOT NULL DEFAULT 0,
  challenged_ok INTEGER NOT NULL DEFAULT 0, challenged_ko INTEGER NOT NULL DEFAULT 0,
  solved INTEGER NOT NULL DEFAULT 0,
  msg_challenger TEXT NOT NULL DEFAULT '0', msg_challenged TEXT NOT NULL DEFAULT '0',
  challenger_closed INTEGER NOT NULL DEFAULT 0, challenged_closed INTEGER NOT NULL DEFAULT 0,
  challenger_seen INTEGER NOT NULL DEFAULT 0, challenged_seen INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS match_views (
  challenge INTEGER NOT NULL, name TEXT NOT NULL, board TEXT NOT NULL,
  PRIMARY KEY (challenge, name));
CREATE TABLE IF NOT EXISTS ranking (
  name TEXT PRIMARY KEY, matches INTEGER NOT NULL DEFAULT 0, wins INTEGER NOT NULL DEFAULT 0,
  right_digits INTEGER NOT NULL DEFAULT 0, wrong_digits INTEGER NOT NULL DEFAULT 0);
)sql";

// What every site process shares beyond the accounts and the games: the rate limits' records,
// counters that tell processes their caches are stale, and the leases of timed rules.
constexpr const char* kSharedStateTables = R"sql(
CREATE TABLE IF NOT EXISTS throttles (
  rule TEXT NOT NULL, holder TEXT NOT NULL, times TEXT NOT NULL, blocked_until INTEGER NOT NULL,
  strikes INTEGER NOT NULL, idle_after INTEGER NOT NULL, PRIMARY KEY (rule, holder));
CREATE INDEX IF NOT EXISTS throttles_by_idleness ON throttles (rule, idle_after);
CREATE TABLE IF NOT EXISTS counters (name TEXT PRIMARY KEY, value INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS leases (name TEXT PRIMARY KEY, expires INTEGER NOT NULL);
)sql";

// Columns added to SQLite files made before the store had a version: table, column, type, and
// what fills the column of the rows already there (or null).
constexpr const char* kAddedColumns[][4] = {
    {"tokens", "created", "INTEGER NOT NULL DEFAULT 0", nullptr},
    {"challenges", "challenger_seen", "INTEGER NOT NULL DEFAULT 0", nullptr},
    {"challenges", "challenged_seen", "INTEGER NOT NULL DEFAULT 0", nullptr},
    // A session's life is counted from its last use before this column came.
    {"sessions", "created", "INTEGER NOT NULL DEFAULT 0", "UPDATE sessions SET created = seen"},
    {"users", "email_shared", "INTEGER NOT NULL DEFAULT 0", nullptr},
};

void AddMissingColumns(Db& db) {
  for (const auto& [table, column, type, fill] : kAddedColumns) {
    bool present = false;
    {
      auto columns = db.Prepare((std::string("PRAGMA table_info(") + table + ")").c_str());
      while (columns.Step()) present = present || columns.Text(1) == column;
    }
    if (present) continue;
    db.Exec((std::string("ALTER TABLE ") + table + " ADD COLUMN " + column + " " + type).c_str());
    if (fill) db.Exec(fill);
  }
}

// An older file may hold the same address twice: all but its first account are marked as
// sharing it, reported, and left out of the index.
void MarkSharedEmails(Db& db) {
  auto shared = db.Prepare(
      "UPDATE users SET email_shared = 1 WHERE email_shared = 0 AND rowid NOT IN "
      "(SELECT MIN(rowid) FROM users GROUP BY lower(email)) RETURNING name, email");
  while (shared.Step())
    std::fprintf(stderr,
                 "sudoku-site: the user %s shares the e-mail address %s with an older user; "
                 "both are kept, the address stays with the older\n",
                 shared.Text(0).c_str(), shared.Text(1).c_str());
}

// Mailed tokens were once stored as they are; the store now keeps only their digests.
void HashStoredTokens(Db& db) {
  std::vector<std::string> tokens;
  {
    auto all = db.Prepare("SELECT token FROM tokens");
    while (all.Step()) tokens.push_back(all.Text(0));
  }
  for (const std::string& token : tokens)
    db.Prepare("UPDATE tokens SET token = ? WHERE token = ?")
        .Bind(1, TokenKey(token))
        .Bind(2, token)
        .Run();
}

// The accounts, the catalogue and the games. A SQLite file may predate the version: its missing
// tables and columns are added and its rows brought to the present rules.
void CreateFirstTables(Db& db) {
  db.Exec(kFirstTables);
  if (db.Kind() == Dialect::Sqlite) {
    AddMissingColumns(db);
    HashStoredTokens(db);
    MarkSharedEmails(db);
  }
  // Every address belongs to one account.
  db.Exec(
      "CREATE UNIQUE INDEX IF NOT EXISTS users_by_email ON users (lower(email)) "
      "WHERE email_shared = 0");
}

void CreateSharedStateTables(Db& db) {
  db.Exec(kSharedStateTables);
}

struct Step {
  int Version;
  void (*Apply)(Db&);
};

// Append only: a store at version N has had every step up to N.
constexpr Step kSteps[] = {
    {1, CreateFirstTables},
    {2, CreateSharedStateTables},
};

constexpr int kLatest = kSteps[std::size(kSteps) - 1].Version;

}  // namespace

void UpdateSchema(Db& db) {
  if (db.SchemaVersion() >= kLatest) return;
  Transaction transaction(db);
  const int version = db.SchemaVersion();  // another connection may have been first
  if (version >= kLatest) return;
  for (const Step& step : kSteps)
    if (step.Version > version) step.Apply(db);
  db.SetSchemaVersion(kLatest);
  transaction.Commit();
}

}  // namespace sudoku::site

// The SQLite store and the schema of every table the site keeps.
#include "site/db.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "site/token.h"

namespace sudoku::site {
namespace {

constexpr const char* kSchema = R"sql(
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

// Columns added after the first version, for stores made before them: table, column, type, and
// what fills the column of the rows already there (or null).
constexpr const char* kAddedColumns[][4] = {
    {"tokens", "created", "INTEGER NOT NULL DEFAULT 0", nullptr},
    {"challenges", "challenger_seen", "INTEGER NOT NULL DEFAULT 0", nullptr},
    {"challenges", "challenged_seen", "INTEGER NOT NULL DEFAULT 0", nullptr},
    // A session's life is counted from its last use before this column came.
    {"sessions", "created", "INTEGER NOT NULL DEFAULT 0", "UPDATE sessions SET created = seen"},
    {"users", "email_shared", "INTEGER NOT NULL DEFAULT 0", nullptr},
};

// The store's version (SQLite's user_version) once every step below has run.
constexpr int kVersion = 1;

// Every address belongs to one account. An older store may hold the same address twice: all
// but its first account are marked as sharing it, reported, and left out of the index.
void MakeEmailsUnique(Db& db) {
  auto shared = db.Prepare(
      "UPDATE users SET email_shared = 1 WHERE email_shared = 0 AND rowid NOT IN "
      "(SELECT MIN(rowid) FROM users GROUP BY lower(email)) RETURNING name, email");
  while (shared.Step())
    std::fprintf(stderr,
                 "sudoku-site: the user %s shares the e-mail address %s with an older user; "
                 "both are kept, the address stays with the older\n",
                 shared.Text(0).c_str(), shared.Text(1).c_str());
  db.Exec(
      "CREATE UNIQUE INDEX IF NOT EXISTS users_by_email ON users (lower(email)) "
      "WHERE email_shared = 0");
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

int UserVersion(Db& db) {
  auto version = db.Prepare("PRAGMA user_version");
  version.Step();
  return int(version.Int(0));
}

// The file is made readable by its owner alone before SQLite opens it; SQLite gives its -wal
// and -shm files the same mode.
void CreatePrivately(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) close(fd);
}

[[noreturn]] void Fail(sqlite3* db, int rc) {
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) throw DbBusy(sqlite3_errmsg(db));
  throw DbError(sqlite3_errmsg(db));
}

}  // namespace

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
  const int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr);
  if (rc != SQLITE_OK) Fail(db_, rc);
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, const std::string& text) {
  if (sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    Fail(db_, sqlite3_errcode(db_));
  return *this;
}

Statement& Statement::Bind(int index, std::int64_t number) {
  if (sqlite3_bind_int64(stmt_, index, number) != SQLITE_OK) throw DbError(sqlite3_errmsg(db_));
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Fail(db_, rc);
}

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            std::size_t(sqlite3_column_bytes(stmt_, column)))
              : std::string();
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

Db::Db(const std::string& path, std::chrono::milliseconds busyWait) : busyWait_(busyWait) {
  CreatePrivately(path);
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw DbError("cannot open " + path + ": " + message);
  }
  sqlite3_busy_handler(db_, &Db::WaitWhileBusy, this);
  try {
    // A commit survives the process being killed; only a crash of the machine may lose the last.
    Exec("PRAGMA synchronous=NORMAL");
    Exec("PRAGMA cache_size=-1024");
    CreateSchema();
  } catch (const DbError&) {
    sqlite3_close(db_);  // no destructor runs for a constructor that throws
    throw;
  }
}

// SQLite's own wait sleeps up to 100 ms at a time, which a short write of another thread
// would turn into a long pause: this one looks again every fraction of a millisecond.
int Db::WaitWhileBusy(void* self, int attempts) {
  Db& db = *static_cast<Db*>(self);
  const auto now = std::chrono::steady_clock::now();
  if (attempts == 0) db.busySince_ = now;
  if (now - db.busySince_ >= db.busyWait_) return 0;
  std::this_thread::sleep_for(std::chrono::microseconds(attempts < 20 ? 100 : 1000));
  return 1;
}

void Db::CreateSchema() {
  Exec("PRAGMA journal_mode=WAL");
  Exec(kSchema);
  if (UserVersion(*this) >= kVersion) return;
  Transaction transaction(*this);
  if (UserVersion(*this) >= kVersion) return;  // another connection was first
  for (const auto& [table, column, type, fill] : kAddedColumns) {
    bool present = false;
    {
      auto columns = Prepare((std::string("PRAGMA table_info(") + table + ")").c_str());
      while (columns.Step()) present = present || columns.Text(1) == column;
    }
    if (present) continue;
    Exec((std::string("ALTER TABLE ") + table + " ADD COLUMN " + column + " " + type).c_str());
    if (fill) Exec(fill);
  }
  HashStoredTokens(*this);
  MakeEmailsUnique(*this);
  Exec(("PRAGMA user_version = " + std::to_string(kVersion)).c_str());
  transaction.Commit();
}

Db::~Db() {
  sqlite3_close(db_);
}

void Db::Exec(const char* sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) throw DbBusy(message);
    throw DbError(message);
  }
}

int Db::Changes() const {
  return sqlite3_changes(db_);
}

Transaction::~Transaction() {
  if (!done_) {
    try {
      db_.Exec("ROLLBACK");
    } catch (const DbError&) {
      // Nothing more can be done while unwinding; the connection stays usable.
    }
  }
}

void Transaction::Commit() {
  db_.Exec("COMMIT");
  done_ = true;
}

}  // namespace sudoku::site

// The SQLite store and the schema of every table the site keeps.
#include "site/db.h"

#include <sqlite3.h>

namespace sudoku::site {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS users (
  name TEXT PRIMARY KEY, hash TEXT NOT NULL, email TEXT NOT NULL, active INTEGER NOT NULL,
  created TEXT NOT NULL, last_login TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS tokens (
  token TEXT PRIMARY KEY, name TEXT NOT NULL, purpose TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS sessions (
  token TEXT PRIMARY KEY, name TEXT NOT NULL, seen INTEGER NOT NULL);
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
  challenger_closed INTEGER NOT NULL DEFAULT 0, challenged_closed INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS match_views (
  challenge INTEGER NOT NULL, name TEXT NOT NULL, board TEXT NOT NULL,
  PRIMARY KEY (challenge, name));
CREATE TABLE IF NOT EXISTS ranking (
  name TEXT PRIMARY KEY, matches INTEGER NOT NULL DEFAULT 0, wins INTEGER NOT NULL DEFAULT 0,
  right_digits INTEGER NOT NULL DEFAULT 0, wrong_digits INTEGER NOT NULL DEFAULT 0);
)sql";

}  // namespace

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
  if (sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr) != SQLITE_OK)
    throw DbError(sqlite3_errmsg(db_));
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, const std::string& text) {
  if (sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    throw DbError(sqlite3_errmsg(db_));
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
  throw DbError(sqlite3_errmsg(db_));
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

Db::Db(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw DbError("cannot open " + path + ": " + message);
  }
  sqlite3_busy_timeout(db_, 5000);
  Exec("PRAGMA journal_mode=WAL");
  Exec(kSchema);
}

Db::~Db() {
  sqlite3_close(db_);
}

void Db::Exec(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "unknown error";
    sqlite3_free(error);
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

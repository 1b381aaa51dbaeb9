// The store's two implementations behind one opening, and its transactions.
#include "site/db.h"

#include "site/postgres_db.h"
#include "site/schema.h"
#include "site/sqlite_db.h"

namespace sudoku::site {

Dialect DialectOf(const std::string& where) {
  return where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0
             ? Dialect::Postgres
             : Dialect::Sqlite;
}

std::unique_ptr<Db> OpenDb(const std::string& where, std::chrono::milliseconds busyWait) {
  std::unique_ptr<Db> db;
  if (DialectOf(where) == Dialect::Postgres)
    db = std::make_unique<PostgresDb>(where, busyWait);
  else
    db = std::make_unique<SqliteDb>(where, busyWait);
  UpdateSchema(*db);
  return db;
}

Transaction::~Transaction() {
  if (!done_) {
    try {
      db_.EndWrite(false);
    } catch (const DbError&) {
      // Nothing more can be done while unwinding; the connection stays usable.
    }
  }
}

void Transaction::Commit() {
  db_.EndWrite(true);
  done_ = true;
}

}  // namespace sudoku::site

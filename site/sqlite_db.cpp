// The SQLite store.
#include "site/sqlite_db.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <thread>

namespace sudoku::site {
namespace {

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

class SqliteStatement : public StatementBackend {
 public:
  SqliteStatement(sqlite3* db, const char* sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) Fail(db_, rc);
  }
  ~SqliteStatement() override { sqlite3_finalize(stmt_); }

  void Bind(int index, const std::string& text) override {
    if (sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
      Fail(db_, sqlite3_errcode(db_));
  }
  void Bind(int index, std::int64_t number) override {
    if (sqlite3_bind_int64(stmt_, index, number) != SQLITE_OK) throw DbError(sqlite3_errmsg(db_));
  }
  bool Step() override {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fail(db_, rc);
  }
  std::string Text(int column) const override {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              std::size_t(sqlite3_column_bytes(stmt_, column)))
                : std::string();
  }
  std::int64_t Int(int column) const override { return sqlite3_column_int64(stmt_, column); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

SqliteDb::SqliteDb(const std::string& path, std::chrono::milliseconds busyWait)
    : busyWait_(busyWait) {
  CreatePrivately(path);
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw DbError("cannot open " + path + ": " + message);
  }
  sqlite3_busy_handler(db_, &SqliteDb::WaitWhileBusy, this);
  try {
    // A commit survives the process being killed; only a crash of the machine may lose the last.
    Exec("PRAGMA synchronous=NORMAL");
    Exec("PRAGMA cache_size=-1024");
    Exec("PRAGMA journal_mode=WAL");
  } catch (const DbError&) {
    sqlite3_close(db_);  // no destructor runs for a constructor that throws
    throw;
  }
}

SqliteDb::~SqliteDb() {
  sqlite3_close(db_);
}

// SQLite's own wait sleeps up to 100 ms at a time, which a short write of another thread
// would turn into a long pause: this one looks again every fraction of a millisecond.
int SqliteDb::WaitWhileBusy(void* self, int attempts) {
  SqliteDb& db = *static_cast<SqliteDb*>(self);
  const auto now = std::chrono::steady_clock::now();
  if (attempts == 0) db.busySince_ = now;
  if (now - db.busySince_ >= db.busyWait_) return 0;
  std::this_thread::sleep_for(std::chrono::microseconds(attempts < 20 ? 100 : 1000));
  return 1;
}

Statement SqliteDb::Prepare(const char* sql) {
  return Statement(std::make_unique<SqliteStatement>(db_, sql));
}

void SqliteDb::Exec(const char* sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) throw DbBusy(message);
    throw DbError(message);
  }
}

int SqliteDb::Changes() const {
  return sqlite3_changes(db_);
}

int SqliteDb::SchemaVersion() {
  auto version = Prepare("PRAGMA user_version");
  version.Step();
  return int(version.Int(0));
}

void SqliteDb::SetSchemaVersion(int version) {
  Exec(("PRAGMA user_version = " + std::to_string(version)).c_str());
}

}  // namespace sudoku::site

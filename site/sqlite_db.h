// The store in a SQLite file: a connection per thread in WAL mode, the file private to its owner.
#pragma once

#include <chrono>
#include <string>

#include "site/db.h"

struct sqlite3;

namespace sudoku::site {

class SqliteDb : public Db {
 public:
  // Opens (or creates) the file; a statement that finds it locked by another writer retries
  // for busyWait, then throws DbBusy. The schema is left as it is (see OpenDb).
  SqliteDb(const std::string& path, std::chrono::milliseconds busyWait);
  ~SqliteDb() override;

  Statement Prepare(const char* sql) override;
  void Exec(const char* sql) override;
  int Changes() const override;
  Dialect Kind() const override { return Dialect::Sqlite; }
  void BeginWrite() override { Exec("BEGIN IMMEDIATE"); }
  void EndWrite(bool commit) override { Exec(commit ? "COMMIT" : "ROLLBACK"); }
  int SchemaVersion() override;
  void SetSchemaVersion(int version) override;

 private:
  static int WaitWhileBusy(void* self, int attempts);

  sqlite3* db_ = nullptr;
  std::chrono::milliseconds busyWait_;
  std::chrono::steady_clock::time_point busySince_;
};

}  // namespace sudoku::site

// The store in a PostgreSQL database, through libpq: one connection per thread, made again when
// the server went away, with every wait bounded so a request never hangs on the database.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "site/db.h"

struct pg_conn;
struct pg_result;

namespace sudoku::site {

class PostgresDb : public Db {
 public:
  // Connects to the database a libpq URI names; throws DbBusy when it cannot be reached. A
  // write transaction waits busyWait at most for the store's write lock.
  PostgresDb(std::string uri, std::chrono::milliseconds busyWait);
  ~PostgresDb() override;

  Statement Prepare(const char* sql) override;
  void Exec(const char* sql) override;
  int Changes() const override { return changes_; }
  Dialect Kind() const override { return Dialect::Postgres; }
  void BeginWrite() override;
  void EndWrite(bool commit) override;
  int SchemaVersion() override;
  void SetSchemaVersion(int version) override;

  // The statement's rewritten text and parameter count, prepared once per connection.
  struct Prepared {
    std::string Sql;
    int Parameters = 0;
  };
  using Result = std::unique_ptr<pg_result, void (*)(pg_result*)>;
  // Runs a prepared statement with its parameters (text, or null when absent); a connection
  // lost between transactions is made again and the statement sent once more.
  Result Run(const Prepared& statement, const std::vector<std::optional<std::string>>& values);
  const Prepared& Rewritten(const char* sql);

 private:
  // Makes the connection again when it is lost; throws DbBusy when that fails, or when the last
  // attempt failed a moment ago (a server that is away is not asked again by every statement).
  void Connect();
  Result RunOnce(const Prepared& statement, const std::vector<std::optional<std::string>>& values);
  [[noreturn]] void Fail(const Result& result);
  // Refuses statements of a transaction whose connection was lost: they would run outside it.
  void CheckTransaction();

  std::string uri_;
  std::chrono::milliseconds busyWait_;
  pg_conn* conn_ = nullptr;
  std::chrono::steady_clock::time_point lastAttempt_;
  std::string lastError_;
  int changes_ = 0;
  unsigned generation_ = 0;  // connections made so far
  bool inTransaction_ = false;
  unsigned transactionGeneration_ = 0;
  std::unordered_map<std::string, Prepared> rewritten_;         // by the SQLite text
  std::unordered_map<std::string, std::string> preparedNames_;  // by the rewritten text
};

}  // namespace sudoku::site

// The site's SQLite store: a connection per thread in WAL mode, prepared statements only, the
// schema created (and brought up to date) on the first start.
#pragma once

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace sudoku::site {

class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The store stayed locked by another writer for longer than the connection waits.
class DbBusy : public DbError {
 public:
  using DbError::DbError;
};

// One prepared statement; parameters are numbered from 1, result columns from 0.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, const std::string& text);
  Statement& Bind(int index, std::int64_t number);
  Statement& Bind(int index, int number) { return Bind(index, std::int64_t{number}); }
  // Moves to the next row: true while there is one.
  bool Step();
  // Runs a statement that returns no rows.
  void Run() { Step(); }

  std::string Text(int column) const;
  std::int64_t Int(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

class Db {
 public:
  // Opens the file and brings its schema up to date; a statement that finds the file locked by
  // another writer retries for busyWait, then throws DbBusy.
  explicit Db(const std::string& path,
              std::chrono::milliseconds busyWait = std::chrono::milliseconds(2000));
  ~Db();
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  Statement Prepare(const char* sql) { return Statement(db_, sql); }
  // Runs fixed SQL text without parameters (schema, transactions).
  void Exec(const char* sql);
  // The number of rows the last statement changed.
  int Changes() const;

 private:
  // Creates the tables that are missing and adds the columns later versions brought.
  void CreateSchema();
  static int WaitWhileBusy(void* self, int attempts);

  sqlite3* db_ = nullptr;
  std::chrono::milliseconds busyWait_;
  std::chrono::steady_clock::time_point busySince_;
};

// Runs its body in one transaction, committed when Commit is called, else rolled back.
class Transaction {
 public:
  explicit Transaction(Db& db) : db_(db) { db_.Exec("BEGIN IMMEDIATE"); }
  ~Transaction();
  void Commit();

 private:
  Db& db_;
  bool done_ = false;
};

}  // namespace sudoku::site

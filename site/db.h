// The site's store: one interface over a SQLite file (the embedded default) or a PostgreSQL
// database, prepared statements only, the schema created and brought up to date on opening.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace sudoku::site {

class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The store stayed locked by another writer for longer than the connection waits, or the
// database cannot be reached just now: the page asks the client to come back shortly.
class DbBusy : public DbError {
 public:
  using DbError::DbError;
};

enum class Dialect { Sqlite, Postgres };

// What the --db option names: a libpq URI ("postgresql://..." or "postgres://...") is a
// PostgreSQL database, anything else the path of a SQLite file.
Dialect DialectOf(const std::string& where);

// One statement's cursor as a store implements it.
class StatementBackend {
 public:
  virtual ~StatementBackend() = default;
  virtual void Bind(int index, const std::string& text) = 0;
  virtual void Bind(int index, std::int64_t number) = 0;
  virtual bool Step() = 0;
  virtual std::string Text(int column) const = 0;
  virtual std::int64_t Int(int column) const = 0;
};

// One prepared statement; parameters are numbered from 1, result columns from 0. Its SQL is
// written as SQLite reads it; the store rewrites it for its own dialect.
class Statement {
 public:
  explicit Statement(std::unique_ptr<StatementBackend> backend) : backend_(std::move(backend)) {}

  Statement& Bind(int index, const std::string& text) {
    backend_->Bind(index, text);
    return *this;
  }
  Statement& Bind(int index, std::int64_t number) {
    backend_->Bind(index, number);
    return *this;
  }
  Statement& Bind(int index, int number) { return Bind(index, std::int64_t{number}); }
  // Moves to the next row: true while there is one.
  bool Step() { return backend_->Step(); }
  // Runs a statement that returns no rows.
  void Run() { Step(); }

  std::string Text(int column) const { return backend_->Text(column); }
  std::int64_t Int(int column) const { return backend_->Int(column); }

 private:
  std::unique_ptr<StatementBackend> backend_;
};

// One connection to the store, used by one thread at a time.
class Db {
 public:
  virtual ~Db() = default;
  Db() = default;
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  virtual Statement Prepare(const char* sql) = 0;
  // Runs fixed SQL text without parameters (schema, transactions).
  virtual void Exec(const char* sql) = 0;
  // The number of rows the last statement changed.
  virtual int Changes() const = 0;
  virtual Dialect Kind() const = 0;

  // Starts a write transaction: one runs at a time over the whole store, whatever process
  // holds the connection; throws DbBusy when another holds it longer than the connection waits.
  virtual void BeginWrite() = 0;
  // Commits the write transaction, or rolls it back.
  virtual void EndWrite(bool commit) = 0;
  // The schema version recorded in the store, 0 for a new one.
  virtual int SchemaVersion() = 0;
  // Records the version; inside the transaction that brought the schema to it.
  virtual void SetSchemaVersion(int version) = 0;
};

// Opens the store where names (see DialectOf) and brings its schema up to date. A statement
// waits busyWait at most for a write lock held elsewhere, then throws DbBusy.
std::unique_ptr<Db> OpenDb(const std::string& where,
                           std::chrono::milliseconds busyWait = std::chrono::milliseconds(2000));

// Runs its body in one write transaction, committed when Commit is called, else rolled back.
class Transaction {
 public:
  explicit Transaction(Db& db) : db_(db) { db_.BeginWrite(); }
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Db& db_;
  bool done_ = false;
};

}  // namespace sudoku::site

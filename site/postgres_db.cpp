// The PostgreSQL store.
#include "site/postgres_db.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <cstring>

#include "site/sql_dialect.h"

namespace sudoku::site {
namespace {

// The key of the advisory lock every write transaction holds: the store's one writer at a
// time, as in a SQLite file.
constexpr const char* kTakeWriteLock = "SELECT pg_advisory_xact_lock(7366561)";

// A server that is away is asked again at most this often per connection.
constexpr auto kReconnectPause = std::chrono::milliseconds(200);

// Error classes after which the request is worth retrying: the connection, a lock or a
// statement that waited too long, the server shutting down or full.
bool IsTransient(const char* state) {
  if (!state) return false;
  static constexpr const char* kStates[] = {"40001", "40P01", "55P03", "57014",
                                            "57P01", "57P02", "57P03", "53300"};
  if (std::strncmp(state, "08", 2) == 0) return true;
  for (const char* known : kStates)
    if (std::strcmp(state, known) == 0) return true;
  return false;
}

void Quiet(void*, const char*) {}

class PostgresStatement : public StatementBackend {
 public:
  PostgresStatement(PostgresDb& db, const PostgresDb::Prepared& prepared)
      : db_(db),
        prepared_(prepared),
        values_(std::size_t(prepared.Parameters)),
        result_(nullptr, PQclear) {}

  void Bind(int index, const std::string& text) override {
    if (index < 1 || index > prepared_.Parameters)
      throw DbError("no parameter " + std::to_string(index) + " in " + prepared_.Sql);
    values_[std::size_t(index - 1)] = text;
  }
  void Bind(int index, std::int64_t number) override { Bind(index, std::to_string(number)); }
  bool Step() override {
    if (!result_) {
      result_ = db_.Run(prepared_, values_);
      row_ = 0;
    } else {
      ++row_;
    }
    return row_ < PQntuples(result_.get());
  }
  std::string Text(int column) const override {
    if (PQgetisnull(result_.get(), row_, column)) return {};
    return std::string(PQgetvalue(result_.get(), row_, column),
                       std::size_t(PQgetlength(result_.get(), row_, column)));
  }
  std::int64_t Int(int column) const override {
    const char* value = PQgetvalue(result_.get(), row_, column);
    if (std::strcmp(value, "t") == 0) return 1;  // a boolean
    return std::strtoll(value, nullptr, 10);
  }

 private:
  PostgresDb& db_;
  const PostgresDb::Prepared& prepared_;
  std::vector<std::optional<std::string>> values_;
  PostgresDb::Result result_;
  int row_ = 0;
};

}  // namespace

PostgresDb::PostgresDb(std::string uri, std::chrono::milliseconds busyWait)
    : uri_(std::move(uri)), busyWait_(busyWait) {
  try {
    Connect();
  } catch (const DbError&) {
    PQfinish(conn_);
    throw;
  }
}

PostgresDb::~PostgresDb() {
  PQfinish(conn_);
}

void PostgresDb::Connect() {
  if (conn_ && PQstatus(conn_) == CONNECTION_OK) return;
  const auto now = std::chrono::steady_clock::now();
  if (conn_ && now - lastAttempt_ < kReconnectPause)
    throw DbBusy("the database is unreachable: " + lastError_);
  lastAttempt_ = now;
  PQfinish(conn_);
  preparedNames_.clear();
  ++generation_;
  // Bounds of their own for a server that stops answering; the URI's settings come last and
  // win.
  const char* keys[] = {"connect_timeout",  "keepalives_idle", "keepalives_interval",
                        "keepalives_count", "dbname",          nullptr};
  const char* values[] = {"3", "5", "2", "2", uri_.c_str(), nullptr};
  conn_ = PQconnectdbParams(keys, values, 1);
  if (PQstatus(conn_) != CONNECTION_OK) {
    lastError_ = conn_ ? PQerrorMessage(conn_) : "out of memory";
    while (!lastError_.empty() && lastError_.back() == '\n') lastError_.pop_back();
    throw DbBusy("cannot reach the database: " + lastError_);
  }
  PQsetNoticeProcessor(conn_, Quiet, nullptr);
  // A lock awaited as long as SQLite's busy wait; no statement of the site runs for long.
  const std::string settings =
      "SET client_min_messages = warning; SET lock_timeout = " + std::to_string(busyWait_.count()) +
      "; SET statement_timeout = " +
      std::to_string(std::max<long long>(30000, busyWait_.count() * 4));
  Result set(PQexec(conn_, settings.c_str()), PQclear);
  if (PQresultStatus(set.get()) != PGRES_COMMAND_OK) Fail(set);
}

const PostgresDb::Prepared& PostgresDb::Rewritten(const char* sql) {
  auto found = rewritten_.find(sql);
  if (found == rewritten_.end()) {
    PostgresText text = PostgresSql(sql);
    found = rewritten_.emplace(sql, Prepared{std::move(text.Sql), text.Parameters}).first;
  }
  return found->second;
}

Statement PostgresDb::Prepare(const char* sql) {
  return Statement(std::make_unique<PostgresStatement>(*this, Rewritten(sql)));
}

PostgresDb::Result PostgresDb::RunOnce(const Prepared& statement,
                                       const std::vector<std::optional<std::string>>& values) {
  Connect();
  auto name = preparedNames_.find(statement.Sql);
  if (name == preparedNames_.end()) {
    const std::string fresh = "s" + std::to_string(preparedNames_.size() + 1);
    Result prepared(PQprepare(conn_, fresh.c_str(), statement.Sql.c_str(), 0, nullptr), PQclear);
    if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) return prepared;
    name = preparedNames_.emplace(statement.Sql, fresh).first;
  }
  std::vector<const char*> pointers;
  for (const auto& value : values) pointers.push_back(value ? value->c_str() : nullptr);
  return Result(PQexecPrepared(conn_, name->second.c_str(), int(pointers.size()), pointers.data(),
                               nullptr, nullptr, 0),
                PQclear);
}

PostgresDb::Result PostgresDb::Run(const Prepared& statement,
                                   const std::vector<std::optional<std::string>>& values) {
  CheckTransaction();
  Result result = RunOnce(statement, values);
  if (!inTransaction_ && PQstatus(conn_) != CONNECTION_OK) result = RunOnce(statement, values);
  const ExecStatusType status = PQresultStatus(result.get());
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) Fail(result);
  changes_ = std::atoi(PQcmdTuples(result.get()));
  return result;
}

void PostgresDb::Exec(const char* sql) {
  CheckTransaction();
  const std::string text = PostgresSql(sql).Sql;
  Connect();
  Result result(PQexec(conn_, text.c_str()), PQclear);
  if (!inTransaction_ && PQstatus(conn_) != CONNECTION_OK) {
    Connect();
    result.reset(PQexec(conn_, text.c_str()));
  }
  const ExecStatusType status = PQresultStatus(result.get());
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) Fail(result);
  changes_ = std::atoi(PQcmdTuples(result.get()));
}

void PostgresDb::Fail(const Result& result) {
  std::string message = result ? PQresultErrorMessage(result.get()) : "";
  if (message.empty()) message = PQerrorMessage(conn_);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  const char* state = result ? PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
  if (PQstatus(conn_) != CONNECTION_OK || IsTransient(state)) throw DbBusy(message);
  throw DbError(message);
}

void PostgresDb::CheckTransaction() {
  if (inTransaction_ && (PQstatus(conn_) != CONNECTION_OK || generation_ != transactionGeneration_))
    throw DbBusy("the connection to the database was lost during a transaction");
}

void PostgresDb::BeginWrite() {
  Exec("BEGIN");
  inTransaction_ = true;
  transactionGeneration_ = generation_;
  try {
    Exec(kTakeWriteLock);
  } catch (const DbError&) {
    EndWrite(false);
    throw;
  }
}

void PostgresDb::EndWrite(bool commit) {
  const bool lost = PQstatus(conn_) != CONNECTION_OK || generation_ != transactionGeneration_;
  if (lost) {
    inTransaction_ = false;
    if (commit) throw DbBusy("the connection to the database was lost during a transaction");
    return;  // the server ended the transaction with the connection
  }
  try {
    Exec(commit ? "COMMIT" : "ROLLBACK");
  } catch (const DbError&) {
    inTransaction_ = false;
    throw;
  }
  inTransaction_ = false;
}

int PostgresDb::SchemaVersion() {
  {
    auto table = Prepare(
        "SELECT 1 FROM pg_tables WHERE schemaname = current_schema() AND "
        "tablename = 'store_version'");
    if (!table.Step()) return 0;
  }
  auto version = Prepare("SELECT version FROM store_version");
  return version.Step() ? int(version.Int(0)) : 0;
}

void PostgresDb::SetSchemaVersion(int version) {
  Exec(("CREATE TABLE IF NOT EXISTS store_version (version INTEGER NOT NULL); "
        "DELETE FROM store_version; INSERT INTO store_version VALUES (" +
        std::to_string(version) + ")")
           .c_str());
}

}  // namespace sudoku::site

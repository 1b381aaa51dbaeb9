// The accounts' store: its files private to their owner, an older store brought up to date
// (addresses made unique without losing an account, mailed tokens kept as digests, sessions
// given a start), and password hashes renewed at login.
#include <gtest/gtest.h>
#include <sodium.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include "site/accounts.h"
#include "site/sessions.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

void RunSql(sqlite3* db, const char* sql) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
}

std::string One(Db& db, const std::string& sql) {
  auto query = db.Prepare(sql.c_str());
  return query.Step() ? query.Text(0) : "<none>";
}

TEST(SiteSqliteFile, ItsFilesAreReadableByTheirOwnerOnly) {
  ScratchDir dir;
  const std::string path = (dir / "site.db").string();
  auto db = OpenDb(path);
  db->Exec("INSERT INTO outbox (recipient, subject, body, sent) VALUES ('a', 'b', 'c', 'd')");
  for (const std::string& file : {path, path + "-wal", path + "-shm"}) {
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0) << file;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << file;
  }
}

TEST(SiteSqliteFile, AnOlderFileIsBroughtUpToDateWithoutLosingAnAccount) {
  ScratchDir dir;
  const std::string path = (dir / "site.db").string();
  const std::string token(64, 'a');
  sqlite3* old = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &old), SQLITE_OK);
  RunSql(
      old,
      "CREATE TABLE users (name TEXT PRIMARY KEY, hash TEXT NOT NULL, email TEXT NOT NULL, "
      "active INTEGER NOT NULL, created TEXT NOT NULL, last_login TEXT NOT NULL DEFAULT '');"
      "CREATE TABLE tokens (token TEXT PRIMARY KEY, name TEXT NOT NULL, purpose TEXT NOT NULL, "
      "created INTEGER NOT NULL DEFAULT 0);"
      "CREATE TABLE sessions (token TEXT PRIMARY KEY, name TEXT NOT NULL, seen INTEGER NOT NULL);"
      "INSERT INTO users VALUES ('anna', 'h', 'anna@x.it', 1, '01-01-2020', ''),"
      "  ('bruno', 'h', 'ANNA@x.it', 1, '01-01-2020', ''), ('carla', 'h', 'c@x.it', 0, '', '');"
      "INSERT INTO sessions VALUES ('s', 'anna', 1000);");
  RunSql(old, ("INSERT INTO tokens VALUES ('" + token + "', 'carla', 'confirm', 5000)").c_str());
  sqlite3_close(old);

  ::testing::internal::CaptureStderr();
  auto opened = OpenDb(path);
  Db& db = *opened;
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("bruno"));
  EXPECT_EQ(One(db, "SELECT COUNT(*) FROM users"), "3");
  EXPECT_EQ(RegistrationProblem(db, "dario", "segreto1", "Anna@X.it"),
            "Questo indirizzo email \u00e8 gi\u00e0 registrato.");
  EXPECT_THROW(db.Exec("INSERT INTO users (name, hash, email, active, created) "
                       "VALUES ('dario', 'h', 'C@X.IT', 1, '')"),
               DbError);
  EXPECT_EQ(One(db, "SELECT created FROM sessions"), "1000");
  EXPECT_EQ(One(db, "SELECT COUNT(*) FROM tokens WHERE token = '" + token + "'"), "0");
  EXPECT_EQ(ConfirmUser(db, token, 5000, 60), "carla");  // a link mailed before still works

  auto again = OpenDb(path);  // a second opening changes nothing
  EXPECT_EQ(One(*again, "SELECT COUNT(*) FROM users WHERE email_shared = 1"), "1");
}

TEST(SiteStore, ARightPasswordWithAnOlderHashIsHashedAgain) {
  ScratchDir dir;
  auto opened = OpenDb(StoreAt(dir / "site.db"));
  Db& db = *opened;
  ASSERT_GE(sodium_init(), 0);
  const HashLimits now = LightLimits();
  HashLimits older = now;
  older.Ops += 1;
  ASSERT_TRUE(CreateUser(db, "anna", "segreto1", "a@x.it", true, older, 0));
  const std::string before = One(db, "SELECT hash FROM users");

  EXPECT_EQ(CheckLogin(db, "anna", "sbagliata", now), LoginCheck::Wrong);
  EXPECT_EQ(One(db, "SELECT hash FROM users"), before);
  EXPECT_EQ(CheckLogin(db, "anna", "segreto1", now), LoginCheck::Ok);
  const std::string after = One(db, "SELECT hash FROM users");
  EXPECT_NE(after, before);
  EXPECT_EQ(crypto_pwhash_str_needs_rehash(after.c_str(), now.Ops, now.Memory), 0);
  EXPECT_EQ(CheckLogin(db, "anna", "segreto1", now), LoginCheck::Ok);

  HashLimits withDummy = now;
  withDummy.Dummy = DummyHash(now);
  EXPECT_EQ(CheckLogin(db, "nessuno", "segreto1", withDummy), LoginCheck::Wrong);
}

}  // namespace
}  // namespace sudoku::site::testing

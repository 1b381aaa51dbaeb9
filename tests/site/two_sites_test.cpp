// Two site objects over one store, as two site processes behind a load balancer: a player's
// session, wrong logins, the online count, a publication's collection and the sweep of vanished
// players hold across both; and a PostgreSQL server that goes away costs busy pages, not a hang.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "scratch_cluster.h"
#include "site/calendar.h"
#include "site/challenges.h"
#include "site/puzzle_maker.h"
#include "site/shared_state.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

const std::string kData = kSfida + "lettura-dati-sfida.asp?id=42";

class SiteTwoProcesses : public ::testing::Test {
 protected:
  FakeClock clock_;
  ScratchDir dir_;
  RunningSite a_{dir_ / "site.db", 10, true, [this](SiteOptions& o) { clock_.Install(o); }};
  RunningSite b_{dir_ / "site.db", 10, true, [this](SiteOptions& o) { clock_.Install(o); }};
};

TEST_F(SiteTwoProcesses, ASessionAndTheOnlineCountHoldOnBoth) {
  Browser annaA(a_.Port()), annaB(b_.Port());
  annaA.SignUp("anna1");
  annaB.CopyCookiesFrom(annaA);
  EXPECT_EQ(annaB.Get(kData).Value("nickname"), "anna1");
  EXPECT_EQ(annaB.Get(kData).Value("UteSuConnessi"), "1");
  // Within the same second, B's count follows sessions opened and closed through A.
  Browser brunoA(a_.Port());
  brunoA.SignUp("bruno1");
  EXPECT_EQ(annaB.Get(kData).Value("UteSuConnessi"), "2");
  brunoA.Get(kSfida + "logout.asp?id=bruno1");
  EXPECT_EQ(annaB.Get(kData).Value("UteSuConnessi"), "1");
  annaB.Get(kSfida + "logout.asp?id=anna1");
  EXPECT_EQ(annaA.Get(kData).Value("nickname"), "");  // the session A gave is gone
}

TEST_F(SiteTwoProcesses, WrongLoginsThroughEitherCountTogether) {
  Browser(a_.Port()).SignUp("carla");
  Browser viaA(a_.Port(), "127.0.0.2"), viaB(b_.Port(), "127.0.0.2");
  for (int k = 0; k < AccountLimits{}.WrongLogins.Allowed; ++k)
    (k % 2 ? viaA : viaB).LogIn("carla", "sbagliata");
  EXPECT_EQ(viaA.LogIn("carla", "segreto1"), kRefused);
  EXPECT_EQ(viaB.LogIn("carla", "segreto1"), kRefused);
}

TEST_F(SiteTwoProcesses, APublicationChangesTheCollectionBothServe) {
  Browser annaA(a_.Port()), annaB(b_.Port());
  annaA.SignUp("anna1");
  annaB.CopyCookiesFrom(annaA);
  const Date today = Today();
  char name[32];
  std::snprintf(name, sizeof name, "puzzles-%04d-%02d.zip", today.Year, today.Month);
  const std::string zip = std::string("/sudoku/download/") + name;
  const Answer before = annaB.Get(zip);  // built and kept by B
  SeededRandom random(99);
  const MadePuzzle made = MakePuzzle(random, false, 24);
  EXPECT_THAT(
      annaA.Get("/sudoku/gioco-offline/pubblica-sudoku.asp?who=anna1&pz=" + made.Digits).Body,
      HasSubstr("pubblicato con il numero"));
  const Answer after = annaB.Get(zip);
  EXPECT_EQ(after.Status, 200);
  EXPECT_NE(after.Body, before.Body);
  EXPECT_EQ(annaA.Get(zip).Body, after.Body);
}

TEST_F(SiteTwoProcesses, TheSweepOfAVanishedPlayersMatchRunsOnce) {
  Browser anna(a_.Port()), bruno(b_.Port());
  anna.SignUp("anna1");
  bruno.SignUp("bruno1");
  anna.Get(kSfida + "lancia-sfida.asp");
  bruno.Get(kSfida + "accetta-sfida.asp");
  anna.Get(kSfida + "genera-sfida-sudoku.asp?genera=123");
  bruno.Get(kSfida + "avvia-sfida-sudoku.asp");
  ASSERT_EQ(anna.Get(kData).Value("statosfida"), "corso");
  clock_.Advance(kMatchLife + 1);
  std::atomic<int> sweeps{0};
  std::thread first([&] { sweeps += a_.Inner().SweepChallenges() ? 1 : 0; });
  std::thread second([&] { sweeps += b_.Inner().SweepChallenges() ? 1 : 0; });
  first.join();
  second.join();
  EXPECT_EQ(sweeps, 1);
  auto store = OpenDb(StoreAt(dir_ / "site.db"));
  auto matches = store->Prepare("SELECT SUM(matches) FROM ranking");
  ASSERT_TRUE(matches.Step());
  EXPECT_EQ(matches.Int(0), 2);  // one ended match for each player

  // The lease of a holder that stopped renewing it (killed, say) frees itself.
  EXPECT_TRUE(TakeLease(*store, "test", 100, 5));
  EXPECT_FALSE(TakeLease(a_.Inner().Store(), "test", 104, 5));
  EXPECT_TRUE(TakeLease(a_.Inner().Store(), "test", 105, 5));
}

TEST(SitePostgres, AStoppedDatabaseGivesBusyPagesThenServesAgain) {
  ScratchCluster cluster;
  if (!cluster.Ready()) GTEST_SKIP() << "no PostgreSQL cluster: " << cluster.Problem();
  ASSERT_TRUE(RunAdminSql(cluster.Uri(), "CREATE DATABASE site"));
  ScratchDir dir;
  RunningSite site(dir / "unused.db", 10, true,
                   [&](SiteOptions& o) { o.DbPath = cluster.Uri("site"); });
  Browser anna(site.Port());
  anna.SignUp("anna1");
  cluster.Stop();
  for (int k = 0; k < 3; ++k) {
    const Answer away = anna.Get(kData);
    EXPECT_EQ(away.Status, 503) << k;
    EXPECT_EQ(away.Title(), "sito occupato") << k;
  }
  ASSERT_TRUE(cluster.Start());
  Answer back;
  EXPECT_TRUE(Eventually([&] { return (back = anna.Get(kData)).Status == 200; }));
  EXPECT_EQ(back.Value("nickname"), "anna1");
}

}  // namespace
}  // namespace sudoku::site::testing

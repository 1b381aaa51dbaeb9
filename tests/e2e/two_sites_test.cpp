// Two players' match over two site processes that share one store, each player's game talking
// to its own process through HAProxy; the challenger's process is killed with SIGKILL in the
// middle of the match, and the game goes on through the other without losing a move the site
// had acknowledged.
#include <QProcess>
#include <memory>
#include <string>

#include "match_player.h"
#include "proxy_process.h"
#include "site_process.h"

namespace sudoku::testing {
namespace {

// Each player's own entry: its site first, the other site as the backup that takes over once a
// refused connection (or a failed health check) marks the first down. A request is retried
// only when its connection was refused, never once a site had it.
QString ProxyConfig(int annaPort, int brunoPort, int firstSite, int secondSite) {
  QString config = QStringLiteral(
      "global\n    maxconn 200\n"
      "defaults\n    mode http\n    timeout connect 5s\n    timeout client 60s\n"
      "    timeout server 60s\n    retries 3\n    retry-on conn-failure\n"
      "    option redispatch 1\n");
  const auto entry = [&](const char* name, int port, int own, int other) {
    config += QStringLiteral(
                  "frontend %1\n    bind 127.0.0.1:%2\n    default_backend %1\n"
                  "backend %1\n    option httpchk GET /healthz\n"
                  "    default-server check inter 1s fall 2 rise 2 observe layer4 error-limit 1 "
                  "on-error mark-down\n"
                  "    server own 127.0.0.1:%3\n    server other 127.0.0.1:%4 backup\n")
                  .arg(QLatin1String(name))
                  .arg(port)
                  .arg(own)
                  .arg(other);
  };
  entry("anna", annaPort, firstSite, secondSite);
  entry("bruno", brunoPort, secondSite, firstSite);
  return config;
}

int PortOf(const std::string& address) {
  return std::stoi(address.substr(address.rfind(':') + 1));
}

// The parameter names the kind of store both processes share.
class TwoSitesTest : public OnlineTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    if (ProxyProcess::Program().isEmpty()) GTEST_SKIP() << "haproxy is not installed";
    const QString store = Store();
    ASSERT_FALSE(store.isEmpty());
    // One after the other: the first seeds the new store's catalogue.
    for (auto* site : {&first, &second}) {
      *site = std::make_unique<SiteProcess>(store);
      ASSERT_TRUE((*site)->Ready()) << (*site)->Output().toStdString();
    }
    annaPort = FreePort();
    brunoPort = FreePort();
    proxy = std::make_unique<ProxyProcess>(
        ProxyConfig(annaPort, brunoPort, PortOf(first->Address()), PortOf(second->Address())),
        std::vector<int>{annaPort, brunoPort});
    ASSERT_TRUE(proxy->Ready()) << proxy->Output().toStdString();
  }

  void TearDown() override {
    proxy.reset();
    first.reset();
    second.reset();
    QProcess stop;
    if (!clusterState.isEmpty()) RunClusterTool(stop, QStringLiteral("stop"));
    OnlineTest::TearDown();
  }

  // The --db value of the shared store: a SQLite file, which processes on one machine may share,
  // or a scratch PostgreSQL cluster's database, started for this test alone.
  QString Store() {
    if (std::string(GetParam()) == "sqlite") return folder.filePath(QStringLiteral("site.db"));
    clusterState = folder.filePath(QStringLiteral("cluster.state"));
    QProcess start;
    if (!RunClusterTool(start, QStringLiteral("start"))) {
      ADD_FAILURE() << "no PostgreSQL cluster: " << start.readAllStandardError().toStdString();
      clusterState.clear();
      return {};
    }
    return QString::fromUtf8(start.readAllStandardOutput()).trimmed();
  }

  // Runs the scratch cluster's tool over its state file; true when it ended well in time.
  bool RunClusterTool(QProcess& tool, const QString& command) {
    tool.start(QStringLiteral(SUDOKU_BINARY_DIR "/tests/site/scratch-cluster"),
               {command, clusterState});
    return tool.waitForFinished(120'000) && tool.exitCode() == 0;
  }

  std::string Entry(int port) { return "http://127.0.0.1:" + std::to_string(port); }

  std::unique_ptr<SiteProcess> first, second;
  std::unique_ptr<ProxyProcess> proxy;
  int annaPort = 0, brunoPort = 0;
  QString clusterState;  // the scratch cluster's state file, while one runs
};

TEST_P(TwoSitesTest, AMatchGoesOnThroughTheOtherSiteWhenOneIsKilled) {
  MatchPlayer anna(Entry(annaPort), folder.filePath(QStringLiteral("a")), QStringLiteral("anna"));
  MatchPlayer bruno(Entry(brunoPort), folder.filePath(QStringLiteral("b")),
                    QStringLiteral("bruno"));
  ASSERT_TRUE(anna.player.Connection().Registrato && bruno.player.Connection().Registrato);
  StartMatch(anna, bruno);
  ASSERT_EQ(anna.Dati().soluzione.size(), 81u);
  const std::vector<int> open = OpenCells(anna.Logic());
  ASSERT_GE(open.size(), 3u);

  // A digit of each, acknowledged by each one's own process, and a line of chat.
  const QString report = QStringLiteral("GET /sudoku/sfida-online/aggiorna-asusfideincorso.asp");
  anna.Enter(open[0], anna.Right(open[0]));
  anna.Fire("SBInviaMossaClick");
  bruno.Enter(open[1], anna.Right(open[1]));
  bruno.Fire("SBInviaMossaClick");
  EXPECT_TRUE(first->Output().contains(report));
  EXPECT_TRUE(second->Output().contains(report));
  EXPECT_EQ(bruno.Cell(open[0]), std::string(1, anna.Right(open[0])));
  anna.Say("prima");

  first->Kill();

  // Anna's game goes on through the second process with the same session.
  anna.Fire("TimerOnSfidaTimer");
  ASSERT_TRUE(anna.Logic().SfidaInCorso);
  EXPECT_EQ(anna.Cell(open[1]), std::string(1, anna.Right(open[1])));
  EXPECT_EQ(anna.Dati().elementotrovatoda[std::size_t(open[0])], '1');
  EXPECT_EQ(anna.Dati().elementotrovatoda[std::size_t(open[1])], '2');
  bruno.Fire("TimerOnSfidaTimer");
  EXPECT_EQ(bruno.LastLine(), ">anna: prima");

  // Anna completes the board; the match ends solved on both sides, every digit counted.
  Solve(anna, bruno, std::vector<int>(open.begin() + 2, open.end()));
  const QString annaRow = QStringLiteral("anna\t1\t1\t%1\t0").arg(open.size() - 1);
  ASSERT_TRUE(WaitFor([&] { return anna.ChallengePage().contains(annaRow); }))
      << anna.ChallengePage().toStdString();
  EXPECT_TRUE(anna.ChallengePage().contains(QStringLiteral("bruno\t1\t0\t1\t0")));
}

INSTANTIATE_TEST_SUITE_P(Stores, TwoSitesTest, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& store) { return std::string(store.param); });

}  // namespace
}  // namespace sudoku::testing

// The installed program started by root, with nothing set for the browser: it says how it lets
// the browser run and goes on to its window instead of ending.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "site_process.h"

namespace sudoku::testing {
namespace {

TEST(StartTest, AsRootTheProgramTurnsTheBrowserSandboxOffAndSaysSo) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root";
  QTemporaryDir home;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("HOME"), home.path());
  environment.insert(QStringLiteral("SUDOKU_HOME"), home.filePath(QStringLiteral("game")));
  environment.insert(QStringLiteral("SUDOKU_SITE"), QString::fromStdString(DeadAddress()));
  QProcess game;
  game.setProcessEnvironment(environment);
  game.setProgram(QStringLiteral(SUDOKU_BINARY_DIR "/src/app/sudoku"));
  game.start();
  ASSERT_TRUE(game.waitForStarted(10000));
  QString said;
  QDeadlineTimer deadline(30000);
  while (!deadline.hasExpired() && game.state() == QProcess::Running &&
         !said.contains(QStringLiteral("sandbox"))) {
    game.waitForReadyRead(200);
    said += QString::fromLocal8Bit(game.readAllStandardError());
  }
  EXPECT_TRUE(said.contains(QStringLiteral("running as root"))) << said.toStdString();
  // Without the sandbox switched off the browser ends the program within moments of starting.
  EXPECT_FALSE(game.waitForFinished(5000))
      << (said + QString::fromLocal8Bit(game.readAllStandardError())).toStdString();
  game.kill();
  game.waitForFinished(5000);
}

}  // namespace
}  // namespace sudoku::testing

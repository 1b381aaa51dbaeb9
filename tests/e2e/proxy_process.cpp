// Checking, starting and stopping HAProxy.
#include "proxy_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <algorithm>

namespace sudoku::testing {
namespace {

bool Accepts(int port) {
  QTcpSocket socket;
  socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
  return socket.waitForConnected(200);
}

}  // namespace

QString ProxyProcess::Program() {
  return QStandardPaths::findExecutable(QStringLiteral("haproxy"),
                                        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
}

ProxyProcess::ProxyProcess(const QString& config, const std::vector<int>& ports) {
  const QString path = dir_.filePath(QStringLiteral("haproxy.cfg"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) return;
  file.close();
  process_.setProgram(Program());
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setArguments({QStringLiteral("-c"), QStringLiteral("-q"), QStringLiteral("-f"), path});
  process_.start();
  const bool valid = process_.waitForFinished(30000) &&
                     process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
  output_ += QString::fromUtf8(process_.readAll());
  if (!valid) return;
  process_.setArguments({QStringLiteral("-db"), QStringLiteral("-f"), path});
  process_.start();
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
    if (std::all_of(ports.begin(), ports.end(), Accepts)) {
      ready_ = true;
      return;
    }
    process_.waitForFinished(100);
  }
}

}  // namespace sudoku::testing

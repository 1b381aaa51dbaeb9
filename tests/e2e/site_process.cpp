// Starting the site process, and stopping any process a test started.
#include "site_process.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpServer>

namespace sudoku::testing {

ChildProcess::~ChildProcess() {
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

QString ChildProcess::Output() {
  output_ += QString::fromUtf8(process_.readAll());
  return output_;
}

SiteProcess::SiteProcess(const QString& store) {
  process_.setProgram(QStringLiteral(SUDOKU_BINARY_DIR "/site/sudoku-site"));
  process_.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"),
                         store, QStringLiteral("--auto-confirm"), QStringLiteral("--dev-outbox"),
                         QStringLiteral("--light-hashing")});
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.start();
  const QRegularExpression ready(QStringLiteral("ready at (http://[0-9.]+:[0-9]+)"));
  // The tests expect the whole catalogue, which the first start makes after the site answers:
  // seconds on a busy machine.
  QDeadlineTimer deadline(90000);
  while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
    process_.waitForReadyRead(200);
    output_ += QString::fromUtf8(process_.readAll());
    const QRegularExpressionMatch match = ready.match(output_);
    if (match.hasMatch() && output_.contains(QStringLiteral("catalogue complete"))) {
      address_ = match.captured(1).toStdString();
      return;
    }
  }
}

void SiteProcess::Kill() {
  Output();
  process_.kill();
  process_.waitForFinished(5000);
}

int FreePort() {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost, 0);
  return server.serverPort();
}

std::string DeadAddress() {
  return "http://127.0.0.1:" + std::to_string(FreePort());
}

}  // namespace sudoku::testing

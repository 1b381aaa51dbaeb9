// The stand-in site as its own process, on a free loopback port over a scratch database.
#pragma once

#include <QProcess>
#include <QString>
#include <string>

namespace sudoku::testing {

class SiteProcess {
 public:
  // Starts the site built beside the tests over store (its --db value) and waits (bounded)
  // until it says where it listens.
  explicit SiteProcess(const QString& store);
  ~SiteProcess();
  SiteProcess(const SiteProcess&) = delete;
  SiteProcess& operator=(const SiteProcess&) = delete;

  bool Ready() const { return !address_.empty(); }
  // "http://127.0.0.1:PORT", or empty when the site did not start.
  const std::string& Address() const { return address_; }
  // What the site printed so far: its request log, and what went wrong.
  QString Output();
  // Ends the process at once with SIGKILL, as a crash or the kernel's OOM killer would.
  void Kill();

 private:
  QProcess process_;
  std::string address_;
  QString output_;
};

// A loopback port that was free a moment ago.
int FreePort();

// An address on loopback where nothing listens.
std::string DeadAddress();

}  // namespace sudoku::testing

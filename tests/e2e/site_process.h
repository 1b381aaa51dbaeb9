// The stand-in site as its own process, on a free loopback port over a scratch database, and
// the ending of any process a test starts.
#pragma once

#include <QProcess>
#include <QString>
#include <string>

namespace sudoku::testing {

// A process the test started, ended (at once if it will not end when asked) with this object.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // What the process printed so far, for failure messages.
  QString Output();

 protected:
  QProcess process_;
  QString output_;
};

class SiteProcess : public ChildProcess {
 public:
  // Starts the site built beside the tests over store (its --db value) and waits (bounded)
  // until it says where it listens. Its output is its request log, and what went wrong.
  explicit SiteProcess(const QString& store);

  bool Ready() const { return !address_.empty(); }
  // "http://127.0.0.1:PORT", or empty when the site did not start.
  const std::string& Address() const { return address_; }
  // Ends the process at once with SIGKILL, as a crash or the kernel's OOM killer would.
  void Kill();

 private:
  std::string address_;
};

// A loopback port that was free a moment ago.
int FreePort();

// An address on loopback where nothing listens.
std::string DeadAddress();

}  // namespace sudoku::testing

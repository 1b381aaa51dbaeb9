// HAProxy as its own process on loopback, over a configuration the test writes.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace sudoku::testing {

class ProxyProcess {
 public:
  // The haproxy program, or empty when it is not installed.
  static QString Program();

  // Checks config with haproxy -c, starts haproxy over it and waits (bounded) until each of
  // ports accepts connections.
  ProxyProcess(const QString& config, const std::vector<int>& ports);
  ~ProxyProcess();
  ProxyProcess(const ProxyProcess&) = delete;
  ProxyProcess& operator=(const ProxyProcess&) = delete;

  bool Ready() const { return ready_; }
  // What haproxy printed so far, for failure messages.
  QString Output();

 private:
  QTemporaryDir dir_;
  QProcess process_;
  QString output_;
  bool ready_ = false;
};

}  // namespace sudoku::testing

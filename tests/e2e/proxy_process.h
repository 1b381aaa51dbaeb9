// HAProxy as its own process on loopback, over a configuration the test writes.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "site_process.h"

namespace sudoku::testing {

class ProxyProcess : public ChildProcess {
 public:
  // The haproxy program, or empty when it is not installed.
  static QString Program();

  // Checks config with haproxy -c, starts haproxy over it and waits (bounded) until each of
  // ports accepts connections.
  ProxyProcess(const QString& config, const std::vector<int>& ports);

  bool Ready() const { return ready_; }

 private:
  QTemporaryDir dir_;
  bool ready_ = false;
};

}  // namespace sudoku::testing

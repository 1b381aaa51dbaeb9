// Running and waiting places for password hashes.
#include "site/hash_gate.h"

#include <algorithm>

namespace sudoku::site {

HashGate::HashGate(int running, int waiting, std::chrono::milliseconds patience)
    : runningLimit_(std::max(1, running)),
      waitingLimit_(std::max(0, waiting)),
      patience_(patience) {}

bool HashGate::Enter() {
  std::unique_lock<std::mutex> guard(lock_);
  if (running_ < runningLimit_) {
    ++running_;
    return true;
  }
  if (waiting_ >= waitingLimit_) return false;
  ++waiting_;
  const bool free = freed_.wait_for(guard, patience_, [this] { return running_ < runningLimit_; });
  --waiting_;
  if (free) ++running_;
  return free;
}

void HashGate::Leave() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    --running_;
  }
  freed_.notify_one();
}

HashGate::Pass::Pass(HashGate* gate) : gate_(gate) {
  if (gate_ && !gate_->Enter()) throw HashBusy{};
}

HashGate::Pass::~Pass() {
  if (gate_) gate_->Leave();
}

}  // namespace sudoku::site

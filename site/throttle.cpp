// Sliding-window rate limits with a doubling wait.
#include "site/throttle.h"

#include <algorithm>

namespace sudoku::site {
namespace {

// Keys kept before idle ones are dropped.
constexpr std::size_t kPruneAbove = 10000;

}  // namespace

void Throttle::Forget(Record& record, std::int64_t now) const {
  while (!record.Times.empty() && record.Times.front() <= now - rule_.Window)
    record.Times.pop_front();
  // A key that stayed quiet for a whole maximal wait starts again from the first one.
  if (record.Times.empty() && now >= record.BlockedUntil + std::max(rule_.MaxPenalty, rule_.Window))
    record.Strikes = 0;
}

// Whether the record may act at now; a spent allowance starts its wait here, counted from the
// allowance's last act.
bool Throttle::Allows(Record& record, std::int64_t now) const {
  Forget(record, now);
  if (now < record.BlockedUntil) return false;
  if (int(record.Times.size()) < rule_.Allowed) return true;
  if (rule_.Spaced) return now - record.Times.back() >= rule_.Penalty;
  if (rule_.Penalty <= 0) return false;
  const int doublings = std::min(record.Strikes++, 30);
  const std::int64_t wait =
      std::min(rule_.Penalty << doublings, std::max(rule_.MaxPenalty, rule_.Penalty));
  record.BlockedUntil = record.Times.back() + wait;
  record.Times.clear();
  return now >= record.BlockedUntil;
}

bool Throttle::Take(const std::string& key, std::int64_t now) {
  std::lock_guard<std::mutex> guard(lock_);
  if (++notesSincePrune_ >= 1024 || records_.size() > kPruneAbove) Prune(now);
  Record& record = records_[key];
  if (!Allows(record, now)) return false;
  record.Times.push_back(now);
  return true;
}

void Throttle::Refund(const std::string& key) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = records_.find(key);
  if (found != records_.end() && !found->second.Times.empty()) found->second.Times.pop_back();
}

bool Throttle::Holds(const std::string& key, std::int64_t now) {
  std::lock_guard<std::mutex> guard(lock_);
  const auto it = records_.find(key);
  if (it == records_.end()) return false;
  Forget(it->second, now);
  return !it->second.Times.empty() || now < it->second.BlockedUntil;
}

void Throttle::Clear(const std::string& key) {
  std::lock_guard<std::mutex> guard(lock_);
  records_.erase(key);
}

void Throttle::Prune(std::int64_t now) {
  notesSincePrune_ = 0;
  for (auto it = records_.begin(); it != records_.end();) {
    Forget(it->second, now);
    if (it->second.Times.empty() && it->second.Strikes == 0 && now >= it->second.BlockedUntil)
      it = records_.erase(it);
    else
      ++it;
  }
}

}  // namespace sudoku::site

// Sliding-window rate limits with a doubling wait, their records in the store.
#include "site/throttle.h"

#include <algorithm>
#include <sstream>

namespace sudoku::site {
namespace {

// Takes of a rule in this process between two prunings of its idle records.
constexpr int kTakesPerPrune = 1024;

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

Throttle::Record Throttle::Load(Db& db, const std::string& key) const {
  Record record;
  auto find = db.Prepare(
      "SELECT times, blocked_until, strikes FROM throttles WHERE rule = ? AND holder = ?");
  find.Bind(1, name_).Bind(2, key);
  if (!find.Step()) return record;
  std::istringstream times(find.Text(0));
  for (std::int64_t time = 0; times >> time;) record.Times.push_back(time);
  record.BlockedUntil = find.Int(1);
  record.Strikes = int(find.Int(2));
  return record;
}

void Throttle::Save(Db& db, const std::string& key, const Record& record) const {
  if (record.Times.empty() && record.Strikes == 0 && record.BlockedUntil == 0) {
    db.Prepare("DELETE FROM throttles WHERE rule = ? AND holder = ?")
        .Bind(1, name_)
        .Bind(2, key)
        .Run();
    return;
  }
  std::string times;
  for (std::int64_t time : record.Times) times += (times.empty() ? "" : " ") + std::to_string(time);
  // From then on the record counts for nothing: its acts are out of the window and its wait
  // and strikes are over.
  const std::int64_t idleAfter =
      std::max(record.Times.empty() ? 0 : record.Times.back() + rule_.Window,
               record.BlockedUntil + std::max(rule_.MaxPenalty, rule_.Window));
  db.Prepare(
        "INSERT INTO throttles (rule, holder, times, blocked_until, strikes, idle_after) "
        "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (rule, holder) DO UPDATE SET times = "
        "excluded.times, blocked_until = excluded.blocked_until, strikes = excluded.strikes, "
        "idle_after = excluded.idle_after")
      .Bind(1, name_)
      .Bind(2, key)
      .Bind(3, times)
      .Bind(4, record.BlockedUntil)
      .Bind(5, record.Strikes)
      .Bind(6, idleAfter)
      .Run();
}

bool Throttle::Take(const std::string& key, std::int64_t now) {
  Db& db = store_();
  Transaction transaction(db);
  if (++takesSincePrune_ % kTakesPerPrune == 0) Prune(db, now);
  Record record = Load(db, key);
  const bool allowed = Allows(record, now);
  if (allowed) record.Times.push_back(now);
  Save(db, key, record);
  transaction.Commit();
  return allowed;
}

void Throttle::Refund(const std::string& key) {
  Db& db = store_();
  Transaction transaction(db);
  Record record = Load(db, key);
  if (record.Times.empty()) return;
  record.Times.pop_back();
  Save(db, key, record);
  transaction.Commit();
}

bool Throttle::Holds(const std::string& key, std::int64_t now) {
  Record record = Load(store_(), key);
  Forget(record, now);
  return !record.Times.empty() || now < record.BlockedUntil;
}

void Throttle::Clear(const std::string& key) {
  store_()
      .Prepare("DELETE FROM throttles WHERE rule = ? AND holder = ?")
      .Bind(1, name_)
      .Bind(2, key)
      .Run();
}

void Throttle::Prune(Db& db, std::int64_t now) const {
  db.Prepare("DELETE FROM throttles WHERE rule = ? AND idle_after <= ?")
      .Bind(1, name_)
      .Bind(2, now)
      .Run();
}

}  // namespace sudoku::site

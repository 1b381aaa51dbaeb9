// The gate every password hash passes: a few hashes run at once, a few more wait their turn
// for a bounded time, and the rest are refused at once, so hashing never holds more than a
// known share of the page workers.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace sudoku::site {

// A hash refused by a full gate; the page asks the client to try again later.
struct HashBusy {};

class HashGate {
 public:
  HashGate(int running, int waiting, std::chrono::milliseconds patience);

  // Holds a running place for its life; throws HashBusy when every running and waiting place is
  // taken, or when no running place came free within the patience.
  class Pass {
   public:
    explicit Pass(HashGate* gate);
    ~Pass();
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

   private:
    HashGate* gate_;
  };

 private:
  bool Enter();
  void Leave();

  const int runningLimit_, waitingLimit_;
  const std::chrono::milliseconds patience_;
  std::mutex lock_;
  std::condition_variable freed_;
  int running_ = 0, waiting_ = 0;
};

}  // namespace sudoku::site

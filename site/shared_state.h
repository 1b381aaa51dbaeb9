// What site processes over one store tell each other through it: counters that say a cache
// is stale, and leases that let one process at a time run a timed rule.
#pragma once

#include <cstdint>
#include <string>

#include "site/db.h"

namespace sudoku::site {

// The counter's value, 0 when it was never bumped.
std::int64_t CounterValue(Db& db, const std::string& name);
void BumpCounter(Db& db, const std::string& name);

// Takes the lease until now + seconds when it is free (its holder's time ran out, or the clock
// went back); true when this call took it. A holder that dies keeps it no longer than that.
bool TakeLease(Db& db, const std::string& name, std::int64_t now, std::int64_t seconds);

}  // namespace sudoku::site

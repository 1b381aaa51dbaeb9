// The cache of collection zips.
#include "site/collection_cache.h"

namespace sudoku::site {

CollectionCache::Zip CollectionCache::Get(int year, int month,
                                          const std::function<std::string()>& build) {
  std::unique_lock<std::mutex> guard(lock_);
  Entry& entry = entries_[{year, month}];  // map entries stay where they are
  if (entry.Kept) return entry.Kept;
  if (entry.Building.valid()) {
    const auto building = entry.Building;
    guard.unlock();
    return building.get();
  }
  std::promise<Zip> promise;
  entry.Building = promise.get_future().share();
  const unsigned generation = entry.Generation;
  guard.unlock();
  Zip zip;
  try {
    zip = std::make_shared<const std::string>(build());
  } catch (...) {
    guard.lock();
    entry.Building = {};
    promise.set_exception(std::current_exception());
    throw;
  }
  guard.lock();
  entry.Building = {};
  if (entry.Generation == generation) entry.Kept = zip;
  promise.set_value(zip);
  return zip;
}

void CollectionCache::Forget(int year, int month) {
  std::lock_guard<std::mutex> guard(lock_);
  Entry& entry = entries_[{year, month}];
  entry.Kept.reset();
  ++entry.Generation;
}

}  // namespace sudoku::site

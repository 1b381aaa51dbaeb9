// The cache of collection zips.
#include "site/collection_cache.h"

namespace sudoku::site {

std::string CollectionCounter(int year, int month) {
  return "collection " + std::to_string(year) + "-" + std::to_string(month);
}

CollectionCache::Zip CollectionCache::Get(int year, int month, std::int64_t version,
                                          const std::function<std::string()>& build) {
  std::unique_lock<std::mutex> guard(lock_);
  Entry& entry = entries_[{year, month}];  // map entries stay where they are
  if (entry.Kept && entry.KeptVersion == version) return entry.Kept;
  if (entry.Building.valid() && entry.BuildingVersion == version) {
    const auto building = entry.Building;
    guard.unlock();
    return building.get();
  }
  std::promise<Zip> promise;
  entry.Building = promise.get_future().share();
  entry.BuildingVersion = version;
  guard.unlock();
  Zip zip;
  try {
    zip = std::make_shared<const std::string>(build());
  } catch (...) {
    guard.lock();
    if (entry.BuildingVersion == version) entry.Building = {};
    promise.set_exception(std::current_exception());
    throw;
  }
  guard.lock();
  if (entry.BuildingVersion == version) entry.Building = {};
  // A build for a newer version may have finished first.
  if (entry.KeptVersion <= version) {
    entry.Kept = zip;
    entry.KeptVersion = version;
  }
  promise.set_value(zip);
  return zip;
}

}  // namespace sudoku::site

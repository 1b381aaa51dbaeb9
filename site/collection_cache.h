// The monthly collection zips, each built once (by one request, while others for the same month
// wait for it) and kept while the month's version in the store stays the same: a publication
// through any site process changes it.
#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace sudoku::site {

// The name of the store's counter that a publication in the month bumps.
std::string CollectionCounter(int year, int month);

class CollectionCache {
 public:
  using Zip = std::shared_ptr<const std::string>;

  // The zip of the month at version, from build when it is not kept; build runs outside the
  // cache's lock.
  Zip Get(int year, int month, std::int64_t version, const std::function<std::string()>& build);

 private:
  struct Entry {
    Zip Kept;
    std::int64_t KeptVersion = -1;
    std::shared_future<Zip> Building;
    std::int64_t BuildingVersion = -1;
  };
  std::mutex lock_;
  std::map<std::pair<int, int>, Entry> entries_;
};

}  // namespace sudoku::site

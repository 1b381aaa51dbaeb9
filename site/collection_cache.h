// The monthly collection zips, each built once (by one request, while others for the same month
// wait for it) and kept until a publication changes its month.
#pragma once

#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace sudoku::site {

class CollectionCache {
 public:
  using Zip = std::shared_ptr<const std::string>;

  // The zip of the month, from build when it is not kept; build runs outside the cache's lock.
  Zip Get(int year, int month, const std::function<std::string()>& build);
  // Drops the month's zip; a build already running for it is not kept.
  void Forget(int year, int month);

 private:
  struct Entry {
    Zip Kept;
    std::shared_future<Zip> Building;
    unsigned Generation = 0;
  };
  std::mutex lock_;
  std::map<std::pair<int, int>, Entry> entries_;
};

}  // namespace sudoku::site

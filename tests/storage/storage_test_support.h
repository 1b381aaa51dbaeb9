// Shared helpers of the storage tests: a private scratch folder and a scripted random source.
#pragma once

#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "solver/random.h"

namespace sudoku::test {

// A fresh folder under the system's temporary folder, removed with its content afterwards.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "storage") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Gives the scripted values first, then seeded ones.
class ScriptedRandom : public Random {
 public:
  explicit ScriptedRandom(std::deque<int> script) : script_(std::move(script)) {}
  int Next(int lo, int hi) override {
    if (script_.empty()) return rest_.Next(lo, hi);
    const int value = script_.front();
    script_.pop_front();
    return value;
  }

 private:
  std::deque<int> script_;
  SeededRandom rest_{7};
};

}  // namespace sudoku::test

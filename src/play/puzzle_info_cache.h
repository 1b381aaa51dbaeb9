// The information records of the library's puzzle files, kept between listings and between runs
// (in a store file beside them) so that a list of thousands is rebuilt without reading them all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "storage/puzzle_file.h"

namespace sudoku {

class PuzzleInfoCache {
 public:
  // The name of the store file in the folder of the puzzle files.
  static constexpr char kStoreName[] = ".library-cache";

  // ReadPuzzleFile(file).Info, throwing as it does. A file whose size and modification time are
  // those it had when it was last read is not read again. A file modified in the last two
  // seconds is never kept: a change within the file system's time step would not show. The
  // first file of a folder loads the folder's store, if there is one that reads whole.
  PuzzleInfo Read(const std::filesystem::path& file);
  // Ends a listing of the current folder: forgets the files not read since the last one (they
  // are gone) and writes the store when anything changed. A failure to write it is ignored:
  // the next run reads the files again.
  void Save();

 private:
  struct Entry {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // nanoseconds of the file clock
    PuzzleInfo info;
    bool listed = true;  // read since the last listing ended
  };
  void Open(const std::filesystem::path& folder);

  std::filesystem::path folder_;
  std::unordered_map<std::string, Entry> entries_;  // by file name
  bool changed_ = false;
};

}  // namespace sudoku

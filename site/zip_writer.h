// A minimal zip archive writer: stored (uncompressed) entries with their CRC-32, enough for any
// unzip tool to extract.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sudoku::site {

std::uint32_t Crc32(const std::string& bytes);

class ZipWriter {
 public:
  // Adds a file; names are plain relative names of at most 65535 bytes.
  void Add(const std::string& name, const std::string& content);
  // The whole archive: the entries, the central directory and its end record.
  std::string Finish() const;

 private:
  struct Entry {
    std::string Name, Content;
    std::uint32_t Crc = 0;
  };
  std::vector<Entry> entries_;
};

}  // namespace sudoku::site

// The site's operator log: one line per event, to a standard stream (the journal reads standard
// error under systemd) or to a file kept under a size cap with one older file beside it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace sudoku::site {

class SiteLog {
 public:
  enum class Target { StandardOutput, StandardError, File };

  // A file log opens (creating it, mode 0600) or throws std::runtime_error naming the cause;
  // the line that would take it past maxBytes first renames it to path + ".1", replacing the
  // older one (so only a single line longer than the cap makes a file pass it).
  SiteLog(Target target, std::string path = {}, std::uint64_t maxBytes = 0);
  ~SiteLog();
  SiteLog(const SiteLog&) = delete;
  SiteLog& operator=(const SiteLog&) = delete;

  // Writes line and a newline; safe from any thread. A file's lines start with the UTC time,
  // a stream's do not (the journal stamps its own).
  void Write(const std::string& line);

 private:
  void Open(bool truncate);
  void Rotate();

  Target target_;
  std::string path_;
  std::uint64_t maxBytes_;
  std::mutex lock_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace sudoku::site

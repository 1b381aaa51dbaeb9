// The operator log: standard streams written whole line by line, or a capped file rotated once.
#include "site/site_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace sudoku::site {
namespace {

void WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a log that cannot be written must not stop the site
    done += std::size_t(n);
  }
}

std::string UtcStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ ", &parts);
  return text;
}

}  // namespace

SiteLog::SiteLog(Target target, std::string path, std::uint64_t maxBytes)
    : target_(target), path_(std::move(path)), maxBytes_(maxBytes) {
  if (target_ == Target::File) Open(false);
}

SiteLog::~SiteLog() {
  if (fd_ >= 0) ::close(fd_);
}

void SiteLog::Open(bool truncate) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | (truncate ? O_TRUNC : 0),
               0600);
  if (fd_ < 0)
    throw std::runtime_error("cannot open the log " + path_ + ": " + std::strerror(errno));
  struct stat info {};
  size_ = ::fstat(fd_, &info) == 0 ? std::uint64_t(info.st_size) : 0;
}

void SiteLog::Rotate() {
  ::close(fd_);
  fd_ = -1;
  ::rename(path_.c_str(), (path_ + ".1").c_str());
  try {
    Open(true);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "sudoku-site: %s\n", error.what());
  }
}

void SiteLog::Write(const std::string& line) {
  if (target_ != Target::File) {
    // One write per line keeps lines whole when several threads log at once.
    WriteAll(target_ == Target::StandardOutput ? STDOUT_FILENO : STDERR_FILENO, line + "\n");
    return;
  }
  const std::string text = UtcStamp() + line + "\n";
  std::lock_guard<std::mutex> guard(lock_);
  if (fd_ >= 0 && maxBytes_ > 0 && size_ > 0 && size_ + text.size() > maxBytes_) Rotate();
  if (fd_ < 0) return;
  WriteAll(fd_, text);
  size_ += text.size();
}

}  // namespace sudoku::site

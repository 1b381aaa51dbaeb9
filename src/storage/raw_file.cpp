// POSIX file access for the record files: reads of raw bytes, writes through a renamed temporary.
#include "storage/raw_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "storage/file_attributes.h"

namespace sudoku {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& what) {
  throw std::runtime_error(file.string() + ": " + what);
}

[[noreturn]] void FailErrno(const std::filesystem::path& file, const std::string& action) {
  Fail(file, action + " failed: " + std::strerror(errno));
}

// Closes the descriptor when the scope ends, for the paths that throw.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void WriteAll(int fd, std::string_view content, const std::filesystem::path& file) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) FailErrno(file, "writing");
    content.remove_prefix(static_cast<std::size_t>(written));
  }
}

// Writes content to a new temporary file in the target's directory; returns its path. The name
// is short and fixed in length, so that any name the file system takes for the target works.
std::filesystem::path WriteTemporary(const std::filesystem::path& target, std::string_view content,
                                     mode_t mode, const struct stat* old) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string name = (folder / ".sudoku-XXXXXX").string();
  Descriptor fd(::mkstemp(name.data()));
  if (fd.Get() < 0) FailErrno(target, "creating a temporary file");
  const std::filesystem::path temporary = name;
  try {
    WriteAll(fd.Get(), content, target);
    if (::fchmod(fd.Get(), mode) != 0) FailErrno(target, "setting permissions");
    // Only root may hand the file back to its owner; elsewhere the owner is already ours. Best
    // effort: a file system without owners keeps the file readable all the same.
    if (old != nullptr && ::geteuid() == 0) {
      [[maybe_unused]] const int kept = ::fchown(fd.Get(), old->st_uid, old->st_gid);
    }
    if (::fsync(fd.Get()) != 0) FailErrno(target, "flushing");
    if (::close(fd.Release()) != 0) FailErrno(target, "closing");
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  return temporary;
}

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
  // Non-blocking so that a named pipe in a file's place is refused below instead of waiting for
  // a writer; regular files read as usual.
  Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) FailErrno(file, "opening");
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0) FailErrno(file, "reading its status");
  if (!S_ISREG(status.st_mode)) Fail(file, "not a regular file");
  std::string content;
  char buffer[65536];
  while (content.size() < limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit - content.size());
    const ssize_t got = ::read(fd.Get(), buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailErrno(file, "reading");
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

void ReplaceFileContent(const std::filesystem::path& file, std::string_view content) {
  std::filesystem::path target = file;
  std::error_code error;
  if (std::filesystem::is_symlink(file, error)) {
    target = std::filesystem::canonical(file, error);
    if (error) Fail(file, "the link leads nowhere");
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) Fail(file, "not a regular file");
  // The rename would replace a read-only file all the same; it is refused as an open for
  // writing would refuse it.
  if (exists && !IsWritableFile(target)) Fail(file, "cannot be replaced (read-only?)");
  const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
  const std::filesystem::path temporary =
      WriteTemporary(target, content, mode, exists ? &old : nullptr);
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    errno = renameError;
    FailErrno(file, "replacing");
  }
}

}  // namespace sudoku

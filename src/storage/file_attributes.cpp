// Attribute words computed from stat() and the name; only the read-only bit can be changed.
#include "storage/file_attributes.h"

#include <sys/stat.h>
#include <unistd.h>

namespace sudoku {
namespace {

bool IsHiddenName(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

}  // namespace

std::int32_t ReadAttributes(const std::filesystem::path& file) {
  struct stat status {};
  if (file.empty() || ::stat(file.c_str(), &status) != 0) return -1;
  std::int32_t attributes = 0;
  if ((status.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
  if (IsHiddenName(file)) attributes |= kAttributeHidden;
  if (S_ISDIR(status.st_mode)) attributes |= kAttributeDirectory;
  if (S_ISREG(status.st_mode)) attributes |= kAttributeArchive;
  return attributes == 0 ? kAttributeNormal : attributes;
}

bool ApplyAttributes(const std::filesystem::path& file, std::int32_t attributes) {
  struct stat status {};
  if (file.empty() || ::stat(file.c_str(), &status) != 0) return false;
  mode_t mode = status.st_mode & 07777;
  mode = (attributes & kAttributeReadOnly) != 0 ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
  if (mode != (status.st_mode & 07777) && ::chmod(file.c_str(), mode) != 0) return false;
  return ReadAttributes(file) == attributes;
}

bool IsWritableFile(const std::filesystem::path& file) {
  struct stat status {};
  if (file.empty() || ::stat(file.c_str(), &status) != 0) return false;
  if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0) return false;
  return ::access(file.c_str(), W_OK) == 0;
}

}  // namespace sudoku

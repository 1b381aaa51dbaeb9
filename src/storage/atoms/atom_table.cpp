// The atom table in a shared-memory segment: a fixed array of slots guarded by flock() on the
// segment, so a process that dies holding the lock releases it. A zeroed segment is an empty
// table, which makes creating it race-free.
#include "storage/atoms/atom_table.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr const char* kDefaultSegment = "/sudoku-atom-table";
constexpr const char* kSegmentVariable = "SUDOKU_ATOM_TABLE";
constexpr std::size_t kMaxName = 255;
constexpr std::size_t kSlotCount = 1024;
constexpr std::size_t kResultSize = 10;

struct Slot {
  std::uint32_t references;  // 0: a free slot
  std::uint32_t length;
  char name[kMaxName];
};

struct Table {
  Slot slots[kSlotCount];
};

std::string SegmentName() {
  const char* chosen = std::getenv(kSegmentVariable);
  std::string name = chosen != nullptr && *chosen != '\0' ? chosen : kDefaultSegment;
  return name[0] == '/' ? name : "/" + name;
}

// Case folding of the Latin-1 letters, as atom names compare.
unsigned char Fold(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  return c;
}

bool SameName(const Slot& slot, std::string_view name) {
  if (slot.references == 0 || slot.length != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (Fold(static_cast<unsigned char>(slot.name[i])) != Fold(static_cast<unsigned char>(name[i])))
      return false;
  }
  return true;
}

// The table mapped and locked for the lifetime of the object; Get() is null on any failure.
class LockedTable {
 public:
  LockedTable() {
    fd_ = ::shm_open(SegmentName().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) return;
    struct stat status {};
    if (::fstat(fd_, &status) != 0) return;
    if (static_cast<std::size_t>(status.st_size) < sizeof(Table) &&
        ::ftruncate(fd_, sizeof(Table)) != 0) {
      return;
    }
    void* address = ::mmap(nullptr, sizeof(Table), PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
    if (address != MAP_FAILED) table_ = static_cast<Table*>(address);
  }
  ~LockedTable() {
    if (table_ != nullptr) ::munmap(table_, sizeof(Table));
    if (fd_ >= 0) ::close(fd_);  // also releases the lock
  }
  LockedTable(const LockedTable&) = delete;
  LockedTable& operator=(const LockedTable&) = delete;

  Table* Get() const { return table_; }

 private:
  int fd_ = -1;
  Table* table_ = nullptr;
};

Slot* Find(Table& table, std::string_view name) {
  for (Slot& slot : table.slots) {
    if (SameName(slot, name)) return &slot;
  }
  return nullptr;
}

bool ValidName(const char* name) {
  return name != nullptr && *name != '\0' && ::strnlen(name, kMaxName + 1) <= kMaxName;
}

}  // namespace

extern "C" std::int32_t SaveResult(const char* name) {
  if (!ValidName(name)) return 0;
  const std::string_view text(name);
  LockedTable locked;
  if (locked.Get() == nullptr) return 0;
  if (Slot* slot = Find(*locked.Get(), text)) {
    if (slot->references < std::numeric_limits<std::uint32_t>::max()) ++slot->references;
    return -1;
  }
  for (Slot& slot : locked.Get()->slots) {
    if (slot.references != 0) continue;
    std::memcpy(slot.name, text.data(), text.size());
    slot.length = static_cast<std::uint32_t>(text.size());
    slot.references = 1;
    return -1;
  }
  return 0;
}

extern "C" std::intptr_t GetResult(const char* name) {
  thread_local char result[kResultSize];
  if (!ValidName(name)) return -1;
  LockedTable locked;
  if (locked.Get() == nullptr) return -1;
  const Slot* slot = Find(*locked.Get(), name);
  if (slot == nullptr) return -1;
  const std::size_t length = std::min<std::size_t>(slot->length, kResultSize - 1);
  std::memcpy(result, slot->name, length);
  result[length] = '\0';
  return reinterpret_cast<std::intptr_t>(result);
}

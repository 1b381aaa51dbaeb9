// Reading a puzzle file's records through the cache of unchanged files, and its store file:
// a version line, then one line a file of length-prefixed texts ("5:b.tema") and numbers.
#include "play/puzzle_info_cache.h"

#include <sys/stat.h>

#include <array>
#include <charconv>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

namespace sudoku {

namespace {

constexpr char kVersion[] = "sudoku-library-cache 1";

std::array<std::string*, 8> Fields(PuzzleInfo& info) {
  return {&info.Creatore,  &info.Tipologia, &info.NumBase,      &info.Livello,
          &info.MediaVoti, &info.Votanti,   &info.NumeroSchema, &info.DataPubblicazione};
}

void WriteText(std::ostream& out, const std::string& text) {
  out << text.size() << ':' << text;
}

// Reads the store's texts and numbers from the front of rest, each followed by its separator;
// false when the store is damaged there.
class StoreReader {
 public:
  explicit StoreReader(std::string_view text) : rest_(text) {}
  bool AtEnd() const { return rest_.empty(); }

  template <typename Number>
  bool ReadNumber(Number& number, char separator) {
    const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), number);
    if (error != std::errc() || end == rest_.data() + rest_.size() || *end != separator) {
      return false;
    }
    rest_.remove_prefix(std::size_t(end - rest_.data()) + 1);
    return true;
  }
  bool ReadText(std::string& text) {
    std::size_t size = 0;
    if (!ReadNumber(size, ':') || size > rest_.size()) return false;
    text.assign(rest_.substr(0, size));
    rest_.remove_prefix(size);
    return true;
  }
  bool Skip(char expected) {
    if (rest_.empty() || rest_.front() != expected) return false;
    rest_.remove_prefix(1);
    return true;
  }

 private:
  std::string_view rest_;
};

// Size and modification time (nanoseconds of the file clock) of a regular file, by one stat.
bool Stat(const std::filesystem::path& file, std::uintmax_t& size, std::int64_t& modified) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  size = std::uintmax_t(status.st_size);
  modified = std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
  return true;
}

std::int64_t NowNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void PuzzleInfoCache::Open(const std::filesystem::path& folder) {
  Save();
  folder_ = folder;
  entries_.clear();
  changed_ = false;
  std::ifstream in(folder / kStoreName, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string header = std::string(kVersion) + "\n";
  if (text.compare(0, header.size(), header) != 0) return;
  StoreReader reader(std::string_view(text).substr(header.size()));
  std::unordered_map<std::string, Entry> read;
  while (!reader.AtEnd()) {
    std::string name;
    Entry entry;
    bool whole = reader.ReadText(name) && reader.Skip(' ') && reader.ReadNumber(entry.size, ' ') &&
                 reader.ReadNumber(entry.modified, ' ');
    for (std::string* field : Fields(entry.info)) whole = whole && reader.ReadText(*field);
    if (!whole || !reader.Skip('\n')) return;  // a damaged store is not used at all
    entry.listed = false;
    read[name] = std::move(entry);
  }
  entries_ = std::move(read);
}

PuzzleInfo PuzzleInfoCache::Read(const std::filesystem::path& file) {
  // The folder and the name as texts: comparing paths part by part would cost more than the
  // rest of a listing's lookup.
  const std::string& whole = file.native();
  const std::size_t slash = whole.rfind('/');
  const std::string_view folder =
      slash == std::string::npos ? std::string_view() : std::string_view(whole).substr(0, slash);
  if (folder != folder_.native()) Open(std::filesystem::path(std::string(folder)));
  const std::string name = whole.substr(slash == std::string::npos ? 0 : slash + 1);
  std::uintmax_t size = 0;
  std::int64_t modified = 0;
  const bool known = Stat(file, size, modified);
  auto found = entries_.find(name);
  if (known && found != entries_.end() && found->second.size == size &&
      found->second.modified == modified) {
    found->second.listed = true;
    return found->second.info;
  }
  if (found != entries_.end()) {
    entries_.erase(found);
    changed_ = true;
  }
  PuzzleInfo info = ReadPuzzleFile(file).Info;
  if (known && modified < NowNanoseconds() - 2000000000) {
    entries_[name] = {size, modified, info};
    changed_ = true;
  }
  return info;
}

void PuzzleInfoCache::Save() {
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    if (entry->second.listed) {
      entry->second.listed = false;
      ++entry;
    } else {
      entry = entries_.erase(entry);
      changed_ = true;
    }
  }
  if (!changed_ || folder_.empty()) return;
  changed_ = false;
  std::ostringstream out;
  out << kVersion << '\n';
  for (auto& [name, entry] : entries_) {
    WriteText(out, name);
    out << ' ' << entry.size << ' ' << entry.modified << ' ';
    for (std::string* field : Fields(entry.info)) WriteText(out, *field);
    out << '\n';
  }
  const std::filesystem::path store = folder_ / kStoreName;
  const std::filesystem::path temporary = folder_ / (std::string(kStoreName) + ".new");
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!(file << out.str()) || !file.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return;
    }
  }
  std::error_code ignored;
  std::filesystem::rename(temporary, store, ignored);
}

}  // namespace sudoku

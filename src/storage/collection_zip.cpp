// Reading collection zips with libzip.
#include "storage/collection_zip.h"

#include <unistd.h>
#include <zip.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace sudoku {
namespace {

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

bool SafeName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos && name.find("..") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool EndsWithTema(const std::string& name) {
  return name.size() > 5 && name.compare(name.size() - 5, 5, ".tema") == 0;
}

// The entry's bytes, or false when it is too large or cannot be read whole.
bool ReadEntry(zip_t* archive, zip_uint64_t index, std::string& bytes) {
  zip_stat_t stat;
  if (zip_stat_index(archive, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      stat.size > zip_uint64_t(kMaxCollectionEntry)) {
    return false;
  }
  std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, index, 0));
  if (!entry) return false;
  bytes.assign(std::size_t(stat.size), '\0');
  zip_int64_t got = bytes.empty() ? 0 : zip_fread(entry.get(), bytes.data(), stat.size);
  return got == zip_int64_t(stat.size);
}

// Writes the file beside its final name, then links it there: an existing file is never
// replaced and a reader never sees a partial one.
bool PlaceNewFile(const std::filesystem::path& target, const std::string& bytes) {
  const std::filesystem::path temporary =
      target.parent_path() / (".import-" + std::to_string(::getpid()) + ".tmp");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code linkError, ignored;
  std::filesystem::create_hard_link(temporary, target, linkError);
  std::filesystem::remove(temporary, ignored);
  return !linkError;
}

}  // namespace

CollectionImport ExtractCollection(const std::filesystem::path& zip,
                                   const std::filesystem::path& folder) {
  int error = 0;
  std::unique_ptr<zip_t, ZipCloser> archive(
      zip_open(zip.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  if (!archive) {
    zip_error_t why;
    zip_error_init_with_code(&why, error);
    const std::string text = zip.filename().string() + ": " + zip_error_strerror(&why);
    zip_error_fini(&why);
    throw std::runtime_error(text);
  }
  CollectionImport result;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* rawName = zip_get_name(archive.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW);
    const std::string name = rawName != nullptr ? rawName : "";
    if (!name.empty() && name.back() == '/') continue;  // a folder entry holds no puzzle
    std::string bytes;
    if (!SafeName(name) || !EndsWithTema(name) || std::filesystem::exists(folder / name) ||
        !ReadEntry(archive.get(), zip_uint64_t(i), bytes) || !PlaceNewFile(folder / name, bytes)) {
      ++result.skipped;
      continue;
    }
    ++result.added;
  }
  return result;
}

}  // namespace sudoku

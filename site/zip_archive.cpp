// Building a zip archive in a libzip memory buffer.
#include "site/zip_archive.h"

#include <zip.h>

#include <cstdio>
#include <stdexcept>

namespace sudoku::site {
namespace {

constexpr zip_uint16_t kDosTime = 0;                                // 00:00:00
constexpr zip_uint16_t kDosDate = (2008 - 1980) << 9 | 1 << 5 | 1;  // 1 January 2008

[[noreturn]] void Fail(const char* what, zip_error_t* error) {
  const std::string message = std::string(what) + ": " + zip_error_strerror(error);
  zip_error_fini(error);
  throw std::runtime_error(message);
}

// The whole content of a buffer source.
std::string ReadAll(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(source, &stat) < 0 || zip_source_open(source) < 0)
    Fail("zip buffer", zip_source_error(source));
  std::string bytes(std::size_t(stat.size), '\0');
  const zip_int64_t read = zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  if (read < 0 || zip_uint64_t(read) != stat.size) Fail("zip buffer", zip_source_error(source));
  return bytes;
}

}  // namespace

std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& files) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (!buffer) Fail("zip buffer", &error);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (!archive) {
    zip_source_free(buffer);
    Fail("zip archive", &error);
  }
  zip_source_keep(buffer);  // outlives the archive, which writes into it as it closes
  auto abandon = [&](const char* what) {
    zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)), 0);
    zip_discard(archive);
    zip_source_free(buffer);
    Fail(what, &error);
  };
  for (const auto& [name, content] : files) {
    // The content stays in files until zip_close has read it.
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (!source) abandon("zip entry");
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_GUESS);
    if (index < 0) {
      zip_source_free(source);
      abandon("zip entry");
    }
    if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) < 0 ||
        zip_file_set_dostime(archive, zip_uint64_t(index), kDosTime, kDosDate, 0) < 0)
      abandon("zip entry");
  }
  if (zip_close(archive) < 0) abandon("zip archive");
  std::string bytes = ReadAll(buffer);
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

}  // namespace sudoku::site

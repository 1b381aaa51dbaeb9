// The zip writer: local headers, stored data, central directory, end record (little endian).
#include "site/zip_writer.h"

#include <array>
#include <stdexcept>

namespace sudoku::site {
namespace {

constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kDosTime = 0;                                // 00:00:00
constexpr std::uint16_t kDosDate = (2008 - 1980) << 9 | 1 << 5 | 1;  // 1 January 2008

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(char(value & 0xFF));
  out.push_back(char((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

// The fields that the local header and the central directory share.
void PutCommon(std::string& out, const std::string& name, const std::string& content,
               std::uint32_t crc) {
  Put16(out, kVersion);  // version needed to extract
  Put16(out, 0);         // flags
  Put16(out, 0);         // method: stored
  Put16(out, kDosTime);
  Put16(out, kDosDate);
  Put32(out, crc);
  Put32(out, std::uint32_t(content.size()));  // compressed size
  Put32(out, std::uint32_t(content.size()));  // uncompressed size
  Put16(out, std::uint32_t(name.size()));
  Put16(out, 0);  // extra field length
}

}  // namespace

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (char b : bytes) c = CrcTable()[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void ZipWriter::Add(const std::string& name, const std::string& content) {
  if (name.empty() || name.size() > 0xFFFF || content.size() > 0x7FFFFFFF)
    throw std::invalid_argument("zip entry too large or unnamed");
  entries_.push_back({name, content, Crc32(content)});
}

std::string ZipWriter::Finish() const {
  std::string out, directory;
  for (const Entry& e : entries_) {
    const std::uint32_t offset = std::uint32_t(out.size());
    Put32(out, 0x04034b50);
    PutCommon(out, e.Name, e.Content, e.Crc);
    out += e.Name;
    out += e.Content;

    Put32(directory, 0x02014b50);
    Put16(directory, kVersion);  // version made by
    PutCommon(directory, e.Name, e.Content, e.Crc);
    Put16(directory, 0);  // comment length
    Put16(directory, 0);  // disk number
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += e.Name;
  }
  const std::uint32_t directoryOffset = std::uint32_t(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);  // this disk
  Put16(out, 0);  // disk with the directory
  Put16(out, std::uint32_t(entries_.size()));
  Put16(out, std::uint32_t(entries_.size()));
  Put32(out, std::uint32_t(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);  // comment length
  return out;
}

}  // namespace sudoku::site

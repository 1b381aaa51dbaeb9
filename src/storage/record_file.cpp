// Record-level access to record files: the mark scanner, the reader and the appender.
#include "storage/record_file.h"

#include <stdexcept>

#include "storage/file_attributes.h"
#include "storage/line_cipher.h"
#include "storage/raw_file.h"

namespace sudoku {

std::string ScanRecord(std::string_view content, int index) {
  content = content.substr(0, kReadLimit);
  std::string record;
  int found = 0;
  // A mark must leave at least one byte after it: the file's last byte never belongs to one.
  std::size_t p = 0;
  while (p + kRecordMark.size() < content.size() && found < index) {
    if (content.compare(p, kRecordMark.size(), kRecordMark) == 0) {
      if (++found == index) break;
      record.clear();
      p += kRecordMark.size() + 1;
    } else {
      record += content[p++];
    }
  }
  // Fewer marks than the records before this one: the record is not there at all.
  if (found + 1 < index) record.clear();
  return record;
}

std::string RecordFromContent(std::string_view content, int index) {
  std::string line = ScanRecord(content, index);
  try {
    DecipherLine(line);
  } catch (const MalformedLine&) {
    return std::string(kFailedRecord);
  }
  return line;
}

std::string ReadRecord(const std::filesystem::path& file, int index) {
  try {
    const std::int32_t saved = ReadAttributes(file);
    if (saved < 0) return std::string(kFailedRecord);
    const std::string result = RecordFromContent(ReadFileBytes(file, kReadLimit), index);
    // Reading needs no attribute change here; should something else have changed them meanwhile,
    // they are put back, and a record whose file cannot be restored is not trusted.
    if (ReadAttributes(file) != saved && !ApplyAttributes(file, saved)) {
      return std::string(kFailedRecord);
    }
    return result;
  } catch (const std::exception&) {
    return std::string(kFailedRecord);
  }
}

std::string WithRecordAppended(std::string content, std::string_view record) {
  if (!content.empty()) content.pop_back();
  content += record;
  content += '\x0A';
  content += '\x0D';
  return content;
}

std::string EncipheredRecord(const std::string& plain, int method, Random& random) {
  if (method < 1 || method > 4) throw std::invalid_argument("no such cipher method");
  std::string line;
  do {
    line = plain;
    EncipherLine(line, method, random);
  } while (line.find(kRecordMark) != std::string::npos);
  return line + std::string(kRecordMark);
}

void AppendRecord(const std::filesystem::path& file, std::string_view record) {
  if (ReadAttributes(file) < 0) throw std::runtime_error(file.string() + ": no such file");
  if (!IsWritableFile(file)) {
    throw std::runtime_error(file.string() + ": cannot be opened for writing (read-only?)");
  }
  ReplaceFileContent(file, WithRecordAppended(ReadFileBytes(file), record));
}

}  // namespace sudoku

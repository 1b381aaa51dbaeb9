// Record files: enciphered lines each followed by the mark "tarn" and 0x0A, with one 0x0D
// closing the file. Record-level reading and appending on raw bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sudoku {

inline constexpr std::string_view kRecordMark = "tarn";
// The reader looks at this many leading bytes of a file; later records read as failures.
inline constexpr std::size_t kReadLimit = 100000;
// What ReadRecord gives for any failure.
inline constexpr std::string_view kFailedRecord = "-1";

// The raw (still enciphered) bytes of record index (from 1) of the file content, or what the
// scan accumulated when the content holds fewer records. Only the first kReadLimit bytes count.
std::string ScanRecord(std::string_view content, int index);

// The plain text of record index (from 1) of content, or "-1" when it does not decipher.
std::string RecordFromContent(std::string_view content, int index);

// The plain text of record index (from 1) of the file, or "-1" on any failure: no such file,
// unreadable, no such record, a record that does not decipher, or attributes that changed during
// the read and cannot be put back. Needs no write access. Never throws.
std::string ReadRecord(const std::filesystem::path& file, int index);

// The content with one more record: record is the enciphered line with the mark already
// appended; the closing 0x0D of a non-empty content is replaced by record, 0x0A and 0x0D.
std::string WithRecordAppended(std::string content, std::string_view record);

// Appends one record (enciphered line plus mark) to an existing file, which may be empty.
// The file is replaced whole through a temporary file beside it and keeps its permission bits.
// Throws std::runtime_error naming the file when it is missing, read-only or an I/O operation
// fails; the file then holds what it held before.
void AppendRecord(const std::filesystem::path& file, std::string_view record);

// Replaces (or creates, with the usual permissions) the file with content, atomically: either
// the whole new content or the old file is left. Throws std::runtime_error on failure.
void ReplaceFileContent(const std::filesystem::path& file, std::string_view content);

}  // namespace sudoku

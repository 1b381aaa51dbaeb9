// Record files: enciphered lines each followed by the mark "tarn" and 0x0A, with one 0x0D
// closing the file. Record-level reading and appending on raw bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "solver/random.h"

namespace sudoku {

inline constexpr std::string_view kRecordMark = "tarn";
// The reader looks at this many leading bytes of a file; later records read as failures.
inline constexpr std::size_t kReadLimit = 100000;
// What ReadRecord gives for any failure.
inline constexpr std::string_view kFailedRecord = "-1";

// The raw (still enciphered) bytes of record index (from 1) of the file content: the bytes
// before its mark, or up to the end of what is scanned when its mark is missing; empty when the
// content holds no such record. Only the first kReadLimit bytes count, and the last byte is
// never part of a mark.
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

// The record for plain: the line enciphered with method followed by the mark. Drawn again while
// the enciphered bytes themselves hold the mark, which would cut the record short when read.
// Throws std::invalid_argument for a method outside 1-4.
std::string EncipheredRecord(const std::string& plain, int method, Random& random);

// Appends one record (enciphered line plus mark) to an existing file, which may be empty.
// The file is replaced whole through a temporary file beside it and keeps its permission bits.
// Throws std::runtime_error naming the file when it is missing, read-only or an I/O operation
// fails; the file then holds what it held before.
void AppendRecord(const std::filesystem::path& file, std::string_view record);

}  // namespace sudoku

// The seventeen records of a puzzle file, read once and parsed, or built and written whole.
#include "storage/puzzle_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "storage/file_attributes.h"
#include "storage/raw_file.h"
#include "storage/record_file.h"

namespace sudoku {
namespace {

constexpr int kInfoMethod = 1;
constexpr int kRowMethod = 2;
constexpr std::size_t kKeyLength = 3;         // "P01".."P06" and "G0r", skipped by readers
constexpr std::size_t kMaxRecordLength = 99;  // the length travels as two decimal digits

std::string AfterKey(const std::string& record) {
  return record.size() > kKeyLength ? record.substr(kKeyLength) : std::string();
}

// The information fields in record order (records 1 to 8).
std::array<std::string*, 8> InfoFields(PuzzleInfo& info) {
  return {&info.Creatore,  &info.Tipologia, &info.NumBase,      &info.Livello,
          &info.MediaVoti, &info.Votanti,   &info.NumeroSchema, &info.DataPubblicazione};
}

std::vector<std::string> PlainRecords(const PuzzleInfo& info, const std::array<int, 81>& givens) {
  PuzzleInfo copy = info;
  std::vector<std::string> records;
  int field = 0;
  for (const std::string* text : InfoFields(copy)) {
    const std::string key = field < 2 ? "" : "P0" + std::to_string(field - 1);
    records.push_back(key + *text);
    ++field;
  }
  for (int row = 0; row < 9; ++row) {
    std::string record = "G0" + std::to_string(row);
    for (int col = 0; col < 9; ++col) {
      const int digit = givens[static_cast<std::size_t>(col * 9 + row)];
      if (digit < 0 || digit > 9) throw std::invalid_argument("a given must be a digit 0-9");
      record += digit == 0 ? std::string("00") : "1" + std::to_string(digit);
    }
    records.push_back(record);
  }
  return records;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

bool PuzzleFile::GridIsComplete() const {
  return std::all_of(Schema.begin(), Schema.end(), [](const std::string& code) {
    return code.size() == 2 &&
           (code[0] == '0' || (code[0] == '1' && code[1] >= '1' && code[1] <= '9'));
  });
}

PuzzleFile ReadPuzzleFile(const std::filesystem::path& file) {
  if (!IsReadableFile(file)) throw std::runtime_error(file.string() + ": cannot be read");
  const std::string content = ReadFileBytes(file, kReadLimit);
  PuzzleFile puzzle;
  puzzle.Schema.fill("0");
  int index = 1;
  for (std::string* field : InfoFields(puzzle.Info)) {
    const std::string record = RecordFromContent(content, index);
    *field = index <= 2 ? record : AfterKey(record);
    ++index;
  }
  for (std::size_t row = 0; row < 9; ++row) {
    const std::string pairs = AfterKey(RecordFromContent(content, index++));
    for (std::size_t col = 0; col < 9 && 2 * col + 1 < pairs.size(); ++col) {
      puzzle.Schema[col * 9 + row] = pairs.substr(2 * col, 2);
    }
  }
  return puzzle;
}

void WritePuzzleFile(const std::filesystem::path& file, const PuzzleInfo& info,
                     const std::array<int, 81>& givens, Random& random) {
  const std::vector<std::string> records = PlainRecords(info, givens);
  for (const std::string& record : records) {
    if (record.size() > kMaxRecordLength) {
      throw std::invalid_argument("puzzle record too long (at most 99 characters): " + record);
    }
  }
  if (ReadAttributes(file) >= 0 && !IsWritableFile(file)) {
    throw std::runtime_error(file.string() + ": cannot be replaced (read-only?)");
  }
  std::string content;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const int method = i < 8 ? kInfoMethod : kRowMethod;
    content = WithRecordAppended(std::move(content), EncipheredRecord(records[i], method, random));
  }
  ReplaceFileContent(file, content);
}

std::string AuthoredPuzzleFileName(const CivilDateTime& when) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", when.year);
  return "ute-" + TwoDigits(when.day) + "-" + TwoDigits(when.month) + "-" + year + "-" +
         TwoDigits(when.hour) + "-" + TwoDigits(when.minute) + "-" + TwoDigits(when.second) +
         ".tema";
}

std::string CataloguePuzzleFileName(const std::string& number, const std::string& publicationDate) {
  std::string n;
  if (!number.empty() && number.size() <= 4) n = std::string(4 - number.size(), '0') + number;
  // Positions below count from 0; the catalogue's text is "dd/mm/yyyy".
  std::string date = publicationDate;
  if (date.size() > 6) date.erase(6, 2);
  if (date.size() > 3 && date[3] == '0') date.erase(3, 1);
  if (!date.empty() && date[0] == '0') date.erase(0, 1);
  std::string name = n + "-puzzle_" + date + ".tema";
  for (char& c : name) {
    if (c == '/') c = '-';
  }
  std::erase(name, '\0');
  return name;
}

bool IsReadableFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), R_OK) == 0;
}

}  // namespace sudoku

// Fuzz target of the record files: the mark scanner and the line decipher take any bytes without
// crashing, and whatever plain text the bytes make up enciphers and deciphers back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/line_cipher.h"
#include "storage/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (int index : {-1, 0, 1, 2, 3, 17, 18}) sudoku::RecordFromContent(bytes, index);

  std::string line(bytes);
  try {
    sudoku::DecipherLine(line);
  } catch (const sudoku::MalformedLine&) {
  }

  if (size >= 1) {
    const int method = data[0] % 4 + 1;
    const std::string plain(bytes.substr(1, 99));
    sudoku::SeededRandom random(size);
    std::string record = sudoku::EncipheredRecord(plain, method, random);
    if (sudoku::RecordFromContent(sudoku::WithRecordAppended("", record), 1) != plain) std::abort();
  }
  return 0;
}

// The puzzle file: seventeen records (creator, type, six keyed information texts, nine grid
// rows) in a record file, read by the library and the loader, written by authoring and the web
// catalogue; and the two rules that name such files.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "solver/random.h"

namespace sudoku {

// The information fields as the board shows them.
struct PuzzleInfo {
  std::string Creatore, Tipologia, NumBase, Livello, MediaVoti, Votanti, NumeroSchema,
      DataPubblicazione;
};

struct PuzzleFile {
  PuzzleInfo Info;                     // records 1-2 whole; records 3-8 from their fourth character
  std::array<std::string, 81> Schema;  // [col][row] (index col*9+row): "1d" given, "00" open, "0"
                                       // where no pair was read
  // Whether all 81 codes were read as pairs, each an open cell ("0" and any character) or a
  // given ("1" and a digit 1-9); a file that is not a puzzle fails this.
  bool GridIsComplete() const;
};

// A local civil date and time, as the clock shows it.
struct CivilDateTime {
  int year = 2000, month = 1, day = 1;  // month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0;
};

// Reads the seventeen records as the loader does: a failed record gives "-1" in Creatore and
// Tipologia, "" in the fields of records 3-8, and leaves its row's cells "0". A row record with
// more than nine pairs has the surplus ignored. Never needs write access.
// Throws std::runtime_error naming the file when it does not exist or cannot be read at all.
PuzzleFile ReadPuzzleFile(const std::filesystem::path& file);

// Creates (or replaces) the file with the seventeen records: records 1-8 from info (the writer
// adds the "P01".."P06" keys) with method 1, the nine grid rows "G0r" + pairs with method 2.
// givens: [col][row], 0 = open, 1-9 a given digit.
// Refuses with std::invalid_argument, before anything is written, a record of 100 characters or
// more and a given outside 0-9. Throws std::runtime_error when an existing file of that name is
// read-only or the write fails; the file is replaced whole or not at all.
void WritePuzzleFile(const std::filesystem::path& file, const PuzzleInfo& info,
                     const std::array<int, 81>& givens, Random& random);

// "ute-dd-mm-yyyy-hh-nn-ss.tema", every field zero-padded (e.g. ute-05-12-2026-18-20-41.tema).
std::string AuthoredPuzzleFileName(const CivilDateTime& when);

// "NNNN-puzzle_D-M-YY.tema" from the catalogue's texts: number (e.g. "45") zero-padded to four
// characters when it has one to four, else left out; publicationDate "dd/mm/yyyy" with the
// century and the leading zeros of day and month dropped (e.g. "05/02/2006" -> "5-2-06").
// The result is always a plain file name: any "/" becomes "-".
std::string CataloguePuzzleFileName(const std::string& number, const std::string& publicationDate);

// Whether the path names an existing regular file that this process can open for reading.
bool IsReadableFile(const std::filesystem::path& file);

}  // namespace sudoku

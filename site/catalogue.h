// The catalogue of published puzzles: its filling on the first start, filtered paging, votes and
// publishing.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "site/calendar.h"
#include "site/db.h"

namespace sudoku::site {

struct CataloguePuzzle {
  int Number = 0;
  std::string Digits;    // row by row, "0" = empty
  std::string Solution;  // row by row
  int Level = 1, Givens = 0;
  bool Symmetric = false;
  Date Published;
  int VoteSum = 0, Voters = 0;
  std::string Author;

  // The average vote with one decimal ("7.5"), "0" before the first vote.
  std::string AverageVote() const;
};

struct CatalogueFilter {
  int Year = 0;
  int Month = 0;  // 0 = any month
  bool SymmetricOnly = false;
  int Givens = 0;  // 0 = any number
};

// Fills the catalogue with count puzzles spread over every month from January 2008 to today,
// reproducibly from seed, one month at a time: each month's puzzles are made first and then
// written in one short transaction, so the pages and other writers go on meanwhile. A month
// that holds the catalogue's puzzles already is left as it is, so a fill that was cut short
// goes on where it stopped and the fill of a full catalogue does nothing. Stops between
// months once stop (when given) is set. Each month written bumps its collection's counter, so
// every process over the store makes that month's zip again.
void SeedCatalogue(Db& db, std::uint64_t seed, int count, const Date& today,
                   const std::atomic<bool>* stop = nullptr);

int CountMatches(Db& db, const CatalogueFilter& filter);
// The page-th puzzle (from 1) of the filter in order of number.
std::optional<CataloguePuzzle> PuzzleAt(Db& db, const CatalogueFilter& filter, int page);
std::optional<CataloguePuzzle> PuzzleByNumber(Db& db, int number);
// Puzzles numbered from first on, at most count, in order.
std::vector<CataloguePuzzle> PuzzlesFrom(Db& db, int first, int count);
std::vector<CataloguePuzzle> PuzzlesOfMonth(Db& db, int year, int month);
// The months that have puzzles, newest first, as {year, month}.
std::vector<std::pair<int, int>> PublishedMonths(Db& db);

// Records the user's vote (1 to 10) once; false when the user had voted already.
bool CastVote(Db& db, int number, const std::string& user, int vote);
bool HasVoted(Db& db, int number, const std::string& user);

// Publishes a row-by-row puzzle of the user; its number, or why it is refused.
struct Publication {
  int Number = 0;
  std::string Refusal;
};
Publication Publish(Db& db, const std::string& digits, const std::string& user, const Date& today);

}  // namespace sudoku::site

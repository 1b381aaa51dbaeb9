// The catalogue store.
#include "site/catalogue.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

#include "site/collection_cache.h"
#include "site/puzzle_maker.h"
#include "site/shared_state.h"

namespace sudoku::site {
namespace {

constexpr const char* kColumns =
    "number, digits, solution, level, givens, symmetric, year, month, day, vote_sum, voters, "
    "author";

CataloguePuzzle ReadRow(const Statement& row) {
  CataloguePuzzle p;
  p.Number = int(row.Int(0));
  p.Digits = row.Text(1);
  p.Solution = row.Text(2);
  p.Level = int(row.Int(3));
  p.Givens = int(row.Int(4));
  p.Symmetric = row.Int(5) != 0;
  p.Published = {int(row.Int(6)), int(row.Int(7)), int(row.Int(8))};
  p.VoteSum = int(row.Int(9));
  p.Voters = int(row.Int(10));
  p.Author = row.Text(11);
  return p;
}

// Stores the puzzle under the next number; false when the same puzzle is already there.
// The number the puzzle was given, read back by the insert itself; 0 when it was there already.
int Insert(Db& db, const MadePuzzle& made, const Date& date, const std::string& author) {
  auto insert = db.Prepare(
      "INSERT OR IGNORE INTO puzzles (number, digits, solution, level, givens, symmetric, year, "
      "month, day, author) VALUES ((SELECT IFNULL(MAX(number), 0) + 1 FROM puzzles), ?, ?, ?, "
      "?, ?, ?, ?, ?, ?) RETURNING number");
  insert.Bind(1, made.Digits)
      .Bind(2, made.Solution)
      .Bind(3, made.Level)
      .Bind(4, made.Givens)
      .Bind(5, int(made.Symmetric))
      .Bind(6, date.Year)
      .Bind(7, date.Month)
      .Bind(8, date.Day)
      .Bind(9, author);
  if (!insert.Step()) return 0;
  const int number = int(insert.Int(0));
  while (insert.Step()) {
  }
  return number;
}

// The filter as SQL parameters: ?1 year, ?2 month or 0, ?3 symmetric only, ?4 givens or 0.
constexpr const char* kFilter =
    " FROM puzzles WHERE year = ?1 AND (?2 = 0 OR month = ?2) AND (?3 = 0 OR symmetric = 1) AND "
    "(?4 = 0 OR givens = ?4)";

void BindFilter(Statement& statement, const CatalogueFilter& filter) {
  statement.Bind(1, filter.Year).Bind(2, filter.Month).Bind(3, int(filter.SymmetricOnly));
  statement.Bind(4, filter.Givens);
}

std::vector<CataloguePuzzle> ReadAll(Statement& statement) {
  std::vector<CataloguePuzzle> puzzles;
  while (statement.Step()) puzzles.push_back(ReadRow(statement));
  return puzzles;
}

}  // namespace

std::string CataloguePuzzle::AverageVote() const {
  if (Voters == 0) return "0";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", double(VoteSum) / Voters);
  return text;
}

namespace {

constexpr std::array<int, 10> kSeedLevels = {1, 3, 2, 4, 1, 3, 5, 2, 3, 4};
constexpr const char* kSeedAuthor = "Admin";

// The month's own random stream: a month is made the same whichever months were made before.
std::uint64_t MonthSeed(std::uint64_t seed, int month) {
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * std::uint64_t(month + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

bool MonthSeeded(Db& db, int year, int month) {
  auto find =
      db.Prepare("SELECT 1 FROM puzzles WHERE year = ? AND month = ? AND author = ? LIMIT 1");
  find.Bind(1, year).Bind(2, month).Bind(3, std::string(kSeedAuthor));
  return find.Step();
}

MadePuzzle MakeSeedPuzzle(Random& random, int level) {
  // Drawn one after the other: the order of a call's arguments is unspecified. The hardest
  // levels are made without symmetry and with fewer givens, where the generator finds them
  // soonest.
  const bool symmetric = level < 5 && random.Next(0, 1) == 1;
  const int givens = level < 4 ? random.Next(20, 29) : random.Next(20, 23);
  return MakePuzzleOfLevel(random, symmetric, givens, level);
}

}  // namespace

void SeedCatalogue(Db& db, std::uint64_t seed, int count, const Date& today,
                   const std::atomic<bool>* stop) {
  const int months = (today.Year - 2008) * 12 + today.Month;
  for (int m = 0; m < months && !(stop != nullptr && *stop); ++m) {
    const int year = 2008 + m / 12, month = m % 12 + 1;
    // The puzzles before this month, and this month's share.
    const int before = int(std::int64_t(m) * count / months);
    const int inMonth = int((std::int64_t(m) + 1) * count / months) - before;
    if (inMonth == 0 || MonthSeeded(db, year, month)) continue;
    SeededRandom random(MonthSeed(seed, m));
    const int lastDay = m == months - 1 ? today.Day : DaysInMonth(year, month);
    std::vector<int> days;
    for (int k = 0; k < inMonth; ++k) days.push_back(random.Next(1, lastDay));
    std::sort(days.begin(), days.end());
    // The levels take turns, so that every stretch of the catalogue holds all five; the
    // hardest, slowest to make, once in ten. Made before the store is locked for their write.
    std::vector<MadePuzzle> made;
    for (int k = 0; k < inMonth; ++k)
      made.push_back(
          MakeSeedPuzzle(random, kSeedLevels[std::size_t(before + k) % kSeedLevels.size()]));
    Transaction transaction(db);
    if (MonthSeeded(db, year, month)) continue;  // another run of the site made it meanwhile
    for (int k = 0; k < inMonth; ++k) {
      const Date date{year, month, days[std::size_t(k)]};
      while (!Insert(db, made[std::size_t(k)], date, kSeedAuthor))
        made[std::size_t(k)] = MakeSeedPuzzle(random, made[std::size_t(k)].Level);
    }
    BumpCounter(db, CollectionCounter(year, month));
    transaction.Commit();
  }
}

int CountMatches(Db& db, const CatalogueFilter& filter) {
  auto count = db.Prepare((std::string("SELECT COUNT(*)") + kFilter).c_str());
  BindFilter(count, filter);
  count.Step();
  return int(count.Int(0));
}

std::optional<CataloguePuzzle> PuzzleAt(Db& db, const CatalogueFilter& filter, int page) {
  auto find = db.Prepare(
      (std::string("SELECT ") + kColumns + kFilter + " ORDER BY number LIMIT 1 OFFSET ?5").c_str());
  BindFilter(find, filter);
  find.Bind(5, std::max(page, 1) - 1);
  if (!find.Step()) return std::nullopt;
  return ReadRow(find);
}

std::optional<CataloguePuzzle> PuzzleByNumber(Db& db, int number) {
  auto find =
      db.Prepare((std::string("SELECT ") + kColumns + " FROM puzzles WHERE number = ?").c_str());
  find.Bind(1, number);
  if (!find.Step()) return std::nullopt;
  return ReadRow(find);
}

std::vector<CataloguePuzzle> PuzzlesFrom(Db& db, int first, int count) {
  auto list = db.Prepare((std::string("SELECT ") + kColumns +
                          " FROM puzzles WHERE number >= ? ORDER BY number LIMIT ?")
                             .c_str());
  list.Bind(1, first).Bind(2, count);
  return ReadAll(list);
}

std::vector<CataloguePuzzle> PuzzlesOfMonth(Db& db, int year, int month) {
  auto list = db.Prepare((std::string("SELECT ") + kColumns +
                          " FROM puzzles WHERE year = ? AND month = ? ORDER BY number")
                             .c_str());
  list.Bind(1, year).Bind(2, month);
  return ReadAll(list);
}

std::vector<std::pair<int, int>> PublishedMonths(Db& db) {
  auto list = db.Prepare("SELECT DISTINCT year, month FROM puzzles ORDER BY year DESC, month DESC");
  std::vector<std::pair<int, int>> months;
  while (list.Step()) months.emplace_back(int(list.Int(0)), int(list.Int(1)));
  return months;
}

bool CastVote(Db& db, int number, const std::string& user, int vote) {
  Transaction transaction(db);
  db.Prepare("INSERT OR IGNORE INTO votes (number, name, vote) VALUES (?, ?, ?)")
      .Bind(1, number)
      .Bind(2, user)
      .Bind(3, vote)
      .Run();
  if (db.Changes() != 1) return false;
  db.Prepare("UPDATE puzzles SET vote_sum = vote_sum + ?, voters = voters + 1 WHERE number = ?")
      .Bind(1, vote)
      .Bind(2, number)
      .Run();
  transaction.Commit();
  return true;
}

bool HasVoted(Db& db, int number, const std::string& user) {
  auto find = db.Prepare("SELECT 1 FROM votes WHERE number = ? AND name = ?");
  find.Bind(1, number).Bind(2, user);
  return find.Step();
}

Publication Publish(Db& db, const std::string& digits, const std::string& user, const Date& today) {
  if (digits.size() != 81 || digits.find_first_not_of("0123456789") != std::string::npos)
    return {0, "Lo schema deve essere di 81 cifre."};
  const int givens = int(81 - std::count(digits.begin(), digits.end(), '0'));
  if (givens < 15) return {0, "Lo schema ha meno di 15 numeri."};
  if (givens > 30) return {0, "Non pubblichiamo schemi con pi\u00f9 di 30 numeri."};
  MadePuzzle made;
  const int solutions = CountSolutionsUpTo(digits, 2, &made.Solution);
  if (solutions == 0) return {0, "Lo schema non ammette soluzioni."};
  if (solutions > 1) return {0, "Lo schema ha pi\u00f9 di una soluzione."};
  made.Digits = digits;
  made.Givens = givens;
  made.Level = RateLevel(digits);
  made.Symmetric = true;
  for (int i = 0; i < 81; ++i)
    if ((digits[std::size_t(i)] == '0') != (digits[std::size_t(80 - i)] == '0'))
      made.Symmetric = false;
  const int number = Insert(db, made, today, user);
  if (number == 0) return {0, "Questo schema \u00e8 gi\u00e0 pubblicato."};
  return {number, {}};
}

}  // namespace sudoku::site

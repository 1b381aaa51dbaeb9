// The site's puzzles: unique, described truly, symmetric when asked, reproducible from the seed,
// and in the board's column order for matches.
#include <gtest/gtest.h>

#include "site/catalogue.h"
#include "site/challenges.h"
#include "site/puzzle_maker.h"
#include "site_harness.h"

namespace sudoku::site {
namespace {

// The stored description of a puzzle is what its digits are.
void ExpectTrulyDescribed(const std::string& digits, const std::string& solution, int givens,
                          int level, bool symmetric) {
  std::string counted;
  ASSERT_EQ(CountSolutionsUpTo(digits, 2, &counted), 1) << digits;
  EXPECT_EQ(counted, solution);
  EXPECT_EQ(givens, 81 - std::count(digits.begin(), digits.end(), '0'));
  EXPECT_EQ(level, RateLevel(digits));
  for (int i = 0; i < 81 && symmetric; ++i)
    EXPECT_EQ(digits[std::size_t(i)] == '0', digits[std::size_t(80 - i)] == '0') << digits;
}

TEST(SitePuzzles, MadePuzzlesAreUniqueAndKeepTheirSymmetry) {
  SeededRandom random(11);
  for (int k = 0; k < 6; ++k) {
    const bool symmetric = k % 2 == 0;
    const MadePuzzle made = MakePuzzle(random, symmetric, 22);
    ExpectTrulyDescribed(made.Digits, made.Solution, made.Givens, made.Level, symmetric);
    EXPECT_EQ(made.Symmetric, symmetric);
    EXPECT_GE(made.Givens, symmetric ? 21 : 22);
  }
}

TEST(SitePuzzles, SeededCatalogueIsReproducibleAndTrue) {
  testing::ScratchDir dir;
  Db first((dir / "first.db").string()), second((dir / "second.db").string());
  const Date today{2026, 3, 10};
  SeedCatalogue(first, 5, 60, today);
  SeedCatalogue(second, 5, 60, today);
  SeedCatalogue(second, 6, 60, today);  // a catalogue with puzzles is left as it is
  const std::vector<CataloguePuzzle> puzzles = PuzzlesFrom(first, 1, 100);
  const std::vector<CataloguePuzzle> again = PuzzlesFrom(second, 1, 100);
  ASSERT_EQ(puzzles.size(), 60u);
  ASSERT_EQ(again.size(), 60u);
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const CataloguePuzzle& p = puzzles[i];
    EXPECT_EQ(p.Digits, again[i].Digits);
    EXPECT_EQ(DateText(p.Published), DateText(again[i].Published));
    ExpectTrulyDescribed(p.Digits, p.Solution, p.Givens, p.Level, p.Symmetric);
    EXPECT_GE(p.Givens, p.Symmetric ? 19 : 20);  // more where no further cell could go
  }
}

TEST(SitePuzzles, MatchPuzzleListsColumnsOfGivenCodes) {
  const std::string rows = "100000000020" + std::string(68, '0') + "9";
  const std::string text = MatchPuzzleText(rows);
  EXPECT_EQ(text.substr(0, 19), "110000000000000000;");
  EXPECT_EQ(text.substr(19, 19), "001200000000000000;");
  EXPECT_EQ(text.substr(8 * 19), "000000000000000019");
  EXPECT_EQ(RowsToColumns(rows)[9 + 1], '2');
  EXPECT_EQ(ColumnsToRows(RowsToColumns(rows)), rows);
  EXPECT_EQ(CountSolutionsUpTo(std::string(81, '0').replace(0, 2, "11"), 2), 0);
  EXPECT_EQ(CountSolutionsUpTo("12", 2), 0);
  EXPECT_EQ(CountSolutionsUpTo(std::string(80, '0') + "x", 2), 0);
}

}  // namespace
}  // namespace sudoku::site

// The site's puzzles: unique, symmetric when asked, and in the board's column order for matches.
#include <gtest/gtest.h>

#include "site/challenges.h"
#include "site/puzzle_maker.h"

namespace sudoku::site {
namespace {

TEST(SitePuzzles, CataloguePuzzlesAreUniqueAndKeepTheirSymmetry) {
  SeededRandom random(11);
  for (int k = 0; k < 6; ++k) {
    const bool symmetric = k % 2 == 0;
    const MadePuzzle made = MakeCataloguePuzzle(random, symmetric, 22);
    std::string solution;
    ASSERT_EQ(CountSolutionsUpTo(made.Digits, 2, &solution), 1);
    EXPECT_EQ(solution, made.Solution);
    EXPECT_EQ(made.Givens, 81 - std::count(made.Digits.begin(), made.Digits.end(), '0'));
    EXPECT_GE(made.Givens, 22);
    EXPECT_EQ(made.Level, RateLevel(made.Digits));
    for (int i = 0; i < 81 && symmetric; ++i)
      EXPECT_EQ(made.Digits[std::size_t(i)] == '0', made.Digits[std::size_t(80 - i)] == '0');
  }
}

TEST(SitePuzzles, MatchPuzzleListsColumnsOfGivenCodes) {
  const std::string rows =
      "100000000"
      "020000000"
      "000000000"
      "000000000"
      "000000000"
      "000000000"
      "000000000"
      "000000000"
      "000000009";
  const std::string text = MatchPuzzleText(rows);
  EXPECT_EQ(text.substr(0, 19), "110000000000000000;");
  EXPECT_EQ(text.substr(19, 19), "001200000000000000;");
  EXPECT_EQ(text.substr(8 * 19), "000000000000000019");
  EXPECT_EQ(RowsToColumns(rows)[9 + 1], '2');
  EXPECT_EQ(ColumnsToRows(RowsToColumns(rows)), rows);
  EXPECT_EQ(CountSolutionsUpTo(std::string(81, '0').replace(0, 2, "11"), 2), 0);
  EXPECT_EQ(CountSolutionsUpTo("12", 2), 0);
}

}  // namespace
}  // namespace sudoku::site

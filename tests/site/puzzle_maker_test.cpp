// The site's puzzles: unique, described truly, symmetric when asked, reproducible from the seed
// (also when their making was cut short).
// The column order of a match's puzzle is checked by the match itself (e2e ChallengeTest).
#include <gtest/gtest.h>

#include "site/catalogue.h"
#include "site/puzzle_maker.h"
#include "site_harness.h"

namespace sudoku::site {
namespace {

TEST(SitePuzzles, SeededCatalogueIsTrueAndReproducible) {
  testing::ScratchDir dir;
  auto first = OpenDb(testing::StoreAt(dir / "first.db"));
  auto second = OpenDb(testing::StoreAt(dir / "second.db"));
  SeedCatalogue(*first, 5, 60, {2026, 3, 10});
  SeedCatalogue(*second, 5, 60, {2026, 3, 10});
  second->Exec("DELETE FROM puzzles WHERE year >= 2025");  // a fill cut short
  SeedCatalogue(*second, 5, 60, {2026, 3, 10});            // goes on where it stopped
  SeedCatalogue(*second, 6, 60, {2026, 3, 10});            // a full catalogue is left as it is
  const std::vector<CataloguePuzzle> puzzles = PuzzlesFrom(*first, 1, 100);
  const std::vector<CataloguePuzzle> again = PuzzlesFrom(*second, 1, 100);
  ASSERT_EQ(puzzles.size(), 60u);
  ASSERT_EQ(again.size(), 60u);
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const CataloguePuzzle& p = puzzles[i];
    EXPECT_EQ(p.Digits + DateText(p.Published), again[i].Digits + DateText(again[i].Published));
    // The stored description of a puzzle is what its digits are.
    std::string counted;
    ASSERT_EQ(CountSolutionsUpTo(p.Digits, 2, &counted), 1) << p.Digits;
    EXPECT_EQ(counted, p.Solution);
    EXPECT_EQ(p.Givens, 81 - std::count(p.Digits.begin(), p.Digits.end(), '0'));
    EXPECT_GE(p.Givens, p.Symmetric ? 19 : 20);  // more where no further cell could go
    EXPECT_EQ(p.Level, RateLevel(p.Digits));
    for (std::size_t k = 0; k < 81 && p.Symmetric; ++k)
      EXPECT_EQ(p.Digits[k] == '0', p.Digits[80 - k] == '0') << p.Digits;
  }
}

}  // namespace
}  // namespace sudoku::site

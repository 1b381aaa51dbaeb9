// Puzzles in and out as text: the forms a paste accepts, the paste into the library, importing
// a file of puzzles, and the statistics chart's series.
#include <fstream>

#include <gtest/gtest.h>

#include "play/fakes.h"
#include "play/puzzle_files.h"
#include "play/puzzle_text.h"
#include "play/solve_chart.h"
#include "play/statistics_file.h"

namespace sudoku::testing {
namespace {

const std::string kLine(kPuzzle);

struct PuzzleExchangeTest : ::testing::Test {
  GameFixture f;
};

TEST(PuzzleTextTest, AcceptsTheCommonFormsAndNothingElse) {
  std::string zeros = kLine, dashes = kLine;
  for (char& c : zeros) c = c == '.' ? '0' : c;
  for (char& c : dashes) c = c == '.' ? '-' : c;
  std::string grid;
  for (int row = 0; row < 9; ++row) {
    if (row % 3 == 0 && row > 0) grid += "------+-------+------\n";
    for (int col = 0; col < 9; ++col) {
      grid += kLine[std::size_t(row * 9 + col)];
      grid += col == 2 || col == 5 ? " | " : " ";
    }
    grid += "\r\n";
  }
  for (const std::string& text :
       {kLine, zeros, dashes, grid, kLine.substr(0, 40) + "\n " + kLine.substr(40) + "\n"}) {
    SCOPED_TRACE(text);
    const auto givens = ParsePuzzleText(text);
    ASSERT_TRUE(givens);
    EXPECT_EQ(PuzzleLine(*givens), kLine);
  }
  std::string why;
  EXPECT_FALSE(ParsePuzzleText(kLine.substr(1), &why));
  EXPECT_EQ(why, "80 cells");
  EXPECT_FALSE(ParsePuzzleText("x" + kLine.substr(1), &why));
  EXPECT_EQ(why, "character 'x'");
  EXPECT_FALSE(ParsePuzzleText(kLine + "\n" + kLine));
  EXPECT_TRUE(ParsePuzzleLine(kLine + "  # comment 1234"));
}

TEST_F(PuzzleExchangeTest, APastedPuzzleWithOneSolutionJoinsTheLibraryAndIsPlayed) {
  f.game.IncollaSchemaText(kLine.substr(0, 30) + std::string(51, '.'));  // many solutions
  EXPECT_EQ(f.dialogs.OnlyMessage(), "Lo schema in griglia ha pi\xF9 di una soluzione!");
  f.dialogs.messages.clear();
  f.game.IncollaSchemaText(kLine);
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_EQ(f.game.controls.ECreatore.text, "Appunti");
  EXPECT_EQ(f.game.controls.enomefile.text.substr(0, 4), "imp-");
  EXPECT_EQ(f.game.board.Schema[CellIndex(0, 0)], "15");
  EXPECT_EQ(f.game.CopiaSchemaText(), kLine);
  EXPECT_GE(f.game.controls.LVsudoku.selected, 0);
}

TEST_F(PuzzleExchangeTest, ImportCountsNewDuplicateAndInvalidLines) {
  const auto file = f.base / "collection.txt";
  std::ofstream(file) << "# a collection\n"
                      << kLine << " first\n"
                      << kLine << "\n"                    // duplicate
                      << kLine.substr(1) << "\n"          // 80 cells
                      << "55" << kLine.substr(2) << "\n"  // no solution
                      << std::string(81, '.') << "\n"     // many solutions
                      << "\n";
  f.dialogs.openAnswers.push_back(file);
  f.game.ImportaSchemi1Click();
  EXPECT_EQ(f.dialogs.OnlyMessage(),
            "Schemi aggiunti: 1\n\rGi\xE0 presenti: 1\n\rRighe che non sono schemi a soluzione "
            "unica: 3 (4, 5, 6)");
  f.dialogs.messages.clear();
  f.dialogs.openAnswers.push_back(file);
  f.game.ImportaSchemi1Click();  // the same file again adds nothing
  EXPECT_EQ(f.dialogs.messages.at(0).text.substr(0, 18), "Schemi aggiunti: 0");
  EXPECT_FALSE(f.game.controls.ProgressBar1.visible);
}

TEST_F(PuzzleExchangeTest, SolvesInOrderWithLevelsAndRunningAverageUnreadableLinesSkipped) {
  f.game.IncollaSchemaText(kLine);
  const std::string name = f.game.controls.enomefile.text;
  const auto stats = StatisticsPath(f.base);
  AppendStatLine(stats, name, "0h 4m 0s");
  AppendStatLine(stats, "other.tema", "0h 2m 30s");
  std::ofstream(stats, std::ios::app) << "garbage\r\n[nome]x[timer]0h xm 1s\r\n";
  AppendStatLine(stats, "other.tema", "1h 0m 0s");
  const SolveSeries series = ReadSolveSeries(f.base);
  ASSERT_EQ(series.points.size(), 3u);
  EXPECT_EQ(series.skipped, 2);
  EXPECT_EQ(series.points[0].name, name);
  EXPECT_GE(series.points[0].level, 1);
  EXPECT_EQ(series.points[1].level, 0);
  EXPECT_DOUBLE_EQ(series.points[1].averageMinutes, 3.25);
  EXPECT_DOUBLE_EQ(series.points[2].minutes, 60);
}

}  // namespace
}  // namespace sudoku::testing

// The saved-game and unfinished-puzzle text files: their exact bytes, reading short or damaged
// files, and the timer text.
#include "storage/game_text_file.h"

#include <gtest/gtest.h>

namespace sudoku {
namespace {

TEST(GameTextFileTest, SavedGameWritesTextsThenGivensColumnByColumn) {
  Board board;
  board.Schema[CellIndex(0, 0)] = "15";  // a given without text
  board.Texts[CellIndex(0, 1)] = "7";
  board.Schema[CellIndex(0, 2)] = "13";  // a given showing its digit
  board.Texts[CellIndex(0, 2)] = "3";
  board.Schema[CellIndex(1, 0)] = "09";  // an open cell with a stale digit
  std::array<std::string, 81> candidates;
  candidates[0] = "5";
  candidates[1] = "125";
  std::string expected =
      "[timer]:1h 2m 3s\r\n[griglia]:573" + std::string(78, '0') + "\r\n[ua]:5#125#";
  for (int i = 2; i < 81; ++i) expected += "0#";
  EXPECT_EQ(SavedGameText("1h 2m 3s", board, candidates), expected + "\r\n");
}

TEST(GameTextFileTest, ReadsLinesByPositionAndNeverPastTheirEnd) {
  const std::string grid = std::string(80, '0') + "9" + "12345";  // the surplus is ignored
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const GameTextContent read = ParseGameText("[xxxxx]:2h 0m 0s" + std::string(end) +
                                               "[abcdefg]:" + grid + end + "[ua]:junk");
    EXPECT_EQ(read.TimerText, "2h 0m 0s");
    EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), grid.substr(0, 81));
  }
  GameTextContent read = ParseGameText("[timer]:" + std::string(150, 'x') + "\r\n[griglia]:12x");
  EXPECT_EQ(read.TimerText, std::string(100, 'x'));
  EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), "12x" + std::string(78, '0'));
  EXPECT_FALSE(read.CellsAreDigits());
  for (const char* shortFile : {"", "[timer]:0h 0m 1s", "[t]\r\n[griglia"}) {
    read = ParseGameText(shortFile);
    EXPECT_EQ(std::string(read.Cells.begin(), read.Cells.end()), std::string(81, '0'));
    EXPECT_TRUE(read.CellsAreDigits());
  }
}

TEST(GameTextFileTest, ClockSecondsOfTimerTexts) {
  EXPECT_EQ(ClockSeconds("1h 2m 3s"), 3723);
  EXPECT_EQ(ClockSeconds("24h 0m 0s"), 86400);
  for (const char* bad : {"", "1h2m3s", "xh 0m 0s", "1h 2m", "-1h 2m 3s", "1h  2m 3s", "1s 2m 3h",
                          "999999999h 0m 0s"}) {
    EXPECT_EQ(ClockSeconds(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace sudoku

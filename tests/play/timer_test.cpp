// The game timer: buttons and menu items, the tick and its display.
#include <cstdint>

#include <gtest/gtest.h>

#include "play/fakes.h"

namespace sudoku {
namespace {

using testing::GameFixture;

TEST(TimerTest, StartPauseAndRestartSwitchButtonsAndItems) {
  GameFixture f;
  Controls& c = f.game.controls;
  f.game.Avvia1Click();
  EXPECT_TRUE(c.SudokuTimer.enabled);
  EXPECT_TRUE(c.SBPause.enabled);
  EXPECT_FALSE(c.SBPlay.enabled);
  EXPECT_TRUE(c.Pausa1.enabled);
  EXPECT_FALSE(c.Avvia1.enabled);

  f.game.SBPauseClick();
  EXPECT_FALSE(c.SudokuTimer.enabled);
  EXPECT_TRUE(c.SBPlay.enabled);
  EXPECT_TRUE(c.Pausa1.enabled);  // the buttons leave the menu items alone

  f.game.Pausa1Click();
  EXPECT_TRUE(c.Avvia1.enabled);
  EXPECT_FALSE(c.Pausa1.enabled);
}

TEST(TimerTest, TickShowsHoursMinutesSecondsWithoutLeadingZeros) {
  GameFixture f;
  Game& g = f.game;
  g.Secondi = 59;
  g.SudokuTimerTimer();
  EXPECT_EQ(g.controls.LTime.caption, "0h 1m 0s");
  g.Secondi = 3724;
  g.SudokuTimerTimer();
  EXPECT_EQ(g.controls.LTime.caption, "1h 2m 5s");
  g.Secondi = 86399;
  g.SudokuTimerTimer();
  EXPECT_EQ(g.controls.LTime.caption, "24h 0m 0s");
  g.Secondi = INT32_MAX;  // the count stops at the top of its range
  g.SudokuTimerTimer();
  EXPECT_EQ(g.controls.LTime.caption, "596523h 14m 7s");

  g.SPRestartClick();  // the display keeps its text until the next tick
  EXPECT_EQ(g.Secondi, 0);
  EXPECT_TRUE(g.controls.SudokuTimer.enabled);
  EXPECT_EQ(g.controls.LTime.caption, "596523h 14m 7s");
  g.SudokuTimerTimer();
  EXPECT_EQ(g.controls.LTime.caption, "0h 0m 1s");
}

}  // namespace
}  // namespace sudoku

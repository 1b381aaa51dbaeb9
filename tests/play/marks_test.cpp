// Colour marks on open cells and the swatch that gives their colour.
#include <gtest/gtest.h>

#include "play/board_strings.h"
#include "play/fakes.h"

namespace sudoku {
namespace {

using testing::FilledRect;
using testing::GameFixture;

TEST(MarksTest, RightClickPaintsOpenCellsOnlyAndSparesTheDigit) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.board.Schema[CellIndex(0, 0)] = "15";
  g.board.Texts[CellIndex(2, 1)] = "4";

  g.sudokugridMouseDown(MouseButton::Right, 10, 10);  // a given
  g.sudokugridMouseDown(MouseButton::Left, 40, 40);   // the left button
  EXPECT_TRUE(f.effects.fills.empty());
  EXPECT_TRUE(f.effects.focused.empty());

  g.sudokugridMouseDown(MouseButton::Right, 40, 40);  // empty open cell (1, 1)
  g.sudokugridMouseDown(MouseButton::Right, 80, 40);  // filled open cell (2, 1)
  EXPECT_EQ(f.effects.fills,
            (std::vector<FilledRect>{{"sudokugrid", {37, 37, 73, 73}, {255, 255, 0}},
                                     {"sudokugrid", {94, 57, 110, 73}, {255, 255, 0}}}));
  EXPECT_EQ(f.effects.focused, (std::vector<std::string>{"ETipologia", "ETipologia"}));

  f.effects.focusAccepted = false;  // the mark goes on without the focus
  g.sudokugridMouseDown(MouseButton::Right, 40, 40);
  EXPECT_EQ(f.effects.fills.size(), 3u);
}

TEST(MarksTest, TheSelectedSwatchGivesTheColour) {
  GameFixture f;
  Game& g = f.game;
  g.AzzeraGriglia();
  g.ShRossoMouseDown();
  EXPECT_FALSE(g.controls.ShGiallo.circle);
  EXPECT_TRUE(g.controls.ShRosso.circle);
  g.sudokugridMouseDown(MouseButton::Right, 300, 300);
  ASSERT_EQ(f.effects.fills.size(), 1u);
  EXPECT_EQ(f.effects.fills[0].colour, (Rgb{255, 0, 0}));
  g.ShVerdeMouseDown();
  EXPECT_EQ(g.MarkColour(), (Rgb{0, 128, 0}));
  g.ShAquaMouseDown();
  EXPECT_EQ(g.MarkColour(), (Rgb{0, 255, 255}));
  g.controls.ShGiallo.circle = true;  // of two circles the later in yellow, green, red, aqua wins
  EXPECT_EQ(g.MarkColour(), (Rgb{0, 255, 255}));
}

}  // namespace
}  // namespace sudoku

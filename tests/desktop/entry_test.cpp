// Cell entry through real key events: the two reports of one entry, Undo, and the cursor
// skipping givens.
#include <QAction>
#include <QTest>

#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

TEST_F(ShellTest, OneTypedDigitIsReportedTwiceAndOneUndoTakesItBack) {
  LoadPuzzle();
  ClickCell(2, 0);
  ASSERT_EQ(Board().CurrentCol(), 2);

  Type(Qt::Key_4);
  EXPECT_EQ(Logic().NumStorico, 2);
  EXPECT_EQ(Logic().board.Texts[CellIndex(2, 0)], "4");
  Type(Qt::Key_Down);  // leaving the cell closes the editor: the second report
  EXPECT_EQ(Logic().NumStorico, 3);
  EXPECT_EQ(Board().CellText(2, 0), QStringLiteral("4"));
  EXPECT_TRUE(app->Window().findChild<QAction*>("Undo1")->isEnabled());

  app->Window().findChild<QAction*>("Undo1")->trigger();
  EXPECT_EQ(Logic().NumStorico, 1);
  EXPECT_EQ(Board().CellText(2, 0), QString());
  EXPECT_FALSE(app->Window().findChild<QAction*>("Undo1")->isEnabled());
}

TEST_F(ShellTest, ArrowKeysJumpOverGivensAndStopAtTheEdge) {
  LoadPuzzle();
  ClickCell(3, 0);
  Type(Qt::Key_Right);  // (4, 0) is a given
  EXPECT_EQ(Board().CurrentCol(), 5);
  EXPECT_EQ(Logic().controls.sudokugrid.col, 5);
  Type(Qt::Key_Left);
  EXPECT_EQ(Board().CurrentCol(), 3);
  ClickCell(2, 0);
  Type(Qt::Key_Left);  // (1, 0) and (0, 0) are givens up to the edge
  EXPECT_EQ(Board().CurrentCol(), 2);
  EXPECT_EQ(Board().CurrentRow(), 0);
}

TEST_F(ShellTest, AGivenNeverTakesTheEditor) {
  LoadPuzzle();  // the cursor leaves (0, 0), a given now, for the first open cell
  EXPECT_EQ(std::pair(Board().CurrentCol(), Board().CurrentRow()), std::pair(0, 2));
  Logic().controls.sudokugrid.col = Logic().controls.sudokugrid.row = 0;
  app->Binding().Sync();
  Type(Qt::Key_7);
  EXPECT_FALSE(Board().EditorOpen());
  EXPECT_EQ(Logic().board.Texts[CellIndex(0, 0)], "");
  EXPECT_EQ(Logic().NumStorico, 1);
}

}  // namespace
}  // namespace sudoku::testing

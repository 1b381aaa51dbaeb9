// What the window shows: its colours, the box borders, givens black and entries blue, and the
// colour marks of the right mouse button.
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "desktop/swatch.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

TEST_F(ShellTest, GridShowsBordersGivensInBlackAndEntriesInBlue) {
  LoadPuzzle();
  ClickCell(2, 0);
  Type(Qt::Key_4);
  Type(Qt::Key_Down);
  ClickCell(2, 8);  // keep the cursor's highlight away from the cells looked at

  const QImage window = app->Window().grab().toImage();
  const QPoint panel =
      app->Window().findChild<QWidget*>("PGridSudoku")->mapTo(&app->Window(), QPoint(5, 200));
  EXPECT_EQ(window.pixelColor(panel), QColor(255, 255, 128));

  const QImage grid = Board().grab().toImage();
  const int middleOfRow0 = 18;
  for (int x : {110, 221, 332}) EXPECT_EQ(grid.pixelColor(x, middleOfRow0), kBlack) << x;
  EXPECT_NE(grid.pixelColor(36, middleOfRow0), kBlack);  // an ordinary grid line is thin
  EXPECT_NE(grid.pixelColor(18, 73), kBlack);

  EXPECT_TRUE(CellShows(grid, 0, 0, kBlack));  // the given 5
  EXPECT_FALSE(CellShows(grid, 0, 0, kBlue));
  EXPECT_TRUE(CellShows(grid, 2, 0, kBlue));  // the entry 4
  EXPECT_FALSE(CellShows(grid, 3, 0, kBlue));
}

// The outer borders run from (1, 1) to a point one pixel further out at the far end; they
// still cover the first two rows and columns along the whole edge.
TEST_F(ShellTest, OuterBordersAreTwoPixelsThickAlongTheWholeEdge) {
  LoadPuzzle();
  for (GridView* grid : {&Board(), app->Window().Candidates()}) {
    const QImage image = grid->grab().toImage();
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(image.pixelColor(x, 0), kBlack) << x;
      ASSERT_EQ(image.pixelColor(x, 1), kBlack) << x;
    }
    for (int y = 0; y < image.height(); ++y) {
      ASSERT_EQ(image.pixelColor(0, y), kBlack) << y;
      ASSERT_EQ(image.pixelColor(1, y), kBlack) << y;
    }
    EXPECT_NE(image.pixelColor(image.width() - 20, 2), kBlack);
    EXPECT_NE(image.pixelColor(2, image.height() - 20), kBlack);
  }
}

TEST_F(ShellTest, RightClickMarksOnlyOpenCellsInTheSelectedColour) {
  LoadPuzzle();
  auto* red = app->Window().findChild<Swatch*>("ShRosso");
  QTest::mouseClick(red, Qt::LeftButton);
  EXPECT_TRUE(red->Circle());
  EXPECT_FALSE(app->Window().findChild<Swatch*>("ShGiallo")->Circle());

  ClickCell(1, 1, Qt::RightButton);  // open and empty: the whole cell
  ClickCell(0, 1, Qt::RightButton);  // a given: nothing
  ClickCell(2, 1, Qt::LeftButton);   // a left click never paints
  const QImage grid = Board().grab().toImage();
  const QRect open = Board().CellRect(1, 1);
  EXPECT_EQ(grid.pixelColor(open.topLeft() + QPoint(1, 1)), kRed);
  EXPECT_EQ(grid.pixelColor(open.center()), kRed);
  EXPECT_FALSE(CellShows(grid, 0, 1, kRed));
  EXPECT_FALSE(CellShows(grid, 2, 1, kRed));

  ClickCell(1, 1);  // selecting the cell repaints it without the mark
  EXPECT_FALSE(CellShows(Board().grab().toImage(), 1, 1, kRed));
}

TEST_F(ShellTest, RightClickOnTheCellBeingEditedMarksItsCorner) {
  LoadPuzzle();
  ClickCell(2, 0);
  Type(Qt::Key_4);
  ASSERT_TRUE(Board().EditorOpen());
  const QRect cell = Board().CellRect(2, 0);
  auto* editor = Board().findChild<QLineEdit*>();
  QTest::mouseClick(editor, Qt::RightButton, {}, editor->mapFrom(&Board(), cell.center()));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no editor menu
  const QImage grid = Board().grab().toImage();
  EXPECT_EQ(grid.pixelColor(cell.bottomRight() - QPoint(2, 2)), QColor(255, 255, 0));
  EXPECT_TRUE(CellShows(grid, 2, 0, kBlue));  // the digit stays visible
  EXPECT_EQ(Logic().board.Texts[CellIndex(2, 0)], "4");
}

TEST_F(ShellTest, MarksEndWhenTheBoardIsRewritten) {
  LoadPuzzle();
  const auto markedCells = [this] {
    const QImage grid = Board().grab().toImage();
    int marked = 0;
    for (int col = 0; col < 9; ++col) {
      for (int row = 0; row < 9; ++row) marked += CellShows(grid, col, row, QColor(255, 255, 0));
    }
    return marked;
  };
  ClickCell(2, 0);
  Type(Qt::Key_4);
  Type(Qt::Key_Down);
  ClickCell(1, 1, Qt::RightButton);
  ClickCell(2, 0, Qt::RightButton);
  ASSERT_EQ(markedCells(), 2);
  app->Window().findChild<QAction*>("Undo1")->trigger();
  EXPECT_EQ(markedCells(), 0);

  ClickCell(3, 0, Qt::RightButton);
  ASSERT_EQ(markedCells(), 1);
  app->Window().findChild<QAction*>("RicominciaPartita")->trigger();
  EXPECT_EQ(markedCells(), 0);
}

}  // namespace
}  // namespace sudoku::testing

// The grid control on its own: what its editor reports and when, where each navigation key
// asks to go, and how long a colour fill lasts.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "desktop/grid_view.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

class GridViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    grid.selectCell = [this](int col, int row) {
      asked.emplace_back(col, row);
      return !(col == 4 && row == 0);  // one cell that refuses
    };
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
  }
  // Every report of the editor as "col,row:text".
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const QList<QVariant>& r : reports) {
      out.push_back(std::to_string(r[0].toInt()) + "," + std::to_string(r[1].toInt()) + ":" +
                    r[2].toString().toStdString());
    }
    return out;
  }
  void Press(Qt::Key key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid;
    QTest::keyClick(target, key);
  }

  GridView grid{{36, 36, true}};
  QSignalSpy reports{&grid, &GridView::EditTextReported};
  std::vector<std::pair<int, int>> asked;
};

TEST_F(GridViewTest, EditorReportsEveryChangeAndOnceMoreWhenItCloses) {
  grid.SetCellText(0, 0, "5");
  Press(Qt::Key_7);  // the editor opens on the cell's text: "57"
  Press(Qt::Key_Backspace);
  Press(Qt::Key_Right);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"0,0:57", "0,0:5", "0,0:5"}));
  EXPECT_FALSE(grid.EditorOpen());

  reports.clear();
  Press(Qt::Key_Backspace);  // on a closed cell Backspace opens the editor without the digit
  Press(Qt::Key_Escape);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"1,0:", "1,0:"}));

  reports.clear();
  Press(Qt::Key_Return);  // Enter opens the editor silently and closes it with a report
  Press(Qt::Key_Return);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"1,0:"}));
}

TEST_F(GridViewTest, TextSetWhileEditingShowsInTheEditor) {
  Press(Qt::Key_3);
  grid.SetCellText(0, 0, "3");
  grid.SetCellText(0, 0, "");  // what the logic writes for an entry it refuses
  EXPECT_EQ(grid.findChild<QLineEdit*>()->text(), "");
  Press(Qt::Key_Down);
  EXPECT_EQ(Reports().back(), "0,0:");
}

TEST_F(GridViewTest, NavigationKeysAskForTheirTargetAndARefusalKeepsTheCursor) {
  grid.SetCurrent(3, 0);
  Press(Qt::Key_Right);  // (4, 0) refuses
  EXPECT_EQ(grid.CurrentCol(), 3);
  Press(Qt::Key_End);
  Press(Qt::Key_Tab);  // from the last column to the first of the next row
  Press(Qt::Key_PageDown);
  Press(Qt::Key_Home);
  Press(Qt::Key_PageUp);
  Press(Qt::Key_Up);  // at the top edge nothing is asked
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{4, 0}, {8, 0}, {0, 1}, {0, 8}, {0, 0}}));
  EXPECT_EQ(grid.CurrentCol(), 0);
  EXPECT_EQ(grid.CurrentRow(), 0);
}

TEST_F(GridViewTest, KeysReachTheLogicAsTheirWindowsCodes) {
  QSignalSpy downs(&grid, &GridView::KeyDown);
  QSignalSpy ups(&grid, &GridView::KeyUp);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Tab,
                      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_7}) {
    Press(key);
  }
  std::vector<int> codes;
  for (const QList<QVariant>& d : downs) codes.push_back(d[0].toInt());
  EXPECT_EQ(codes, (std::vector<int>{37, 38, 39, 40, 9, 33, 34, 35, 36, 55}));
  EXPECT_EQ(ups.size(), 10);  // from the grid and from its editor alike
}

TEST_F(GridViewTest, FillLastsUntilTheCellIsRedrawnForAChange) {
  const QRect corner = grid.CellRect(2, 2).adjusted(20, 20, 0, 0);
  grid.FillRect(corner, Qt::green);
  grid.SetCellText(5, 5, "1");  // another cell changes: the fill stays
  EXPECT_EQ(grid.grab().toImage().pixelColor(corner.center()), QColor(Qt::green));
  grid.SetCellText(2, 2, "9");
  EXPECT_NE(grid.grab().toImage().pixelColor(corner.center()), QColor(Qt::green));

  grid.FillRect(grid.CellRect(1, 0), Qt::red);
  grid.SetCurrent(1, 0);
  EXPECT_NE(grid.grab().toImage().pixelColor(grid.CellRect(1, 0).center()), QColor(Qt::red));
}

}  // namespace
}  // namespace sudoku::testing

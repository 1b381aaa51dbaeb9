// The keyboard alone: a library puzzle loaded with Enter on its row, a swatch chosen and a cell
// marked, a wrong digit undone, and every open cell filled by arrows and digits up to the
// congratulations.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QMenu>
#include <QSignalSpy>
#include <QTreeWidget>
#include <deque>
#include <map>

#include "desktop/swatch.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

bool IsGiven(int col, int row) {
  return kPuzzle[std::size_t(row * 9 + col)] != '.';
}

class KeyboardTest : public ShellTest {
 protected:
  QString Focused() const {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
  }
  // Tab until the named widget has the focus, within a round of the window.
  bool TabTo(const char* name, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (int i = 0; i < 80 && Focused() != QLatin1String(name); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
    }
    return Focused() == QLatin1String(name);
  }
  // The arrow keys that take the cursor to (col, row), found over the board as the player sees
  // it: an arrow onto a given runs on over the givens that way, and stays put at the edge.
  std::vector<Qt::Key> Route(int col, int row) {
    const std::pair<Qt::Key, std::pair<int, int>> arrows[] = {{Qt::Key_Left, {-1, 0}},
                                                              {Qt::Key_Right, {1, 0}},
                                                              {Qt::Key_Up, {0, -1}},
                                                              {Qt::Key_Down, {0, 1}}};
    using Cell = std::pair<int, int>;
    const Cell start(Board().CurrentCol(), Board().CurrentRow());
    std::map<Cell, std::pair<Cell, Qt::Key>> cameFrom{{start, {start, Qt::Key_unknown}}};
    std::deque<Cell> queue{start};
    while (!queue.empty() && !cameFrom.contains({col, row})) {
      const Cell at = queue.front();
      queue.pop_front();
      for (const auto& [key, step] : arrows) {
        Cell to = at;
        do {
          to = {to.first + step.first, to.second + step.second};
        } while (to.first >= 0 && to.first < 9 && to.second >= 0 && to.second < 9 &&
                 IsGiven(to.first, to.second));
        if (to.first < 0 || to.first > 8 || to.second < 0 || to.second > 8) continue;
        if (cameFrom.emplace(to, std::pair(at, key)).second) queue.push_back(to);
      }
    }
    std::vector<Qt::Key> keys;
    for (Cell at(col, row); at != start; at = cameFrom.at(at).first) {
      keys.insert(keys.begin(), cameFrom.at(at).second);
    }
    return keys;
  }
  void MoveTo(int col, int row) {
    for (Qt::Key key : Route(col, row)) Press(key);
    ASSERT_EQ(std::pair(Board().CurrentCol(), Board().CurrentRow()), std::pair(col, row));
  }
};

TEST_F(KeyboardTest, ALibraryPuzzleIsLoadedMarkedUndoneAndSolvedWithKeysAlone) {
  ShowWindow();
  ASSERT_EQ(Focused(), "sudokugrid");
  Press(Qt::Key_F10);  // the menus open from the keyboard too
  EXPECT_NE(qobject_cast<QMenu*>(QApplication::activePopupWidget()), nullptr);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // and the menu bar lets go
  ASSERT_EQ(Focused(), "sudokugrid");

  Press(Qt::Key_Tab, Qt::ControlModifier);  // out of the grid, whose Tab moves the cursor
  ASSERT_TRUE(TabTo("LVsudoku"));
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  ASSERT_EQ(Logic().Storico.NumStorico(), 1) << "the puzzle was not loaded";
  ASSERT_TRUE(TabTo("sudokugrid"));
  // Undo lives in the puzzle menu, which a registered player has.
  app->Binding().Run([&] { Logic().controls.Opzioni1.enabled = true; });

  // The red swatch, next but one after the grid, chosen with Space; Ctrl+M marks with it.
  Press(Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_TRUE(TabTo("ShRosso"));
  Press(Qt::Key_Space);
  EXPECT_TRUE(Find<Swatch>("ShRosso")->Circle());
  ASSERT_TRUE(TabTo("sudokugrid", Qt::ShiftModifier));
  MoveTo(2, 0);
  Press(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(Board().MarkOf(2, 0), QColor(255, 0, 0));
  EXPECT_EQ(Focused(), "sudokugrid");

  Press(Qt::Key_9);  // wrong: the cell holds 4
  ASSERT_EQ(Logic().board.Texts[CellIndex(2, 0)], "9");
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Logic().board.Texts[CellIndex(2, 0)], "");

  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      if (IsGiven(col, row)) continue;
      MoveTo(col, row);
      Press(Qt::Key(Qt::Key_0 + (kSolved[std::size_t(row * 9 + col)] - '0')));
    }
  }
  EXPECT_THAT(dialogs.messages, ::testing::Contains(ShownMessage{
                                    BoxKind::Information, "Complimenti!\n\rPuzzle Risolto"}));
}

// The challenge's message: reached by Tab, sent with Ctrl+Enter, left by Tab for the send button,
// which shows that it has the focus.
TEST_F(KeyboardTest, TheMessageIsReachedSentAndLeftWithKeys) {
  LoadPuzzle();
  app->Binding().Run([&] { Logic().controls.SBInviaMsg.enabled = true; });
  auto* send = Find<QAbstractButton>("SBInviaMsg");
  // Only the press is looked at: offline the sending itself would wait for the site.
  QObject::disconnect(send, &QAbstractButton::clicked, nullptr, nullptr);
  QSignalSpy sent(send, &QAbstractButton::clicked);
  Board().setFocus();
  Press(Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_TRUE(TabTo("MInviamsgsfida"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ciao"));
  Press(Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(sent.count(), 1);
  EXPECT_EQ(Logic().controls.MInviamsgsfida.lines, std::vector<std::string>{"ciao"});
  const QImage unfocused = send->grab().toImage();
  Press(Qt::Key_Tab);
  EXPECT_EQ(Focused(), "SBInviaMsg");
  EXPECT_NE(send->grab().toImage(), unfocused) << "the focus does not show";
}

}  // namespace
}  // namespace sudoku::testing

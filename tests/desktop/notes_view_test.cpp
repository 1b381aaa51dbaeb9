// Pencil marks on the real window: Ctrl with a digit and note mode, the notes drawn grey in
// their thirds of the cell, under the colour marks and never over a digit, and repeated entries
// painted red while they are typed.
#include <cstdlib>

#include "desktop/swatch.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

class NotesViewTest : public ShellTest {
 protected:
  // Whether the third of the cell where digit's note sits shows the colour.
  bool ThirdShows(const QImage& image, int col, int row, int digit, const QColor& colour) {
    const QRect cell = Board().CellRect(col, row);
    return Shows(image,
                 {cell.left() + (digit - 1) % 3 * 12, cell.top() + (digit - 1) / 3 * 12, 12, 12},
                 colour, 30);
  }
  std::uint16_t Bits(std::initializer_list<int> digits) {
    std::uint16_t mask = 0;
    for (int d : digits) mask |= std::uint16_t(1u << d);
    return mask;
  }
};

TEST_F(NotesViewTest, NotesAreGreyInTheirThirdsUnderMarksAndNeverOverADigit) {
  LoadPuzzle();  // row 0: 5 3 . . 7 . . . .
  ClickCell(2, 0);
  Press(Qt::Key_4, Qt::ControlModifier);
  Press(Qt::Key_9, Qt::ControlModifier);
  EXPECT_FALSE(Board().EditorOpen());
  ClickCell(3, 0);
  Press(Qt::Key_6);  // an ordinary entry
  Press(Qt::Key_N, Qt::ControlModifier);
  ASSERT_TRUE(Logic().controls.ModalitaNote1.checked);
  ClickCell(6, 0);
  Press(Qt::Key_2);  // note mode: a plain digit is a note
  EXPECT_EQ(Logic().NotesShown(2, 0), Bits({4, 9}));
  EXPECT_EQ(Logic().NotesShown(6, 0), Bits({2}));
  EXPECT_EQ(Logic().board.Texts[CellIndex(3, 0)], "6");
  Find("ModalitaNote1")->trigger();
  EXPECT_FALSE(Logic().controls.ModalitaNote1.checked);

  // Notes put under a given and an entry behind the logic's back still do not show.
  Logic().Note.Set(0, 0, Bits({3, 6, 9}));
  Logic().Note.Set(3, 0, Bits({3, 6, 9}));
  ClickCell(2, 8);  // the cursor's highlight away from the cells looked at
  QImage grid = Board().grab().toImage();
  EXPECT_TRUE(ThirdShows(grid, 2, 0, 4, kGrey) && ThirdShows(grid, 2, 0, 9, kGrey));
  for (int digit : {1, 2, 3, 5, 6, 7, 8})
    EXPECT_FALSE(ThirdShows(grid, 2, 0, digit, kGrey)) << digit;
  EXPECT_TRUE(ThirdShows(grid, 6, 0, 2, kGrey));
  for (int digit : {3, 6, 9}) {
    EXPECT_FALSE(ThirdShows(grid, 0, 0, digit, kGrey)) << digit;
    EXPECT_FALSE(ThirdShows(grid, 3, 0, digit, kGrey)) << digit;
  }

  QTest::mouseClick(Find<Swatch>("ShRosso"), Qt::LeftButton);
  ClickCell(2, 0, Qt::RightButton);
  grid = Board().grab().toImage();
  EXPECT_FALSE(ThirdShows(grid, 2, 0, 4, kGrey));  // the mark covers the notes
  EXPECT_TRUE(ThirdShows(grid, 2, 0, 4, kRed));
}

TEST_F(NotesViewTest, RepeatedEntriesTurnRedAsTheyAreTypedAndTheItemsFollowTheLanguage) {
  LoadPuzzle();
  EXPECT_EQ(Find("ModalitaNote1")->text(), QString::fromUtf8("Modalità note"));
  Find("RipetizioniRosse1")->trigger();
  ASSERT_TRUE(Logic().controls.RipetizioniRosse1.checked);
  ClickCell(3, 0);
  Press(Qt::Key_5);  // the given 5 is in its row
  ASSERT_TRUE(Board().EditorOpen());
  const QRect cell = Board().CellRect(3, 0);
  const auto shows = [&](const QColor& colour) {
    return Shows(Board().grab().toImage(), cell, colour, 1);
  };
  EXPECT_TRUE(shows(kRed) && !shows(kBlue));
  Press(Qt::Key_Backspace);
  Press(Qt::Key_6);  // no repeat: blue again
  EXPECT_TRUE(shows(kBlue) && !shows(kRed));
  Press(Qt::Key_Down);
  Find("RipetizioniRosse1")->trigger();
  ClickCell(5, 0);
  Press(Qt::Key_5);
  Press(Qt::Key_Down);
  EXPECT_TRUE(CellShows(Board().grab().toImage(), 5, 0, kBlue));  // the option is off

  Find("menulingua")->trigger();
  EXPECT_EQ(Find("ModalitaNote1")->text(), "Notes mode");
  EXPECT_EQ(Find("RiempiNote1")->text(), "Fill notes");

  // SUDOKU_NOTES_SHOT names a PNG file that receives a board with notes (for the README).
  if (const char* shot = std::getenv("SUDOKU_NOTES_SHOT")) {
    app->Binding().Run([this] {
      Logic().controls.LVsudoku.selected = 0;
      Logic().RicominciaPartitaClick();
    });
    for (auto [col, row, key] : {std::tuple(2, 0, Qt::Key_4), std::tuple(3, 0, Qt::Key_6)}) {
      ClickCell(col, row);
      Press(key);
    }
    app->Binding().Run([this] { Logic().RiempiNote1Click(); });
    ClickCell(4, 4);
    app->Window().grab().save(shot);
  }
}

}  // namespace
}  // namespace sudoku::testing

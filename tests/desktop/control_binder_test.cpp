// The binder between the control model and the real window's widgets: each kind of entry
// reaches its widget, and only what the model changed moves.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "desktop/control_binder.h"
#include "desktop/fonts.h"
#include "desktop/tfsudoku.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

class ControlBinderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  template <class W>
  W* Widget(const char* name) {
    return window.findChild<W*>(QString::fromLatin1(name));
  }

  Controls controls;
  TFsudoku window{{false, nullptr}};
  ControlBinder binder{&window, controls};
};

TEST_F(ControlBinderTest, CaptionsShowTheirTagsInsteadOfReadingThemAsMarkup) {
  const char* caption =
      "Puzzle <b>n\xB0"
      "1</b> by <i>me</i>";
  controls.LTitle.caption = caption;
  binder.Sync();
  auto* title = Widget<QLabel>("LTitle");
  EXPECT_GE(title->sizeHint().width(),
            QFontMetrics(title->font()).horizontalAdvance(QString::fromLatin1(caption)));
}

TEST_F(ControlBinderTest, ListRowsAndSelectionFollowTheModel) {
  controls.LVsudoku.rows = {{"a.tema", {"1", "05-03-2009", "25", "2", "\xAE", "7,5"}},
                            {"b.tema", {"2", "", "", "", "", ""}}};
  controls.LVsudoku.selected = 1;
  binder.Sync();
  auto* list = Widget<QTreeWidget>("LVsudoku");
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(5), QString::fromUtf8("®"));
  EXPECT_EQ(list->topLevelItem(0)->textAlignment(5), Qt::AlignCenter);
  EXPECT_TRUE(list->topLevelItem(1)->isSelected());

  controls.LVsudoku.selected = -1;
  controls.LVsudoku.rows.pop_back();
  binder.Sync();
  EXPECT_EQ(list->topLevelItemCount(), 1);
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(ControlBinderTest, FilterControlsTakeItemsAndSelections) {
  controls.CBMese.items = {"00", "01", "02"};
  controls.CBMese.itemIndex = 2;
  controls.RGnbase.itemIndex = 3;
  controls.RBSimmetrici.checked = true;
  binder.Sync();
  EXPECT_EQ(Widget<QComboBox>("CBMese")->currentText(), "02");
  auto* group = Widget<QGroupBox>("RGnbase");
  EXPECT_TRUE(group->findChildren<QRadioButton*>()[3]->isChecked());
  EXPECT_TRUE(Widget<QRadioButton>("RBSimmetrici")->isChecked());

  controls.RGnbase.itemIndex = -1;  // no item at all: radio buttons cannot do that alone
  controls.RBSimmetrici.checked = false;
  binder.Sync();
  for (QRadioButton* item : group->findChildren<QRadioButton*>()) EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(Widget<QRadioButton>("RBSimmetrici")->isChecked());
}

TEST_F(ControlBinderTest, PlacesMoveOnlyWhenTheModelMovesThem) {
  auto* bar = Widget<QWidget>("toolbarColori");
  const QPoint laidOut = bar->pos();
  binder.Sync();
  EXPECT_EQ(bar->pos(), laidOut);  // the model's untouched 0, 0 is no place

  controls.lpos.left = 100;
  controls.lpos.top = 40;
  controls.lpos.visible = true;
  controls.lpos.caption = "2356";
  binder.Sync();
  auto* hover = Widget<QLabel>("lpos");
  EXPECT_EQ(hover->pos(), QPoint(100, 40));
  EXPECT_FALSE(hover->isHidden());
  EXPECT_EQ(hover->text(), "2356");
}

TEST_F(ControlBinderTest, SheetsProgressAndTimersFollowTheModel) {
  controls.TSInfo.caption = "Puzzle Information&Solution";
  controls.PageControl1.activePage = "TSHelp";
  controls.ProgressBar1 = {true, 60, 5};
  controls.SudokuTimer.enabled = true;
  binder.Sync();
  auto* tabs = Widget<QTabWidget>("PageControl1");
  EXPECT_EQ(tabs->tabText(1), "Puzzle Information&Solution");
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSHelp");
  auto* progress = Widget<QProgressBar>("ProgressBar1");
  EXPECT_FALSE(progress->isHidden());
  EXPECT_EQ(progress->maximum(), 60);
  EXPECT_EQ(progress->value(), 5);
  EXPECT_TRUE(binder.TimerOf("SudokuTimer")->isActive());
}

}  // namespace
}  // namespace sudoku::testing

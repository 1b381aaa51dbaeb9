// Controls whose state the logic drives through the binding: the tab guard, the hover panel of
// candidates and the real game timer.
#include <QAction>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

#include "desktop/tab_control.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

void ClickTab(QTabWidget* tabs, int index) {
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

TEST_F(ShellTest, UserCannotLeaveTheSelectionTabWhileTheSchemaMenuIsDisabled) {
  LoadPuzzle();
  auto* tabs = app->Window().findChild<QTabWidget*>("PageControl1");
  ASSERT_FALSE(app->Window().findChild<QAction*>("Opzioni1")->isEnabled());
  ClickTab(tabs, 1);
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSSudokuFile");

  app->Window().findChild<QAction*>("MostraTuttiiCandidati1")->trigger();
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSHelp");
  EXPECT_EQ(Logic().controls.PageControl1.activePage, "TSHelp");
  ClickTab(tabs, 0);
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSSudokuFile");
  EXPECT_EQ(Logic().controls.PageControl1.activePage, "TSSudokuFile");
}

TEST_F(ShellTest, TheGuardAlsoHoldsForTheTabKeysAndTheMnemonicOfACaption) {
  LoadPuzzle();
  auto* tabs = app->Window().findChild<QTabWidget*>("PageControl1");
  app->Window().findChild<QAction*>("menulingua")->trigger();  // "Puzzle Information&Solution"
  QTest::keyClick(&app->Window(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSSudokuFile");

  Logic().controls.PageControl1.activePage = "TSInfo";
  app->Binding().Sync();
  QWidget* field = app->Window().findChild<QWidget*>("ETipologia");
  field->setFocus();
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_PageDown, Qt::Key_PageUp}) {
    QTest::keyClick(field, key, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentWidget()->objectName(), "TSInfo") << key;
  }
}

TEST_F(ShellTest, HoverPanelShowsTheCandidatesAboveTheCellUnderThePointer) {
  LoadPuzzle();
  Logic().controls.MostraCandidati.checked = true;
  auto* hover = app->Window().findChild<QLabel*>("lpos");
  QTest::mouseMove(&Board(), Board().CellRect(2, 0).center());
  ASSERT_TRUE(hover->isVisible());
  EXPECT_EQ(hover->text(), "124");
  EXPECT_EQ(hover->pos(), QPoint(37 * 2 + 21 - 9, 52 - 20));

  QTest::mouseMove(&Board(), QPoint(1, 40));
  EXPECT_FALSE(hover->isVisible());
}

TEST_F(ShellTest, TheReplayedStepIsExplainedUnderTheGrid) {
  LoadPuzzle();
  Logic().SoluzionePassoPasso1Click();
  app->Binding().Sync();
  app->Window().findChild<QToolButton*>("BAvanti")->click();
  app->Binding().Sync();
  auto* line = app->Window().findChild<QLabel*>("LSpiegazione");
  ASSERT_TRUE(line->isVisible());
  EXPECT_EQ(line->text(), QString::fromLatin1(ExplainStep(Logic().steps.Passi[1], false).c_str()));
  EXPECT_GT(line->mapTo(&app->Window(), QPoint(0, 0)).y(),
            Board().mapTo(&app->Window(), QPoint(0, Board().height())).y());
  // SUDOKU_SHOT names a PNG file that receives the window as it is now (for the README).
  if (const char* shot = std::getenv("SUDOKU_SHOT")) app->Window().grab().save(shot);
}

TEST_F(ShellTest, GameTimerRunsWhileTheGameIsTimed) {
  LoadPuzzle();
  auto* timer = app->Window().findChild<QTimer*>("SudokuTimer");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());  // a load restarts the timer
  EXPECT_EQ(timer->interval(), 1000);
  app->Window().findChild<QAction*>("Pausa1")->trigger();
  EXPECT_FALSE(timer->isActive());

  Logic().Secondi = 3724;
  app->Window().findChild<QAction*>("Avvia1")->trigger();
  auto* time = app->Window().findChild<QLabel*>("LTime");
  for (int waited = 0; waited < 10000 && time->text() == "0h 0m 0s"; waited += 50) {
    QTest::qWait(50);
  }
  EXPECT_EQ(time->text(), "1h 2m 5s");
}

}  // namespace
}  // namespace sudoku::testing

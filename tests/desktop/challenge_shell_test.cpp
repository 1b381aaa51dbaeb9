// The challenge handlers meet the window: every handler is fired by a control of that name, the
// dialogue shows received lines indented, flashed digits stay visible, and the long pauses let
// the window go on.
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include "desktop/challenge_handlers.h"
#include "desktop/qt_painting_pause.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

class ChallengeShellTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Build();
  }
};

TEST_F(ChallengeShellTest, EveryChallengeHandlerHasItsControl) {
  Handlers handlers;
  AddChallengeHandlers(app->Challenge(), handlers);
  ControlBinder& binder = app->Binding().Binder();
  for (const auto& [event, handler] : handlers.plain) {
    const bool timer = event.ends_with("Timer");
    const std::string control = event.substr(0, event.size() - 5);
    EXPECT_TRUE(timer ? binder.TimerOf(control) != nullptr : binder.Find(control) != nullptr)
        << event;
  }
}

TEST_F(ChallengeShellTest, ReceivedLinesAreIndentedInTheDialogue) {
  app->Binding().Run([this] {
    Memo& dialogue = Logic().controls.REDialogo;
    dialogue.lines = {">io: ciao", ">tu: ciao a te"};
    dialogue.indents = {0, 10};
  });
  auto* shown = qobject_cast<QTextEdit*>(app->Binding().Binder().Find("REDialogo"));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->toPlainText(), QStringLiteral(">io: ciao\n>tu: ciao a te"));
  EXPECT_EQ(shown->document()->begin().blockFormat().textIndent(), 0);
  EXPECT_EQ(shown->document()->begin().next().blockFormat().textIndent(), 10);
}

TEST_F(ChallengeShellTest, AFlashEndingInTheWindowColourLeavesTheDigitShown) {
  GridView& grid = *app->Window().Board();
  grid.SetCellText(3, 3, "8");
  const QImage before = grid.grab().toImage().copy(grid.CellRect(3, 3));
  grid.FillRect(grid.CellRect(3, 3), Qt::red);
  grid.FillRect(grid.CellRect(3, 3), Qt::white);
  EXPECT_EQ(grid.grab().toImage().copy(grid.CellRect(3, 3)), before);
}

TEST_F(ChallengeShellTest, TheLongPauseKeepsTheEventLoopRunning) {
  bool ticked = false;
  QTimer::singleShot(0, [&ticked] { ticked = true; });
  QtPaintingPause({}).Wait(100);
  EXPECT_TRUE(ticked);
}

}  // namespace
}  // namespace sudoku::testing

// Building and driving the offscreen window for the shell tests.
#include "shell_fixture.h"

#include <QTest>

#include "play/puzzle_files.h"

namespace sudoku::testing {

void ShellTest::SetUpTestSuite() {
  EnsureApplication();
}

void ShellTest::SetUp() {
  base = folder.path().toStdString();
  std::filesystem::create_directories(base / "temi");
  WritePuzzle(base / "temi" / "0001-puzzle_12-5-08.tema", kPuzzle);
  settingsFile = folder.filePath(QStringLiteral("settings.ini"));
  settings = std::make_unique<QtSettingsStore>(settingsFile);
}

void ShellTest::TearDown() {
  app.reset();
  QApplication::processEvents();
}

void ShellTest::SeedBrowserSettings() {
  settings->Write(kBrowserMainKey, kDebuggerValue, "no");
  settings->Write(kBrowserMainKey, kDebuggerIEValue, "maybe");
  settings->Write(kNavigationSoundKey, kDefaultValue, "ding.wav");
}

void ShellTest::Build() {
  ShellOptions options;
  options.browsers = false;
  options.dialogs = &dialogs;
  options.settings = settings.get();
  app = std::make_unique<DesktopApp>(options);
}

void ShellTest::LoadPuzzle() {
  Build();
  app->Create(base);
  app->Show();
  QApplication::setActiveWindow(&app->Window());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->Window()));
  ASSERT_EQ(Logic().controls.LVsudoku.rows.size(), 1u);
  Logic().controls.LVsudoku.selected = 0;
  app->Binding().Fire("LVsudokuDblClick");
  ASSERT_EQ(Logic().NumStorico, 1);
}

void ShellTest::ClickCell(int col, int row, Qt::MouseButton button) {
  QTest::mouseClick(&Board(), button, Qt::NoModifier, Board().CellRect(col, row).center());
}

void ShellTest::Type(int key) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Board();
  QTest::keyClick(target, static_cast<Qt::Key>(key));
}

bool ShellTest::CellShows(const QImage& image, int col, int row, const QColor& colour) {
  const QRect cell = Board().CellRect(col, row);
  for (int x = cell.left(); x <= cell.right(); ++x) {
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) < 40 &&
          std::abs(pixel.green() - colour.green()) < 40 &&
          std::abs(pixel.blue() - colour.blue()) < 40) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace sudoku::testing

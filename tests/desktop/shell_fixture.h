// The real main window built offscreen without web panes, over fake boxes and a settings file
// in a scratch folder that is also CartellaBase, with one puzzle in its library: kPuzzle, whose
// row 0 holds givens at columns 0, 1 and 4.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "desktop/desktop_app.h"
#include "desktop/grid_view.h"
#include "desktop/offscreen_application.h"
#include "desktop/qt_settings_store.h"
#include "online/browser_settings.h"
#include "play/fakes.h"
#include "play/puzzle_files.h"

namespace sudoku::testing {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

class ShellTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    base = folder.path().toStdString();
    std::filesystem::create_directories(base / "temi");
    WritePuzzle(base / "temi" / "0001-puzzle_12-5-08.tema", kPuzzle);
    settingsFile = folder.filePath(QStringLiteral("settings.ini"));
    settings = std::make_unique<QtSettingsStore>(settingsFile);
  }
  void TearDown() override {
    app.reset();
    QApplication::processEvents();
  }

  // The app over the fakes, neither created nor shown.
  void Build() {
    ShellOptions options;
    options.browsers = false;
    options.dialogs = &dialogs;
    options.settings = settings.get();
    app = std::make_unique<DesktopApp>(options);
  }
  // Builds (unless built), creates and shows the window, active.
  void ShowWindow() {
    if (!app) Build();
    app->Create(base);
    app->Show();
    QApplication::setActiveWindow(&app->Window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->Window()));
  }
  // Shows the window, lists the library and double-clicks its only puzzle.
  void LoadPuzzle() {
    ShowWindow();
    Logic().controls.LVsudoku.selected = 0;
    app->Binding().Fire("LVsudokuDblClick");
    ASSERT_EQ(Logic().Storico.NumStorico(), 1);
  }
  void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&Board(), button, Qt::NoModifier, Board().CellRect(col, row).center());
  }
  // A key to the focused widget, or to the board when nothing has the focus.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Board();
    QTest::keyClick(target, key, modifiers);
  }
  // True when some pixel of the rectangle differs from the colour by less than tolerance in
  // each channel (1: exactly the colour).
  static bool Shows(const QImage& image, const QRect& rect, const QColor& colour,
                    int tolerance = 40) {
    const QImage part = image.copy(rect);
    for (int i = 0; i < part.width() * part.height(); ++i) {
      const QColor p = part.pixelColor(i % part.width(), i / part.width());
      if (std::abs(p.red() - colour.red()) < tolerance &&
          std::abs(p.green() - colour.green()) < tolerance &&
          std::abs(p.blue() - colour.blue()) < tolerance)
        return true;
    }
    return false;
  }
  bool CellShows(const QImage& image, int col, int row, const QColor& colour) {
    return Shows(image, Board().CellRect(col, row), colour);
  }
  template <class W = QAction>
  W* Find(const char* name) {
    return app->Window().findChild<W*>(QString::fromLatin1(name));
  }
  GridView& Board() { return *app->Window().Board(); }
  Game& Logic() { return app->Logic(); }

  QTemporaryDir folder;
  std::filesystem::path base;
  QString settingsFile;
  FakeDialogs dialogs;
  std::unique_ptr<QtSettingsStore> settings;
  std::unique_ptr<DesktopApp> app;
};

}  // namespace sudoku::testing

// The real main window built offscreen without web panes, over fake boxes and a settings file
// in a scratch folder that is also CartellaBase, with one puzzle in its library: kPuzzle, whose
// row 0 holds givens at columns 0, 1 and 4.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "desktop/desktop_app.h"
#include "desktop/grid_view.h"
#include "desktop/offscreen_application.h"
#include "desktop/qt_settings_store.h"
#include "online/browser_settings.h"
#include "play/fakes.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace sudoku::testing {

class ShellTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Writes the three browser values the program saves at start and restores at close.
  void SeedBrowserSettings();
  // The app over the fakes, neither created nor shown.
  void Build();
  // Builds, shows, lists the library and double-clicks its only puzzle.
  void LoadPuzzle();
  // A left click on a cell of the board.
  void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton);
  void Type(int key);
  // True when some pixel of the cell's rectangle is close to the colour.
  bool CellShows(const QImage& image, int col, int row, const QColor& colour);

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

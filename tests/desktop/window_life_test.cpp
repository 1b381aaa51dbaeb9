// The language item and the close of the main window, through the real widgets.
#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

QString TabText(QWidget& window, const char* tabs, int index) {
  return window.findChild<QTabWidget*>(tabs)->tabText(index);
}

TEST_F(ShellTest, LanguageItemFlipsCaptionsAndBack) {
  LoadPuzzle();
  QWidget& window = app->Window();
  auto* language = window.findChild<QAction*>("menulingua");
  EXPECT_EQ(window.findChild<QAction*>("ScaricaSchemaweb1")->text(), "Raccolta Schemi (web)");

  language->trigger();
  EXPECT_EQ(language->text(), "IT");
  EXPECT_EQ(language->toolTip(), "Versione Italiana");
  EXPECT_EQ(window.findChild<QAction*>("Opzioni1")->text(), "Puzzle");
  EXPECT_EQ(window.findChild<QAction*>("SuggerisciNumero")->text(), "Suggerisci Numero");
  EXPECT_EQ(TabText(window, "PageControl1", 1), "Puzzle Information&Solution");

  language->trigger();
  EXPECT_EQ(language->text(), "EN");
  EXPECT_EQ(window.findChild<QAction*>("Opzioni1")->text(), "Schema");
  EXPECT_EQ(window.findChild<QAction*>("ScaricaSchemaweb1")->text(), "Scarica Schema (web)");
  EXPECT_EQ(window.findChild<QAction*>("Seganalanosoluzioni")->text(), "Segnala 0 Soluzioni");
  EXPECT_EQ(TabText(window, "PageControl1", 1), "Info Schema & Soluzione");
}

// Qt's own texts, such as the standard buttons of the boxes, follow the language item.
TEST_F(ShellTest, QtTextsFollowTheLanguage) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qt_it.qm")) {
    GTEST_SKIP() << "the system has no Italian catalogue of Qt (qt6-translations-l10n)";
  }
  LoadPuzzle();
  const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
  EXPECT_EQ(yes(), QString::fromUtf8("&S\u00ec"));
  app->Window().findChild<QAction*>("menulingua")->trigger();
  EXPECT_EQ(yes(), "&Yes");
  app->Window().findChild<QAction*>("menulingua")->trigger();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annulla");
}

TEST_F(ShellTest, MenuBarHoldsTheMenusInOrderWithThePlayingAidsUnderHelp) {
  LoadPuzzle();
  QStringList menus;
  for (QAction* menu : app->Window().menuBar()->actions()) menus << menu->objectName();
  EXPECT_EQ(menus, QStringList({"Sudoku1", "Opzioni1", "CreaSudoku1", "sfida", "menuhelp"}));
  QStringList help;
  for (QAction* item : app->Window().findChild<QAction*>("menuhelp")->menu()->actions()) {
    if (!item->isSeparator()) help << item->objectName();
  }
  EXPECT_EQ(help, QStringList({"MostraCandidati", "MostraTuttiiCandidati1", "EvidenziaErrore",
                               "Seganalanosoluzioni", "About"}));
}

// The menu bar's captions arrive after the window is built; the window still fits it and the
// whole client below it, in either language.
TEST_F(ShellTest, WindowFitsTheMenuBarAndTheWholeClient) {
  LoadPuzzle();
  QMainWindow& window = app->Window();
  const auto fits = [&window] {
    QApplication::processEvents();
    const QRect client = window.centralWidget()->geometry();
    return client.top() == window.menuBar()->height() && client.bottom() + 1 == window.height() &&
           client.size() == QSize(1018, 684);
  };
  EXPECT_TRUE(fits());
  window.findChild<QAction*>("menulingua")->trigger();
  EXPECT_TRUE(fits());
}

TEST_F(ShellTest, ExitClosesTheWindowAndWritesTheBrowserSettingsBack) {
  EXPECT_EQ(settings->Read(kBrowserMainKey, kDebuggerValue), std::nullopt);
  SeedBrowserSettings();
  LoadPuzzle();
  QtSettingsStore during(settingsFile);  // each value is kept per key, an empty one too
  EXPECT_EQ(during.Read(kBrowserMainKey, kDebuggerValue), "yes");
  EXPECT_EQ(during.Read(kNavigationSoundKey, kDefaultValue), "");
  EXPECT_EQ(during.Read(kNavigationSoundKey, "other"), std::nullopt);

  app->Window().findChild<QAction*>("EXIT1")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(app->Window().isVisible());
  QtSettingsStore reread(settingsFile);
  EXPECT_EQ(reread.Read(kBrowserMainKey, kDebuggerValue), "no");
  EXPECT_EQ(reread.Read(kBrowserMainKey, kDebuggerIEValue), "maybe");
  EXPECT_EQ(reread.Read(kNavigationSoundKey, kDefaultValue), "ding.wav");
}

}  // namespace
}  // namespace sudoku::testing

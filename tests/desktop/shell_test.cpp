// The desktop shell offscreen, driven with key and mouse events: the grid control and the control
// binder on their own, then the real window (its place, menus and languages, entry and Undo, what
// the grid shows and the colour marks, the controls the logic drives, the ports, the WebEngine
// pane, the challenge additions and the exit).
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QWebEngineProfile>
#include <cstdlib>

#include "desktop/qt_dialogs.h"
#include "desktop/qt_painting_pause.h"
#include "desktop/swatch.h"
#include "desktop/tfabout.h"
#include "desktop/web_pane.h"
#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

// A grid control of its own, shown and focused, whose cell (4, 0) refuses to become current;
// the cells asked for and the editor's reports, as "col,row:text", are kept.
class GridTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    grid.selectCell = [this](int col, int row) {
      asked.emplace_back(col, row);
      return !(col == 4 && row == 0);
    };
    QObject::connect(&grid, &GridView::EditTextReported, [this](int col, int row, QString text) {
      reports.push_back(std::to_string(col) + "," + std::to_string(row) + ":" + text.toStdString());
    });
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
  }
  GridView grid{{36, 36, true}};
  std::vector<std::string> reports;
  std::vector<std::pair<int, int>> asked;
};

TEST_F(GridTest, EditorReportsEveryChangeAndOnceMoreWhenItCloses) {
  grid.SetCellText(0, 0, "5");
  Press(Qt::Key_7);  // the editor opens on the cell's text: "57"
  Press(Qt::Key_Backspace);
  grid.SetCellText(0, 0, "");  // what the logic writes for an entry it refuses
  EXPECT_EQ(grid.findChild<QLineEdit*>()->text(), "");
  Press(Qt::Key_Right);
  EXPECT_EQ(reports, (std::vector<std::string>{"0,0:57", "0,0:5", "0,0:"}));

  reports.clear();
  grid.SetCellText(1, 0, "8");
  // On a closed cell Backspace opens the editor without the digit; Enter opens it on the text
  // silently and closes it with a report.
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return})
    Press(key);
  EXPECT_EQ(reports, (std::vector<std::string>{"1,0:", "1,0:", "1,0:8"}));
}

TEST_F(GridTest, ACellRefusedForEditingNeverOpensTheEditorAndDeleteClearsAnOpenOne) {
  grid.mayEdit = [](int col, int row) { return !(col == 0 && row == 0); };
  for (Qt::Key key : {Qt::Key_7, Qt::Key_Return, Qt::Key_F2, Qt::Key_Backspace, Qt::Key_Delete})
    Press(key);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(0, 0).center());
  EXPECT_FALSE(grid.EditorOpen());
  EXPECT_TRUE(reports.empty());
  Press(Qt::Key_Down);
  grid.SetCellText(0, 1, "5");
  // An open cell: Delete clears it, the editor closed or open.
  for (Qt::Key key : {Qt::Key_Delete, Qt::Key_6, Qt::Key_Delete}) Press(key);
  EXPECT_EQ(reports, (std::vector<std::string>{"0,1:", "0,1:6", "0,1:"}));
}

TEST_F(GridTest, NavigationKeysAskForTheirTargetAndReachTheLogicByName) {
  QSignalSpy downs(&grid, &GridView::KeyDown);
  grid.SetCurrent(3, 0);
  Press(Qt::Key_Right);  // (4, 0) refuses
  EXPECT_EQ(grid.CurrentCol(), 3);
  // Tab goes from the last column to the first of the next row; at the top edge Up asks nothing.
  for (Qt::Key key : {Qt::Key_End, Qt::Key_Tab, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_PageUp,
                      Qt::Key_Up, Qt::Key_Left, Qt::Key_Down})
    Press(key);
  EXPECT_EQ(asked,
            (std::vector<std::pair<int, int>>{{4, 0}, {8, 0}, {0, 1}, {0, 8}, {0, 0}, {0, 1}}));
  std::vector<KeyCode> codes;
  for (const QList<QVariant>& d : downs) codes.push_back(d[0].value<KeyCode>());
  EXPECT_EQ(codes, (std::vector<KeyCode>{kKeyRight, kKeyEnd, kKeyTab, kKeyPageDown, kKeyHome,
                                         kKeyPageUp, kKeyUp, kKeyLeft, kKeyDown}));
}

TEST_F(GridTest, FillLastsUntilTheCellIsRedrawnForAChange) {
  const auto shows = [this](int col, int row, const QColor& colour) {
    return grid.grab().toImage().pixelColor(grid.CellRect(col, row).center()) == colour;
  };
  grid.FillRect(grid.CellRect(2, 2), Qt::green);
  grid.SetCellText(5, 5, "1");  // another cell changes: the fill stays
  EXPECT_TRUE(shows(2, 2, Qt::green));
  grid.SetCellText(2, 2, "9");
  EXPECT_FALSE(shows(2, 2, Qt::green));

  grid.FillRect(grid.CellRect(1, 0), Qt::red);
  grid.SetCurrent(1, 0);
  EXPECT_FALSE(shows(1, 0, Qt::red));

  grid.FillRect(grid.CellRect(6, 6), Qt::red);
  grid.FillRect(grid.CellRect(7, 7), Qt::red);
  grid.ClearFills(grid.CellRect(6, 6));  // one cell; all of them are the marks test's
  EXPECT_FALSE(shows(6, 6, Qt::red));
  EXPECT_TRUE(shows(7, 7, Qt::red));
}

TEST_F(ShellTest, TheBinderShowsCaptionsAsPlainTextListRowsAndFiltersWithNoItem) {
  Build();
  Controls& c = Logic().controls;
  const char* caption = "Puzzle <b>n\xB0 1</b> by <i>me</i>";
  c.LTitle.caption = caption;
  c.LVsudoku.rows = {{"a.tema", {"1", "05-03-2009", "25", "2", "\xAE", "7,5"}},
                     {"b.tema", {"2", "", "", "", "", ""}}};
  c.LVsudoku.selected = 1;
  c.CBMese.items = {"00", "01", "02"};
  c.CBMese.itemIndex = 2;
  c.RGnbase.itemIndex = 3;
  app->Binding().Sync();
  auto* title = Find<QLabel>("LTitle");
  EXPECT_GE(title->sizeHint().width(),
            QFontMetrics(title->font()).horizontalAdvance(QString::fromLatin1(caption)));
  auto* list = Find<QTreeWidget>("LVsudoku");
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(5), QString::fromUtf8("®"));
  EXPECT_TRUE(list->topLevelItem(1)->isSelected());
  EXPECT_EQ(Find<QComboBox>("CBMese")->currentText(), "02");
  const auto radios = Find<QGroupBox>("RGnbase")->findChildren<QRadioButton*>();
  EXPECT_TRUE(radios[3]->isChecked());

  c.LVsudoku.selected = -1;
  c.LVsudoku.rows.pop_back();
  c.RGnbase.itemIndex = -1;  // no item at all: radio buttons cannot do that alone
  app->Binding().Sync();
  EXPECT_EQ(list->topLevelItemCount(), 1);
  EXPECT_TRUE(list->selectedItems().isEmpty());
  for (QRadioButton* item : radios) EXPECT_FALSE(item->isChecked()) << item->text().toStdString();
}

TEST_F(ShellTest, WindowAtTheTopLeftFitsItsMenuBarAndClientAndFollowsTheLanguageItem) {
  Build();
  app->Window().move(300, 200);  // wherever it was, the show puts its frame at the corner
  LoadPuzzle();
  QMainWindow& window = app->Window();
  EXPECT_EQ(window.frameGeometry().topLeft(), window.screen()->availableGeometry().topLeft());
  const auto fits = [&window] {
    QApplication::processEvents();
    const QRect client = window.centralWidget()->geometry();
    return client.top() == window.menuBar()->height() && client.bottom() + 1 == window.height() &&
           client.size() == QSize(1018, 684);
  };
  EXPECT_TRUE(fits());

  // Captions and Qt's own texts (the boxes' standard buttons) follow the language item.
  const bool qtItalian =  // the system's Qt catalogue in Italian, or English throughout
      QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qt_it.qm");
  const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
  EXPECT_EQ(yes(), qtItalian ? QStringLiteral("&S\u00ec") : QStringLiteral("&Yes"));
  Find("menulingua")->trigger();
  EXPECT_TRUE(fits());
  EXPECT_EQ(yes(), "&Yes");
  EXPECT_EQ(Find("Opzioni1")->text(), "Puzzle");
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->tabText(1), "Puzzle Information&Solution");
  Find("menulingua")->trigger();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
            qtItalian ? QStringLiteral("Annulla") : QStringLiteral("Cancel"));
}

TEST_F(ShellTest, DigitsAreReportedTwiceUndoneAndTheCursorAndEditorKeepOffGivens) {
  LoadPuzzle();  // the cursor leaves (0, 0), a given now, for the first open cell
  EXPECT_EQ(std::pair(Board().CurrentCol(), Board().CurrentRow()), std::pair(0, 2));
  ClickCell(3, 0);
  Press(Qt::Key_Right);  // (4, 0) is a given
  EXPECT_EQ(Board().CurrentCol(), 5);
  ClickCell(2, 0);
  Press(Qt::Key_4);
  EXPECT_EQ(Logic().Storico.NumStorico(), 2);
  Press(Qt::Key_Down);  // leaving the cell closes the editor: the second report
  EXPECT_EQ(Logic().Storico.NumStorico(), 3);
  EXPECT_EQ(Logic().board.Texts[CellIndex(2, 0)], "4");
  Find("Undo1")->trigger();
  EXPECT_EQ(Logic().Storico.NumStorico(), 1);
  EXPECT_EQ(Board().CellText(2, 0), QString());
  EXPECT_FALSE(Find("Undo1")->isEnabled());

  Logic().controls.sudokugrid.col = Logic().controls.sudokugrid.row = 0;  // put on a given
  app->Binding().Sync();
  for (Qt::Key key : {Qt::Key_7, Qt::Key_Return, Qt::Key_F2}) Press(key);
  ClickCell(0, 0);
  EXPECT_FALSE(Board().EditorOpen());
  EXPECT_EQ(Logic().Storico.NumStorico(), 1);
}

TEST_F(ShellTest, GridShowsBordersGivensInBlackOverFillsAndEntriesInBlue) {
  LoadPuzzle();
  ClickCell(2, 0);
  Press(Qt::Key_4);
  Press(Qt::Key_Down);
  ClickCell(2, 8);  // keep the cursor's highlight away from the cells looked at
  Board().FillRect(Board().CellRect(4, 1), kRed);  // a flash on the given 9

  const QImage grid = Board().grab().toImage();
  for (int x : {110, 221, 332}) EXPECT_EQ(grid.pixelColor(x, 18), kBlack) << x;
  EXPECT_NE(grid.pixelColor(36, 18), kBlack);  // an ordinary grid line is thin
  EXPECT_NE(grid.pixelColor(18, 73), kBlack);
  EXPECT_TRUE(CellShows(grid, 0, 0, kBlack));  // the given 5
  EXPECT_FALSE(CellShows(grid, 0, 0, kBlue));
  EXPECT_TRUE(CellShows(grid, 2, 0, kBlue));  // the entry 4
  EXPECT_FALSE(CellShows(grid, 3, 0, kBlue));
  EXPECT_TRUE(CellShows(grid, 4, 1, kRed) && CellShows(grid, 4, 1, kBlack));

  // The outer borders, from (1, 1) to a point one pixel further out at the far end, still
  // cover the first two rows and columns along the whole edge.
  for (GridView* view : {&Board(), app->Window().Candidates()}) {
    const QImage image = view->grab().toImage();
    for (int i = 0; i < image.width() || i < image.height(); ++i) {
      for (QPoint p : {QPoint(i, 0), QPoint(i, 1), QPoint(0, i), QPoint(1, i)}) {
        if (!image.rect().contains(p)) continue;
        ASSERT_EQ(image.pixelColor(p), kBlack) << i;
      }
    }
    EXPECT_NE(image.pixelColor(image.width() - 20, 2), kBlack);
    EXPECT_NE(image.pixelColor(2, image.height() - 20), kBlack);
  }
}

TEST_F(ShellTest, RightClicksMarkOpenCellsTheEditedOneInItsCornerAndMarksEndWithTheBoard) {
  LoadPuzzle();
  QTest::mouseClick(Find<Swatch>("ShRosso"), Qt::LeftButton);
  ClickCell(1, 1, Qt::RightButton);  // open and empty: the whole cell
  ClickCell(0, 1, Qt::RightButton);  // a given: nothing
  ClickCell(2, 1, Qt::LeftButton);   // a left click never paints
  QImage grid = Board().grab().toImage();
  EXPECT_EQ(grid.pixelColor(Board().CellRect(1, 1).topLeft() + QPoint(1, 1)), kRed);
  EXPECT_EQ(grid.pixelColor(Board().CellRect(1, 1).center()), kRed);
  EXPECT_FALSE(CellShows(grid, 0, 1, kRed));
  EXPECT_FALSE(CellShows(grid, 2, 1, kRed));

  ClickCell(2, 0);
  Press(Qt::Key_4);
  ASSERT_TRUE(Board().EditorOpen());
  const QRect cell = Board().CellRect(2, 0);
  auto* editor = Board().findChild<QLineEdit*>();
  QTest::mouseClick(editor, Qt::RightButton, {}, editor->mapFrom(&Board(), cell.center()));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no editor menu
  grid = Board().grab().toImage();
  EXPECT_EQ(grid.pixelColor(cell.bottomRight() - QPoint(2, 2)), kRed);
  EXPECT_TRUE(CellShows(grid, 2, 0, kBlue));  // the digit stays visible
  EXPECT_EQ(Logic().board.Texts[CellIndex(2, 0)], "4");

  Find("Undo1")->trigger();
  EXPECT_FALSE(CellShows(Board().grab().toImage(), 1, 1, kRed));
  ClickCell(3, 0, Qt::RightButton);
  ASSERT_TRUE(CellShows(Board().grab().toImage(), 3, 0, kRed));
  Find("RicominciaPartita")->trigger();
  EXPECT_FALSE(CellShows(Board().grab().toImage(), 3, 0, kRed));
}

TEST_F(ShellTest, TheTabGuardHoldsForClicksMnemonicsAndTabKeys) {
  LoadPuzzle();
  auto* tabs = Find<QTabWidget>("PageControl1");
  const auto click = [tabs](int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    return tabs->currentWidget()->objectName();
  };
  EXPECT_EQ(click(1), "TSSudokuFile");  // the schema menu is disabled
  Find("menulingua")->trigger();        // "Puzzle Information&Solution"
  QTest::keyClick(&app->Window(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSSudokuFile");
  Find("MostraTuttiiCandidati1")->trigger();
  EXPECT_EQ(tabs->currentWidget()->objectName(), "TSHelp");
  EXPECT_EQ(click(0), "TSSudokuFile");  // the candidates may be left
  EXPECT_EQ(Logic().controls.PageControl1.activePage, "TSSudokuFile");

  Logic().controls.Opzioni1.enabled = true;  // with the schema menu any tab may be left
  app->Binding().Sync();
  EXPECT_EQ(click(1), "TSInfo");
  Logic().controls.Opzioni1.enabled = false;
  app->Binding().Sync();
  QWidget* field = Find<QWidget>("ETipologia");
  field->setFocus();
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_PageDown, Qt::Key_PageUp}) {
    QTest::keyClick(field, key, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentWidget()->objectName(), "TSInfo") << key;
  }
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {  // on the bar, which Tab reaches
    QTest::keyClick(tabs->tabBar(), key);
    EXPECT_EQ(tabs->currentWidget()->objectName(), "TSInfo") << key;
  }
  field->setFocus();
  // Leaving a page whose field has the focus: the focus moving to the grid keeps the new tab.
  Logic().controls.Opzioni1.enabled = true;
  app->Binding().Sync();
  ASSERT_TRUE(field->hasFocus());
  EXPECT_EQ(click(0), "TSSudokuFile");
  EXPECT_EQ(Logic().controls.PageControl1.activePage, "TSSudokuFile");
}

TEST_F(ShellTest, TheGameTimerTheHoverPanelAndTheReplayedStepsExplanation) {
  LoadPuzzle();
  auto* timer = Find<QTimer>("SudokuTimer");
  EXPECT_TRUE(timer->isActive());  // a load restarts the timer
  Find("Pausa1")->trigger();
  EXPECT_FALSE(timer->isActive());
  Logic().Secondi = 3724;
  Find("Avvia1")->trigger();
  auto* time = Find<QLabel>("LTime");
  ASSERT_TRUE(QTest::qWaitFor([time] { return time->text() != "0h 0m 0s"; }, 10000));
  EXPECT_EQ(time->text(), "1h 2m 5s");

  Logic().controls.MostraCandidati.checked = true;
  auto* hover = Find<QLabel>("lpos");
  QTest::mouseMove(&Board(), Board().CellRect(2, 0).center());
  ASSERT_TRUE(hover->isVisible());
  EXPECT_EQ(hover->text(), "124");
  EXPECT_EQ(hover->pos(), QPoint(37 * 2 + 21 - 9, 52 - 20));
  QTest::mouseMove(&Board(), QPoint(1, 40));
  EXPECT_FALSE(hover->isVisible());
  QTest::mouseMove(&Board(), Board().CellRect(2, 0).center());
  ASSERT_TRUE(hover->isVisible());
  QTest::mouseMove(&app->Window(), QPoint(5, app->Window().height() - 5));  // off the grid
  EXPECT_FALSE(hover->isVisible());

  Logic().SoluzionePassoPasso1Click();
  app->Binding().Sync();
  Find<QToolButton>("BAvanti")->click();
  app->Binding().Sync();
  auto* line = Find<QLabel>("LSpiegazione");
  ASSERT_TRUE(line->isVisible());
  EXPECT_EQ(line->text(),
            QString::fromLatin1(ExplanationText(ExplainStep(Logic().steps, 1), false).c_str()));
  EXPECT_GT(line->mapTo(&app->Window(), QPoint(0, 0)).y(),
            Board().mapTo(&app->Window(), QPoint(0, Board().height())).y());
  // SUDOKU_SHOT names a PNG file that receives the window as it is now (for the README).
  if (const char* shot = std::getenv("SUDOKU_SHOT")) app->Window().grab().save(shot);
}

TEST_F(ShellTest, WebPaneFindsTheFirstValueWhoseIdMatchesIgnoringCase) {
  // A page the engine loads (local files show in the light view, which holds no values).
  const QByteArray page =
      "<html><head><meta charset='utf-8'><title>dati sfida</title></head><body>"
      "<input id='NickName' value='bob'><input id='nickname' value='x'><p id='empty'></p>"
      "<input id='caf' value='\xC3\xA8'>";
  QWebEngineProfile profile;
  WebPane pane(&profile);
  pane.Navigate("data:text/html;base64," + page.toBase64().toStdString());
  pane.WaitComplete(20000);
  ASSERT_EQ(pane.ReadyState(), 4);
  EXPECT_EQ(pane.FindValueById("NICKNAME").value, QStringLiteral("bob"));
  const WebPane::Lookup empty = pane.FindValueById("empty");
  EXPECT_EQ(std::pair(empty.status, empty.value),
            std::pair(WebPane::LookupStatus::kFound, QString()));
  EXPECT_EQ(pane.FindValueById("caf").value, QString::fromUtf8("\xC3\xA8"));
  EXPECT_EQ(pane.FindValueById("nobody").status, WebPane::LookupStatus::kNone);
}

// The wiring by name: every event the control model declares has its control on the screen
// and a handler (a submenu's item its menu instead), every handler answers a declared event, and
// an event no handler answers is logged once.
TEST_F(ShellTest, EveryDeclaredEventReachesItsHandler) {
  Build();
  const ShellBinding& binding = app->Binding();
  const Controls& controls = Logic().controls;
  for (const ControlEvent& event : controls.Events()) {
    QObject* control = app->Window().findChild<QObject*>(QString::fromStdString(event.control));
    if (control == nullptr) control = app->Binding().Binder().TimerOf(event.control);
    EXPECT_NE(control, nullptr) << event.name;
    if (event.opensSubmenu) {
      auto* item = qobject_cast<QAction*>(control);
      EXPECT_TRUE(item != nullptr && item->menu() != nullptr) << event.name;
    } else {
      EXPECT_TRUE(binding.Handles(event.name)) << event.name;
    }
  }
  for (const std::string& event : binding.HandledEvents()) {
    EXPECT_TRUE(controls.Raises(event)) << event;
  }

  static int warnings = 0;
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtWarningMsg) ++warnings;
      });
  app->Binding().Fire("NoSuchControlClick");
  app->Binding().FireText("NoSuchControlClick", "text");
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, 1);
}

TEST_F(ShellTest, TheChallengeShowsDialogueFlashesAndLongPauses) {
  Build();
  ControlBinder& binder = app->Binding().Binder();
  app->Binding().Run([this] {
    Logic().controls.REDialogo.lines = {">io: ciao", ">tu: ciao a te"};
    Logic().controls.REDialogo.indents = {0, 10};
  });
  auto* shown = qobject_cast<QTextEdit*>(binder.Find("REDialogo"));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->toPlainText(), QStringLiteral(">io: ciao\n>tu: ciao a te"));
  EXPECT_EQ(shown->document()->begin().blockFormat().textIndent(), 0);
  EXPECT_EQ(shown->document()->begin().next().blockFormat().textIndent(), 10);

  // A flash ending in the window colour leaves the digit shown; the long pause runs events.
  GridView& grid = Board();
  grid.SetCellText(3, 3, "8");
  const QImage before = grid.grab().toImage().copy(grid.CellRect(3, 3));
  grid.FillRect(grid.CellRect(3, 3), Qt::red);
  grid.FillRect(grid.CellRect(3, 3), Qt::white);
  EXPECT_EQ(grid.grab().toImage().copy(grid.CellRect(3, 3)), before);
  bool ticked = false;
  QTimer::singleShot(0, [&ticked] { ticked = true; });
  QtPaintingPause({}).Wait(100);
  EXPECT_TRUE(ticked);
}

TEST_F(ShellTest, SoundsTheAboutBoxAndExitWithTheBrowserSettingsWrittenBack) {
  settings->Write(kBrowserMainKey, kDebuggerValue, "no");
  settings->Write(kBrowserMainKey, kDebuggerIEValue, "maybe");
  settings->Write(kNavigationSoundKey, kDefaultValue, "ding.wav");
  LoadPuzzle();
  QtSettingsStore during(settingsFile);  // each value is kept per key, an empty one too
  EXPECT_EQ(during.Read(kBrowserMainKey, kDebuggerValue), "yes");
  EXPECT_EQ(during.Read(kNavigationSoundKey, kDefaultValue), "");
  EXPECT_EQ(during.Read(kNavigationSoundKey, "other"), std::nullopt);
  EXPECT_EQ(BoxText("Sei gi\xE0 connesso\n\r\n\rok"), QString::fromUtf8("Sei già connesso\n\nok"));

  std::vector<std::string> reports;
  const auto report = [&reports](const std::string& text) { reports.push_back(text); };
  app->EffectsPort().reportError = report;
  const std::filesystem::path sound =
      std::filesystem::path(SUDOKU_SOURCE_DIR) / "assets" / "noconnect" / "tada.wav";
  app->EffectsPort().PlaySound(sound);
  app->EffectsPort().PlaySound(sound);  // a new sound replaces the one still playing
  QTest::qWait(300);
  EXPECT_TRUE(reports.empty());
  app->EffectsPort().PlaySound(base / "noconnect" / "tada.wav");
  EXPECT_TRUE(reports.empty());  // reported after the command that played it
  QApplication::processEvents();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("tada.wav"), std::string::npos);

  TFAbout about(QStringLiteral("site"));
  about.reportError = report;
  about.show();
  EXPECT_EQ(reports.size(), 3u);  // neither picture is in this folder
  QTest::mouseClick(about.findChild<QLabel*>("Image2"), Qt::LeftButton);
  EXPECT_TRUE(about.isVisible());  // a click closes the box, except on its small picture
  QTest::mouseClick(about.findChild<QLabel*>("LMotto"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());

  Find("EXIT1")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(app->Window().isVisible());
  QtSettingsStore reread(settingsFile);
  EXPECT_EQ(reread.Read(kBrowserMainKey, kDebuggerValue), "no");
  EXPECT_EQ(reread.Read(kBrowserMainKey, kDebuggerIEValue), "maybe");
  EXPECT_EQ(reread.Read(kNavigationSoundKey, kDefaultValue), "ding.wav");
}

}  // namespace
}  // namespace sudoku::testing

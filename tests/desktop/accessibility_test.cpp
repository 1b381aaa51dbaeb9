// What a screen reader finds in the real window: a name on every control a player can reach, in
// both languages, and the board's cells read out with their place and content.
#include <QAccessible>
#include <QMenu>
#include <functional>
#include <set>

#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

// The roles of what a player acts on, each of which a screen reader must be able to name.
bool Interactive(QAccessible::Role role) {
  static const std::set<QAccessible::Role> roles = {
      QAccessible::PushButton,  QAccessible::CheckBox,       QAccessible::RadioButton,
      QAccessible::ButtonMenu,  QAccessible::ButtonDropDown, QAccessible::MenuItem,
      QAccessible::PageTab,     QAccessible::EditableText,   QAccessible::ComboBox,
      QAccessible::List,        QAccessible::Table,          QAccessible::Tree,
      QAccessible::Cell,        QAccessible::TreeItem,       QAccessible::ListItem,
      QAccessible::ColumnHeader};
  return roles.contains(role);
}

// Adds a line for each shown interactive object under object that has no name.
void FindUnnamed(QAccessibleInterface* object, const QString& path, QStringList& unnamed) {
  if (object == nullptr || !object->isValid() || object->state().invisible) return;
  const QString here = path + "/" +
                       (object->object() ? object->object()->objectName() : QString()) + "#" +
                       QString::number(object->role(), 16);
  if (Interactive(object->role()) && object->text(QAccessible::Name).trimmed().isEmpty()) {
    unnamed << here;
  }
  for (int i = 0; i < object->childCount(); ++i) FindUnnamed(object->child(i), here, unnamed);
}

class AccessibilityTest : public ShellTest {
 protected:
  QStringList Unnamed() {
    QStringList unnamed;
    FindUnnamed(QAccessible::queryAccessibleInterface(&app->Window()), {}, unnamed);
    // A menu is hidden until it opens; its visible items are reachable all the same.
    for (QMenu* menu : app->Window().findChildren<QMenu*>()) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(menu);
      const QList<QAction*> actions = menu->actions();
      for (int i = 0; i < int(actions.size()); ++i) {
        if (!actions[i]->isVisible() || actions[i]->isSeparator()) continue;
        QAccessibleInterface* item = face->child(i);
        if (item == nullptr || item->text(QAccessible::Name).trimmed().isEmpty()) {
          unnamed << menu->title() + "/" + actions[i]->objectName();
        }
      }
    }
    return unnamed;
  }
  QString NameOf(const char* objectName) {
    QObject* object = app->Window().findChild<QObject*>(QString::fromLatin1(objectName));
    QAccessibleInterface* face = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
  }
  QString CellName(int col, int row) {
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&Board());
    QAccessibleInterface* cell = grid->child(row * 9 + col);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
  }
};

TEST_F(AccessibilityTest, EveryReachableControlIsNamedAndCellsAreReadInBothLanguages) {
  LoadPuzzle();  // row 0: 5 3 . . 7 . . . .
  struct Spoken {
    const char* objectName;  // null for a board cell
    int col, row;
    const char* italian;
    const char* english;
  };
  const Spoken spoken[] = {
      {"SBPlay", 0, 0, "Avvia", "Start"},
      {"SPRestart", 0, 0, "Ricomincia", "Restart"},
      {"ShAqua", 0, 0, "Azzurro", "Aqua"},
      {"WBsoluzione", 0, 0, "Soluzione dal sito", "Solution from the site"},
      {nullptr, 0, 0, "Riga 1, colonna 1: 5, dato", "Row 1, column 1: 5, given"},
      {nullptr, 2, 0, "Riga 1, colonna 3: vuota", "Row 1, column 3: empty"},
  };
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "Italian");
    if (english) app->Binding().Fire("menulinguaClick");
    ASSERT_EQ(Logic().Lingua, english ? "en" : "it");
    const QStringList unnamed = Unnamed();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    for (const Spoken& s : spoken) {
      const QString heard = s.objectName ? NameOf(s.objectName) : CellName(s.col, s.row);
      EXPECT_EQ(heard.toStdString(), english ? s.english : s.italian);
    }
  }
}

// Each announcement becomes the board's accessible value, which a value change event carries to
// a listening reader. Offscreen there is no reader to send events to, so the value is read back
// after each happening: the last thing announced.
TEST_F(AccessibilityTest, WhatHappensOnTheBoardIsAnnouncedInBothLanguages) {
  const auto fillAllBut = [&](int col, int row) {
    for (int i = 0; i < 81; ++i) {
      if (i != row * 9 + col && kPuzzle[std::size_t(i)] == '.') {
        Logic().board.Texts[CellIndex(i % 9, i / 9)] = std::string(1, kSolved[std::size_t(i)]);
      }
    }
    Logic().AggiornaGriglia();
  };
  struct Happening {
    const char* what;
    std::function<void()> act;
    const char* italian;  // the whole announcement, or its start when it ends with the explanation
    const char* english;
    bool thenExplanation;
  };
  const Happening happenings[] = {
      {"placed digit", [&] { ClickCell(2, 0), Press(Qt::Key_4); },
       "Inserito 4 in riga 1, colonna 3", "Placed 4 at row 1, column 3", false},
      {"cell left without candidates",
       [&] { app->Binding().Fire("EvidenziaErroreClick"), ClickCell(8, 0), Press(Qt::Key_4); },
       "Errore: nessun candidato in riga 7, colonna 9",
       "Error: no candidates left at row 7, column 9", false},
      {"solved board",
       [&] { app->Binding().Run([&] { fillAllBut(2, 0); }), ClickCell(2, 0), Press(Qt::Key_4); },
       "Complimenti! Schema risolto", "Congratulations! Puzzle solved", false},
      {"replayed step",
       [&] {
         app->Binding().Fire("SoluzionePassoPasso1Click");
         app->Binding().Fire("BAvantiClick");
       },
       "", "", true},
      {"hint", [&] { app->Binding().Fire("SuggerisciNumeroClick"); },
       "Suggerimento: ", "Hint: ", true},
  };
  for (const bool english : {false, true}) {
    for (const Happening& h : happenings) {
      SCOPED_TRACE(std::string(h.what) + (english ? " in English" : " in Italian"));
      app.reset();
      LoadPuzzle();
      if (english) app->Binding().Fire("menulinguaClick");
      h.act();
      const QString announced =
          QAccessible::queryAccessibleInterface(&Board())->text(QAccessible::Value);
      const QString expected = QString::fromLatin1(english ? h.english : h.italian);
      const QString explanation =
          QString::fromLatin1(Logic().controls.LSpiegazione.caption.c_str());
      if (h.thenExplanation) {
        ASSERT_FALSE(explanation.isEmpty());
        EXPECT_TRUE(announced.startsWith(expected)) << announced.toStdString();
        EXPECT_TRUE(announced.endsWith(explanation)) << announced.toStdString();
      } else {
        EXPECT_EQ(announced.toStdString(), expected.toStdString());
      }
    }
  }
}

// A reader asks the table which cell has the focus; the cursor's cell answers, and only it.
TEST_F(AccessibilityTest, TheCursorsCellIsTheFocusedOne) {
  LoadPuzzle();
  ClickCell(2, 0);
  Board().setFocus();
  QTest::keyClick(&Board(), Qt::Key_Down);
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&Board());
  EXPECT_TRUE(grid->child(9 + 2)->state().focused);
  EXPECT_FALSE(grid->child(2)->state().focused);
  EXPECT_EQ(grid->focusChild(), grid->child(9 + 2));
}

}  // namespace
}  // namespace sudoku::testing

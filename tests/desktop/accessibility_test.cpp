// What a screen reader finds in the real window: a name on every control a player can reach, in
// both languages, and the board's cells read out with their place and content.
#include <QAccessible>
#include <QMenu>

#include "shell_fixture.h"

namespace sudoku::testing {
namespace {

bool Interactive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::MenuItem:
    case QAccessible::PageTab:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Cell:
    case QAccessible::TreeItem:
    case QAccessible::ListItem:
    case QAccessible::ColumnHeader:
      return true;
    default:
      return false;
  }
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

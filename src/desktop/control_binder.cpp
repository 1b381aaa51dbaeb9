// Model-to-widget sync for every kind of control entry.
#include "desktop/control_binder.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/swatch.h"
#include "desktop/tab_control.h"
#include "desktop/web_pane.h"

namespace sudoku {

namespace {

// Gives each paragraph of a rich text box the first-line indent of its line in the model.
void SetFirstLineIndents(QTextEdit* rich, const std::vector<int>& indents) {
  QTextBlock block = rich->document()->begin();
  for (std::size_t i = 0; i < indents.size() && block.isValid(); ++i, block = block.next()) {
    if (indents[i] == 0) continue;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setTextIndent(indents[i]);
    cursor.setBlockFormat(format);
  }
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList parts;
  for (const std::string& line : lines) parts << QString::fromStdString(line);
  return parts.join(QLatin1Char('\n'));
}

bool SameRows(const std::vector<ListRow>& a, const std::vector<ListRow>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].caption != b[i].caption || a[i].subItems != b[i].subItems) return false;
  }
  return true;
}

void SetChecked(QAbstractButton* button, bool checked) {
  if (button->isChecked() == checked) return;
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(exclusive);
}

void SyncWidget(QWidget* widget, bool enabled, bool visible, const std::string& hint) {
  widget->setEnabled(enabled);
  if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
  widget->setToolTip(FromLatin1(hint));
}

// The tab control whose page this widget is, and the page's index; null when it is none.
TabControl* TabOf(QWidget* widget, int& index) {
  auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
  if (stack == nullptr) return nullptr;
  auto* tabs = qobject_cast<TabControl*>(stack->parentWidget());
  if (tabs == nullptr) return nullptr;
  index = tabs->indexOf(widget);
  return index < 0 ? nullptr : tabs;
}

void SyncMenuItem(QAction* action, const MenuItem& item) {
  action->setEnabled(item.enabled);
  if (item.checked && !action->isCheckable()) action->setCheckable(true);
  action->setChecked(item.checked);
  action->setVisible(item.visible);
  if (!item.caption.empty()) action->setText(FromLatin1(item.caption));
  action->setToolTip(FromLatin1(item.hint.empty() ? item.caption : item.hint));
  action->setStatusTip(FromLatin1(item.hint));
  const QString picture = FromLatin1(item.picture);
  if (action->property("picture").toString() != picture) {
    action->setProperty("picture", picture);
    action->setIcon(picture.isEmpty() ? QIcon() : QIcon(picture));
  }
}

void SyncButton(QAbstractButton* button, const Button& model) {
  SyncWidget(button, model.enabled, model.visible, model.hint);
  if (button->isCheckable() || qobject_cast<QRadioButton*>(button) != nullptr) {
    SetChecked(button, model.checked);
  }
  if (model.caption.empty()) return;
  if (button->property("webdings").toBool()) {
    button->setText(WebdingsSymbol(model.caption));
  } else {
    button->setText(FromLatin1(model.caption));
  }
}

// Gives each empty cell of the list something to say: its column's caption and the words.
void NameEmptyCells(QTreeWidget* list, const QString& noValue) {
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list->topLevelItem(i);
    for (int column = 0; column < list->columnCount(); ++column) {
      if (!item->text(column).isEmpty()) continue;
      const QString spoken = list->headerItem()->text(column) + QStringLiteral(": ") + noValue;
      if (item->data(column, Qt::AccessibleTextRole).toString() != spoken) {
        item->setData(column, Qt::AccessibleTextRole, spoken);
      }
    }
  }
}

void SyncListView(QTreeWidget* list, const ListView& model, std::vector<ListRow>& shown,
                  const QString& noValue) {
  bool headersChanged = false;
  SyncWidget(list, model.enabled, model.visible, model.hint);
  QStringList headers;
  for (const ListColumn& column : model.columns) headers << FromLatin1(column.caption);
  if (list->columnCount() != headers.size()) list->setColumnCount(int(headers.size()));
  for (int i = 0; i < headers.size(); ++i) {
    if (list->headerItem()->text(i) != headers[i]) {
      list->headerItem()->setText(i, headers[i]);
      headersChanged = true;
    }
  }
  const bool rowsChanged = !SameRows(model.rows, shown);
  if (rowsChanged) {
    list->clear();
    for (const ListRow& row : model.rows) {
      auto* item = new QTreeWidgetItem(list);
      item->setText(0, FromLatin1(row.caption));
      for (std::size_t i = 0; i < row.subItems.size(); ++i) {
        item->setText(int(i) + 1, FromLatin1(row.subItems[i]));
        const std::size_t column = i + 1;
        if (column < model.columns.size() && model.columns[column].centred) {
          item->setTextAlignment(int(column), Qt::AlignCenter);
        }
      }
    }
    shown = model.rows;
  }
  if (rowsChanged || headersChanged) NameEmptyCells(list, noValue);
  QTreeWidgetItem* wanted = model.Selected() ? list->topLevelItem(model.selected) : nullptr;
  if (wanted == nullptr) {
    list->clearSelection();
    list->setCurrentItem(nullptr);
  } else if (list->currentItem() != wanted || !wanted->isSelected()) {
    list->setCurrentItem(wanted);
    wanted->setSelected(true);
  }
}

void SyncCombo(QComboBox* combo, const ComboBox& model, std::vector<std::string>& shown) {
  SyncWidget(combo, model.enabled, model.visible, "");
  if (model.items != shown) {
    combo->clear();
    for (const std::string& item : model.items) combo->addItem(FromLatin1(item));
    shown = model.items;
  }
  if (combo->currentIndex() != model.itemIndex) combo->setCurrentIndex(model.itemIndex);
}

void SyncRadioGroup(QGroupBox* group, const RadioGroup& model) {
  SyncWidget(group, model.enabled, model.visible, "");
  group->setTitle(FromLatin1(model.caption));
  const QList<QRadioButton*> items =
      group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
  for (int i = 0; i < items.size(); ++i) {
    const bool used = i < int(model.items.size());
    items[i]->setVisible(used);
    if (used) items[i]->setText(FromLatin1(model.items[std::size_t(i)]));
    SetChecked(items[i], i == model.itemIndex);
  }
}

void SyncLabel(QWidget* widget, const Label& model, int& left, int& top) {
  int index = 0;
  if (TabControl* tabs = TabOf(widget, index)) {
    tabs->setTabText(index, FromLatin1(model.caption));
    tabs->setTabToolTip(index, FromLatin1(model.hint));
    tabs->setTabEnabled(index, model.enabled);
    return;
  }
  SyncWidget(widget, model.enabled, model.visible, model.hint);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    // Captions carry file and site data: shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(FromLatin1(model.caption));
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(FromLatin1(model.caption));
  }
  // Only places the logic chose are applied: the rest keep the window's layout.
  if (model.left != left || model.top != top) {
    widget->move(model.left, model.top);
    left = model.left;
    top = model.top;
  }
  if (!widget->isHidden()) widget->raise();
}

void SyncPageControl(TabControl* tabs, const PageControl& model) {
  for (int i = 0; i < tabs->count(); ++i) {
    if (tabs->widget(i)->objectName().toStdString() == model.activePage) {
      if (tabs->currentIndex() != i) tabs->setCurrentIndex(i);
      return;
    }
  }
}

void SyncBoard(GridView* grid, const BoardGrid& model) {
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      grid->SetCellText(col, row, FromLatin1(model.board.Texts[std::size_t(CellIndex(col, row))]));
    }
  }
  grid->SetCurrent(model.col, model.row);
  grid->update();
}

void SyncTextGrid(GridView* grid, const TextGrid& model) {
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      grid->SetCellText(col, row, FromLatin1(model.cells[std::size_t(CellIndex(col, row))]));
    }
  }
}

void SyncTimer(QTimer* timer, const Timer& model) {
  if (timer->interval() != model.interval) timer->setInterval(model.interval);
  if (model.enabled && !timer->isActive()) timer->start();
  if (!model.enabled && timer->isActive()) timer->stop();
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

QString WebdingsSymbol(const std::string& caption) {
  if (caption == "4") return PlaySymbol();
  if (caption == "\xE8") return PauseSymbol();
  if (caption == "q") return RestartSymbol();
  return FromLatin1(caption);
}

ControlBinder::ControlBinder(QWidget* root, Controls& controls) : controls_(controls) {
  for (QObject* object : root->findChildren<QObject*>()) {
    const std::string name = object->objectName().toStdString();
    if (!name.empty() && controls.Find(name) != nullptr) widgets_.emplace(name, object);
  }
  for (const NamedControl& named : controls.All()) {
    const std::string name(named.name);
    if (const auto* const* timer = std::get_if<Timer*>(&named.control)) {
      auto* real = new QTimer(root);
      real->setObjectName(QString::fromStdString(name));
      real->setInterval((*timer)->interval);
      timers_[name] = real;
    }
    if (const auto* const* label = std::get_if<Label*>(&named.control)) {
      caches_[name].left = (*label)->left;
      caches_[name].top = (*label)->top;
    }
  }
}

QObject* ControlBinder::Find(const std::string& name) const {
  const auto found = widgets_.find(name);
  return found == widgets_.end() ? nullptr : found->second.data();
}

QTimer* ControlBinder::TimerOf(const std::string& name) const {
  const auto found = timers_.find(name);
  return found == timers_.end() ? nullptr : found->second;
}

void ControlBinder::SetNoValueWords(const QString& words) {
  if (words == noValueWords_) return;
  noValueWords_ = words;
  for (auto& [name, object] : widgets_) {
    if (auto* tree = qobject_cast<QTreeWidget*>(object.data())) NameEmptyCells(tree, words);
  }
}

void ControlBinder::Sync() {
  for (const NamedControl& named : controls_.All()) SyncOne(std::string(named.name), named.control);
}

void ControlBinder::SyncOne(const std::string& name, const ControlRef& control) {
  if (const auto* const* timer = std::get_if<Timer*>(&control)) {
    if (QTimer* real = TimerOf(name)) SyncTimer(real, **timer);
    return;
  }
  QObject* object = Find(name);
  if (object == nullptr) return;
  auto* widget = qobject_cast<QWidget*>(object);
  Cache& cache = caches_[name];
  std::visit(Overloaded{
                 [&](MenuItem* item) {
                   if (auto* action = qobject_cast<QAction*>(object)) SyncMenuItem(action, *item);
                 },
                 [&](Button* button) {
                   if (auto* real = qobject_cast<QAbstractButton*>(object))
                     SyncButton(real, *button);
                 },
                 [&](Label* label) {
                   if (widget != nullptr) SyncLabel(widget, *label, cache.left, cache.top);
                 },
                 [&](Edit* edit) {
                   auto* line = qobject_cast<QLineEdit*>(object);
                   if (line == nullptr) return;
                   SyncWidget(line, edit->enabled, edit->visible, edit->hint);
                   if (line->text() != FromLatin1(edit->text))
                     line->setText(FromLatin1(edit->text));
                 },
                 [&](Memo* memo) {
                   if (widget == nullptr) return;
                   SyncWidget(widget, memo->enabled, memo->visible, "");
                   const QString text = Joined(memo->lines);
                   if (auto* rich = qobject_cast<QTextEdit*>(object)) {
                     if (rich->toPlainText() != text) {
                       rich->setPlainText(text);
                       SetFirstLineIndents(rich, memo->indents);
                     }
                   } else if (auto* plain = qobject_cast<QPlainTextEdit*>(object)) {
                     if (plain->toPlainText() != text) plain->setPlainText(text);
                   }
                 },
                 [&](ListView* list) {
                   if (auto* tree = qobject_cast<QTreeWidget*>(object)) {
                     SyncListView(tree, *list, cache.rows, noValueWords_);
                   }
                 },
                 [&](ComboBox* combo) {
                   if (auto* real = qobject_cast<QComboBox*>(object))
                     SyncCombo(real, *combo, cache.items);
                 },
                 [&](RadioGroup* group) {
                   if (auto* box = qobject_cast<QGroupBox*>(object)) SyncRadioGroup(box, *group);
                 },
                 [&](ProgressBar* bar) {
                   auto* real = qobject_cast<QProgressBar*>(object);
                   if (real == nullptr) return;
                   real->setMaximum(bar->max);
                   real->setValue(bar->position);
                   real->setVisible(bar->visible);
                 },
                 [&](PageControl* pages) {
                   if (auto* tabs = qobject_cast<TabControl*>(object))
                     SyncPageControl(tabs, *pages);
                 },
                 [&](Shape* shape) {
                   if (auto* swatch = qobject_cast<Swatch*>(object))
                     swatch->SetCircle(shape->circle);
                 },
                 [&](BoardGrid* grid) {
                   if (auto* view = qobject_cast<GridView*>(object)) SyncBoard(view, *grid);
                 },
                 [&](TextGrid* grid) {
                   if (auto* view = qobject_cast<GridView*>(object)) SyncTextGrid(view, *grid);
                 },
                 [&](Timer*) {},
             },
             control);
}

}  // namespace sudoku

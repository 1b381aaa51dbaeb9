// Event forwarding from the main window's widgets to the logic, and the drawing of both grids.
#include "desktop/shell_binding.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

#include "desktop/accessible_texts.h"
#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/swatch.h"
#include "desktop/tab_control.h"
#include "desktop/tfsudoku.h"
#include "desktop/web_pane.h"
#include "play/cell_description.h"

namespace sudoku {

namespace {

struct Segment {
  int x1, y1, x2, y2;
};

// The thick box borders, in the grid's own pixels.
constexpr Segment kBoardBorders[] = {{1, 1, 360, 0},     {1, 1, 0, 360},     {332, 0, 332, 360},
                                     {0, 332, 332, 332}, {0, 110, 360, 110}, {0, 221, 360, 221},
                                     {110, 0, 110, 360}, {221, 0, 221, 360}};
const QColor kNoteGrey(128, 128, 128);
const QColor kRepeatRed(255, 0, 0);
constexpr int kNotePixels = 10;

constexpr Segment kCandidateBorders[] = {{1, 1, 600, 0},     {1, 1, 0, 600},     {548, 0, 548, 600},
                                         {0, 332, 548, 332}, {0, 110, 600, 110}, {0, 221, 600, 221},
                                         {182, 0, 182, 600}, {365, 0, 365, 600}};

// Fills what a 2-pixel black pen covers along the segment, as the grids were drawn first: at
// each step of the major axis, from one before the start to the end, the two pixels whose
// integer coordinate lies in [line - 1, line + 1). Qt's own wide lines sample pixel centres
// instead, which splits the slightly sloped outer borders into a 2-pixel and a 1-pixel half.
void FillBorder(QPainter& painter, const Segment& s) {
  const bool horizontal = std::abs(s.x2 - s.x1) >= std::abs(s.y2 - s.y1);
  const int a1 = horizontal ? s.x1 : s.y1, a2 = horizontal ? s.x2 : s.y2;
  const int b1 = horizontal ? s.y1 : s.x1, b2 = horizontal ? s.y2 : s.x2;
  const int low = std::min(a1, a2), high = std::max(a1, a2);
  const auto firstPixel = [&](int a) {
    const int on = std::clamp(a, low, high);
    const double b = a1 == a2 ? b1 : b1 + double(on - a1) * (b2 - b1) / (a2 - a1);
    return int(std::ceil(b - 1));
  };
  // Runs of equal first pixel become one rectangle each.
  int runStart = low - 1;
  int runFirst = firstPixel(runStart);
  for (int a = low; a <= high + 1; ++a) {
    const int first = a <= high ? firstPixel(a) : runFirst - 1;
    if (first == runFirst) continue;
    const int length = a - runStart;
    painter.fillRect(
        horizontal ? QRect(runStart, runFirst, length, 2) : QRect(runFirst, runStart, 2, length),
        Qt::black);
    runStart = a;
    runFirst = first;
  }
}

template <std::size_t N>
void DrawBorders(QPainter& painter, const QRect& cell, const Segment (&segments)[N]) {
  painter.setClipRect(cell.adjusted(-1, -1, 1, 1));
  for (const Segment& s : segments) FillBorder(painter, s);
}

std::vector<std::string> LinesOf(const QString& text) {
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

}  // namespace

ShellBinding::ShellBinding(TFsudoku& window, Game& game, Handlers handlers)
    : QObject(&window),
      window_(window),
      game_(game),
      handlers_(std::move(handlers)),
      binder_(&window, game.controls) {
  BindMenusAndButtons();
  BindGrid();
  BindLists();
  BindTabs();
  BindTimersAndPanes();
  Sync();
}

void ShellBinding::Sync() {
  translations_.Follow(game_.Lingua);
  ++syncing_;
  binder_.SetNoValueWords(FromLatin1(NoValueWords(game_.Lingua == "en")));
  binder_.Sync();
  --syncing_;
  if (accessibleLanguage_ != game_.Lingua) {
    accessibleLanguage_ = game_.Lingua;
    WriteAccessibleTexts(&window_, game_.Lingua == "en");
  }
  RefreshNotesAndRepeats();
}

QString ShellBinding::DescribeBoardCell(int col, int row) const {
  CellFacts cell;
  cell.col = col;
  cell.row = row;
  cell.digit = game_.ValoreCella(col, row);
  cell.given = game_.board.IsGiven(col, row);
  cell.notes = game_.NotesShown(col, row);
  const QColor mark = window_.Board()->MarkOf(col, row);
  cell.marked = mark.isValid();
  cell.mark = {mark.red(), mark.green(), mark.blue()};
  return FromLatin1(DescribeCell(cell, game_.Lingua == "en"));
}

void ShellBinding::RefreshNotesAndRepeats() {
  GridView* board = window_.Board();
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const std::size_t i = std::size_t(CellIndex(col, row));
      const std::uint16_t notes = game_.NotesShown(col, row);
      const bool repeat = game_.ShowsAsRepeat(col, row);
      if (notes == notesShown_[i] && repeat == repeatsShown_[i]) continue;
      notesShown_[i] = notes;
      repeatsShown_[i] = repeat;
      board->update(board->CellRect(col, row));
    }
  }
  if (board->EditorOpen()) board->RefreshEditorColour();
}

void ShellBinding::Run(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    game_.ReportError(error.what());
  }
  Sync();
  if (handlers_.afterSync) handlers_.afterSync();
}

void ShellBinding::Fire(const std::string& event) {
  const auto found = handlers_.plain.find(event);
  if (found == handlers_.plain.end()) {
    ReportUnhandled(event);
    return;
  }
  const std::function<void()> handler = found->second;
  Run(handler);
}

void ShellBinding::FireText(const std::string& event, const std::string& text) {
  const auto found = handlers_.withText.find(event);
  if (found == handlers_.withText.end()) {
    ReportUnhandled(event);
    return;
  }
  const std::function<void(const std::string&)> handler = found->second;
  Run([&] { handler(text); });
}

bool ShellBinding::Handles(const std::string& event) const {
  return handlers_.plain.contains(event) || handlers_.withText.contains(event);
}

std::vector<std::string> ShellBinding::HandledEvents() const {
  std::vector<std::string> events;
  for (const auto& [event, handler] : handlers_.plain) events.push_back(event);
  for (const auto& [event, handler] : handlers_.withText) events.push_back(event);
  return events;
}

void ShellBinding::ReportUnhandled(const std::string& event) {
  if (!unhandledReported_.insert(event).second) return;
  qWarning("No handler answers the event %s", event.c_str());
}

void ShellBinding::BindMenusAndButtons() {
  for (const NamedControl& named : game_.controls.All()) {
    const std::string name(named.name);
    QObject* object = binder_.Find(name);
    // A submenu's item raises no click of its own.
    if (auto* action = qobject_cast<QAction*>(object);
        action != nullptr && game_.controls.Raises(name + "Click")) {
      connect(action, &QAction::triggered, this, [this, name] { Fire(name + "Click"); });
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
      connect(button, &QAbstractButton::clicked, this, [this, name, button] {
        if (auto* const* model = std::get_if<Button*>(game_.controls.Find(name))) {
          if (qobject_cast<QRadioButton*>(button)) (*model)->checked = button->isChecked();
        }
        Fire(name + "Click");
      });
    }
    if (auto* swatch = qobject_cast<Swatch*>(object)) {
      connect(swatch, &Swatch::Pressed, this, [this, name] { Fire(name + "MouseDown"); });
    }
  }
  // The other radio button of a pair loses its mark in the model as on the screen.
  for (const char* name : {"RBTutti", "RBSimmetrici"}) {
    if (auto* button = qobject_cast<QAbstractButton*>(binder_.Find(name))) {
      connect(button, &QAbstractButton::toggled, this, [this, name](bool on) {
        if (syncing_ == 0) {
          if (auto* const* model = std::get_if<Button*>(game_.controls.Find(name))) {
            (*model)->checked = on;
          }
        }
      });
    }
  }
}

void ShellBinding::BindGrid() {
  GridView* board = window_.Board();
  board->selectCell = [this](int col, int row) {
    bool allowed = false;
    Run([&] { allowed = game_.sudokugridSelectCell(col, row); });
    return allowed;
  };
  board->mayEdit = [this](int col, int row) { return game_.IsOpenCell(col, row); };
  board->describeCell = [this](int col, int row) { return DescribeBoardCell(col, row); };
  window_.Candidates()->describeCell = [this](int col, int row) {
    const std::string shown = window_.Candidates()->CellText(col, row).toLatin1().toStdString();
    return FromLatin1(DescribeCandidates(col, row, shown, game_.Lingua == "en"));
  };
  board->drawCell = [this](QPainter& painter, int col, int row) {
    PaintBoardCell(painter, col, row);
  };
  board->drawFace = [this](QPainter& painter, int col, int row) { PaintNotes(painter, col, row); };
  board->textColour = [this](int col, int row) {
    return game_.ShowsAsRepeat(col, row) ? kRepeatRed : QColor();
  };
  board->noteKey = [this](int col, int row, int digit, bool modifier) {
    bool used = false;
    Run([&] { used = game_.sudokugridNoteKey(col, row, digit, modifier); });
    return used;
  };
  connect(board, &GridView::EditTextReported, this, [this](int col, int row, const QString& text) {
    Run([&] { game_.sudokugridSetEditText(col, row, ToLatin1(text)); });
  });
  connect(board, &GridView::KeyDown, this,
          [this](KeyCode key) { Run([&] { game_.sudokugridKeyDown(key); }); });
  connect(board, &GridView::KeyUp, this,
          [this](KeyCode) { Run([&] { game_.sudokugridKeyUp(); }); });
  connect(board, &GridView::MouseMoved, this,
          [this](int x, int y) { Run([&] { game_.sudokugridMouseMove(x, y); }); });
  connect(board, &GridView::MousePressed, this, [this](int button, int x, int y) {
    const MouseButton which = button == 1   ? MouseButton::Right
                              : button == 2 ? MouseButton::Middle
                                            : MouseButton::Left;
    Run([&] { game_.sudokugridMouseDown(which, x, y); });
  });
  connect(board, &GridView::Exited, this, [this] { Run([&] { game_.sudokugridExit(); }); });
  // The hover panel belongs to the cell under the pointer: it goes when the pointer leaves,
  // as when the grid loses the focus, rather than stay over the buttons below.
  connect(board, &GridView::PointerLeft, this, [this] { Run([&] { game_.sudokugridExit(); }); });

  window_.Candidates()->drawCell = [this](QPainter& painter, int col, int row) {
    DrawBorders(painter, window_.Candidates()->CellRect(col, row), kCandidateBorders);
  };
}

void ShellBinding::PaintBoardCell(QPainter& painter, int col, int row) const {
  const QRect cell = window_.Board()->CellRect(col, row);
  DrawBorders(painter, cell, kBoardBorders);
  const Board& board = game_.controls.sudokugrid.board;
  const std::string& code = board.Schema[std::size_t(CellIndex(col, row))];
  if (!board.IsGiven(col, row) || code.size() < 2) return;
  painter.setClipRect(cell);
  painter.setPen(Qt::black);
  painter.drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QString(QLatin1Char(code[1])));
}

// Each noted digit sits in its own third of the cell, 1 to 9 as on a phone's keypad, small and
// grey so that it never reads as an entry.
void ShellBinding::PaintNotes(QPainter& painter, int col, int row) const {
  const std::uint16_t notes = game_.NotesShown(col, row);
  if (notes == 0) return;
  const QRect cell = window_.Board()->CellRect(col, row);
  const int third = cell.width() / 3;
  QFont small = CandidateFont();
  small.setPixelSize(kNotePixels);
  painter.setFont(small);
  painter.setPen(kNoteGrey);
  for (int digit = 1; digit <= 9; ++digit) {
    if ((notes >> digit & 1) == 0) continue;
    const QRect box(cell.left() + (digit - 1) % 3 * third, cell.top() + (digit - 1) / 3 * third,
                    third, third);
    painter.drawText(box, Qt::AlignCenter, QString(QChar(u'0' + digit)));
  }
}

void ShellBinding::BindLists() {
  if (auto* list = qobject_cast<QTreeWidget*>(binder_.Find("LVsudoku"))) {
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this, list] {
      if (syncing_ != 0) return;
      const QList<QTreeWidgetItem*> chosen = list->selectedItems();
      game_.controls.LVsudoku.selected =
          chosen.isEmpty() ? -1 : list->indexOfTopLevelItem(chosen.first());
    });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { Fire("LVsudokuDblClick"); });
    // Enter on the row is the keyboard's double click.
    auto* enter = new QShortcut(list);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this, list] {
      if (!list->selectedItems().isEmpty()) Fire("LVsudokuDblClick");
    });
    connect(list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { Run([&] { game_.LVsudokuColumnClick(column); }); });
  }
  for (const char* name : {"CBAnno", "CBMese"}) {
    auto* combo = qobject_cast<QComboBox*>(binder_.Find(name));
    if (combo == nullptr) continue;
    connect(combo, &QComboBox::activated, this, [this, name](int index) {
      if (auto* const* model = std::get_if<ComboBox*>(game_.controls.Find(name))) {
        (*model)->itemIndex = index;
      }
      Fire(std::string(name) + "Change");
    });
  }
  if (auto* group = qobject_cast<QGroupBox*>(binder_.Find("RGnbase"))) {
    const QList<QRadioButton*> items =
        group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < items.size(); ++i) {
      connect(items[i], &QRadioButton::clicked, this, [this, i] {
        game_.controls.RGnbase.itemIndex = i;
        Fire("RGnbaseClick");
      });
    }
  }
  if (auto* memo = qobject_cast<QPlainTextEdit*>(binder_.Find("MInviamsgsfida"))) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
      if (syncing_ == 0) game_.controls.MInviamsgsfida.lines = LinesOf(memo->toPlainText());
    });
    auto* send = new QShortcut(memo);
    send->setKeys(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    send->setContext(Qt::WidgetShortcut);
    connect(send, &QShortcut::activated, this, [this] {
      auto* button = qobject_cast<QAbstractButton*>(binder_.Find("SBInviaMsg"));
      if (button != nullptr && button->isEnabled()) button->click();
    });
  }
}

void ShellBinding::BindTabs() {
  window_.PageControl1()->Bar()->changing = [this] {
    if (!handlers_.pageControl1Changing) return true;
    bool allowed = false;
    Run([&] { allowed = handlers_.pageControl1Changing(); });
    return allowed;
  };
  for (TabControl* tabs : {window_.PageControl1(), window_.PageControl2()}) {
    // The model follows the switch before the new page appears: a Sync run by a widget of that
    // page taking the focus would otherwise put the old tab back.
    tabs->switching = [this, tabs](int index) {
      if (syncing_ != 0 || index < 0) return;
      if (auto* const* model =
              std::get_if<PageControl*>(game_.controls.Find(tabs->objectName().toStdString()))) {
        (*model)->activePage = tabs->widget(index)->objectName().toStdString();
      }
    };
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int index) {
      if (syncing_ != 0 || index < 0) return;
      const std::string event = tabs->widget(index)->objectName().toStdString() + "Show";
      if (game_.controls.Raises(event)) Fire(event);
    });
  }
}

void ShellBinding::BindTimersAndPanes() {
  for (const NamedControl& named : game_.controls.All()) {
    const std::string name(named.name);
    if (QTimer* timer = binder_.TimerOf(name)) {
      connect(timer, &QTimer::timeout, this, [this, name] { Fire(name + "Timer"); });
    }
  }
  // A pane raises only the events the behaviour answers; the others go unheard.
  const Controls& controls = game_.controls;
  for (const auto& [name, pane] : window_.Panes()) {
    const std::string paneName = name;
    if (controls.Raises(paneName + "DocumentComplete")) {
      pane->documentComplete = [this, paneName] { Fire(paneName + "DocumentComplete"); };
    }
    if (controls.Raises(paneName + "TitleChange")) {
      pane->titleChanged = [this, paneName](const std::string& title) {
        FireText(paneName + "TitleChange", title);
      };
    }
    if (controls.Raises(paneName + "BeforeNavigate2")) {
      pane->beforeNavigate = [this, paneName](const std::string& address) {
        FireText(paneName + "BeforeNavigate2", address);
      };
    }
    if (controls.Raises(paneName + "NavigateError")) {
      pane->navigateError = [this, paneName](const std::string& address) {
        FireText(paneName + "NavigateError", address);
      };
    }
  }
}

}  // namespace sudoku

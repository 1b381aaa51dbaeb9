// The main window's frame: size, regions, menus, activation and close.
#include "desktop/tfsudoku.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QWindow>
#include <initializer_list>

#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/web_pane.h"
#include "desktop/widget_factory.h"

namespace sudoku {

namespace {

constexpr int kClientWidth = 1018;
constexpr int kClientHeight = 684;

// Marks a separator in a list of menu items.
constexpr const char* kSeparator = nullptr;

// A menu of that name in a menu bar or a menu, its caption left to the control model.
template <typename Owner>
QMenu* AddMenu(Owner* owner, const char* name) {
  QMenu* menu = owner->addMenu(QString());
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  menu->setToolTipsVisible(true);
  return menu;
}

void AddItems(QMenu* menu, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (name == kSeparator) {
      menu->addSeparator();
    } else {
      menu->addAction(QString())->setObjectName(QString::fromLatin1(name));
    }
  }
}

}  // namespace

TFsudoku::TFsudoku(const Options& options, QWidget* parent)
    : QMainWindow(parent), options_(options) {
  setObjectName(QStringLiteral("Fsudoku"));
  setWindowTitle(QStringLiteral("Sudoku"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(CandidateFont());
  setMenuBar(new QMenuBar(this));
  BuildMenus();

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  SetBackground(client, WindowYellow());
  setCentralWidget(client);
  BuildPageControl1(client);
  BuildBoardPanel(client);
  BuildBottomPanel(client);
  BuildChallengePanel(client);
  SetTabOrder();
  // The client and the menu bar, as tall as its captions make it once they are in.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  board_->setFocus();
}

WebPane* TFsudoku::Pane(const std::string& name) const {
  const auto found = panes_.find(name);
  return found == panes_.end() ? nullptr : found->second;
}

QWidget* TFsudoku::MakePane(const char* name, QWidget* parent) {
  if (!options_.browsers) {
    auto* placeholder = new QWidget(parent);
    placeholder->setObjectName(QString::fromLatin1(name));
    SetBackground(placeholder, Qt::white);
    return placeholder;
  }
  auto* pane = new WebPane(options_.profile, parent);
  pane->setObjectName(QString::fromLatin1(name));
  panes_[name] = pane;
  return pane;
}

void TFsudoku::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* sudoku = AddMenu(bar, "Sudoku1");
  AddItems(sudoku, {"ScaricaSchemaweb2", "ApriSchemalocale1", "ScaricaSchemaweb1", kSeparator,
                    "RicominciaPartita", "SalvaPartita1", "RiprendiPartita1", kSeparator});
  AddItems(AddMenu(sudoku, "AvviaTimer1"), {"Avvia1", "Pausa1", "Restart1"});
  AddItems(sudoku, {kSeparator, "Connessione1", "Statistiche", kSeparator, "EXIT1", kSeparator,
                    "CopiaSchema1", "IncollaSchema1", "ImportaSchemi1", "GraficoStatistiche1"});
  AddItems(sudoku, {kSeparator, "ModalitaNote1", "RiempiNote1", "CancellaNote1", "NoteVicini1",
                    "RipetizioniRosse1"});

  AddItems(AddMenu(bar, "Opzioni1"),
           {"Undo1", kSeparator, "Soluzione1", "Vota1", "Stampa1", kSeparator,
            "SoluzionePassoPasso1", "SoluzioneAutomatica", "SuggerisciNumero"});

  QMenu* create = AddMenu(bar, "CreaSudoku1");
  AddItems(create, {"Salva1", "ApriSchemaIncompleto", "Pubblica1", kSeparator});
  AddItems(AddMenu(create, "NumeroSoluzioni1"), {"Finoa10", "Finoa30", "Finoa60"});
  AddItems(create, {kSeparator, "Istruzioni1"});

  AddItems(AddMenu(bar, "sfida"),
           {"LanciaSfida", "AccettaSfida", "AbbandonaSfida", kSeparator, "Classifica"});

  // The playing aids live under "Help", before About.
  AddItems(AddMenu(bar, "menuhelp"),
           {"MostraCandidati", "MostraTuttiiCandidati1", "EvidenziaErrore", "Seganalanosoluzioni",
            kSeparator, "About"});
  for (const char* option : {"MostraCandidati", "EvidenziaErrore", "Seganalanosoluzioni",
                             "ModalitaNote1", "NoteVicini1", "RipetizioniRosse1"}) {
    MadeChild<QAction>(this, option)->setCheckable(true);
  }
  // Shortcuts of the frequent commands; a disabled item ignores its shortcut. Copy and paste
  // reach the grid's editor first while it is open. Ctrl with a digit, a single note, is the
  // grid's own key.
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"Undo1", QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {"SalvaPartita1", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"RiprendiPartita1", QKeySequence(Qt::CTRL | Qt::Key_R)},
      {"SuggerisciNumero", QKeySequence(Qt::CTRL | Qt::Key_H)},
      {"CopiaSchema1", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"IncollaSchema1", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {"ModalitaNote1", QKeySequence(Qt::CTRL | Qt::Key_N)}};
  for (const auto& [name, keys] : shortcuts) {
    MadeChild<QAction>(this, name)->setShortcut(keys);
  }
  // F10 opens the first menu, as on the desktops: the menu captions have no Alt mnemonics.
  connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, bar,
          [bar] { bar->setActiveAction(bar->actions().value(0)); });

  // The language item shows its flag beside its caption, which a menu bar item cannot do:
  // it is a button at the end of the bar that carries the item.
  languageItem_ = new QAction(this);
  languageItem_->setObjectName(QStringLiteral("menulingua"));
  auto* language = new FocusToolButton(bar);
  language->setDefaultAction(languageItem_);
  language->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  language->setAutoRaise(true);
  language->setFocusPolicy(Qt::TabFocus);
  bar->setCornerWidget(language, Qt::TopRightCorner);

  for (const char* disabled : {"Opzioni1", "CreaSudoku1", "sfida", "Pausa1", "Undo1"}) {
    MadeChild<QAction>(this, disabled)->setEnabled(false);
  }
}

// The Tab key's round: the board panel as it reads (the timer, the steps, the grid, the swatches,
// the challenge buttons), the challenge's dialogue, then the tabs and their pages.
void TFsudoku::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const char* name :
       {"SBPlay", "SBPause", "SPRestart", "BIndietro", "BAvanti", "sudokugrid", "ShGiallo",
        "ShRosso", "ShAqua", "ShVerde", "SBLancia", "SBAccetta", "SBAbbandona", "SBInviaMossa",
        "REDialogo", "MInviamsgsfida", "SBInviaMsg"}) {
    auto* next = findChild<QWidget*>(QString::fromLatin1(name));
    if (previous != nullptr && next != nullptr) setTabOrder(previous, next);
    if (next != nullptr) previous = next;
  }
}

void TFsudoku::closeEvent(QCloseEvent* event) {
  if (mayClose && !mayClose()) {
    event->ignore();
    return;
  }
  if (closing) closing();
  event->accept();
}

void TFsudoku::PlaceAtTopLeft() {
  // Before the window exists a move places its frame, which the window manager honours when it
  // frames the window; once it exists only the frame position does (a move would place the
  // client area there and the title bar above the screen's edge).
  const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QPoint corner = where != nullptr ? where->availableGeometry().topLeft() : QPoint(0, 0);
  if (testAttribute(Qt::WA_WState_Created) && windowHandle() != nullptr) {
    windowHandle()->setFramePosition(corner);
  } else {
    move(corner);
  }
}

bool TFsudoku::event(QEvent* event) {
  const bool result = QMainWindow::event(event);
  // The first show counts as the first activation: without a window manager (or offscreen)
  // the window may never be told that it became active.
  const bool first = event->type() == QEvent::WindowActivate || event->type() == QEvent::Show;
  if (first && !activatedOnce_) {
    activatedOnce_ = true;
    if (activated) activated();
  }
  return result;
}

}  // namespace sudoku

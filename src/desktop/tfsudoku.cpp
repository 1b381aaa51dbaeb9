// The main window's frame: size, regions, menus, activation and close.
#include "desktop/tfsudoku.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/web_pane.h"
#include "desktop/widget_factory.h"

namespace sudoku {

namespace {

constexpr int kClientWidth = 1018;
constexpr int kClientHeight = 684;

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
  setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
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

QAction* TFsudoku::AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QMenu* TFsudoku::AddSubmenu(QMenu* menu, const char* name, const char* caption) {
  QMenu* submenu = menu->addMenu(QString::fromLatin1(caption));
  submenu->menuAction()->setObjectName(QString::fromLatin1(name));
  submenu->setToolTipsVisible(true);
  return submenu;
}

void TFsudoku::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto top = [bar](const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->setToolTipsVisible(true);
    return menu;
  };

  QMenu* sudoku = top("Sudoku1", "Sudoku");
  AddItem(sudoku, "ScaricaSchemaweb2", "Apri Schema (web)");
  AddItem(sudoku, "ApriSchemalocale1", "Apri Schema (locale)");
  AddItem(sudoku, "ScaricaSchemaweb1", "Raccolta Schemi (web)");
  sudoku->addSeparator();
  AddItem(sudoku, "RicominciaPartita", "Ricomincia Partita");
  AddItem(sudoku, "SalvaPartita1", "Salva Partita");
  AddItem(sudoku, "RiprendiPartita1", "Riprendi Partita");
  sudoku->addSeparator();
  QMenu* timer = AddSubmenu(sudoku, "AvviaTimer1", "Timer");
  AddItem(timer, "Avvia1", "Avvia");
  AddItem(timer, "Pausa1", "Pausa");
  AddItem(timer, "Restart1", "Restart");
  sudoku->addSeparator();
  AddItem(sudoku, "Connessione1", "Connessione");
  AddItem(sudoku, "Statistiche", "Statistiche");
  sudoku->addSeparator();
  AddItem(sudoku, "EXIT1", "EXIT");

  QMenu* puzzle = top("Opzioni1", "Schema");
  AddItem(puzzle, "Undo1", "Annulla");
  puzzle->addSeparator();
  AddItem(puzzle, "Soluzione1", "Soluzione");
  AddItem(puzzle, "Vota1", "Vota");
  AddItem(puzzle, "Stampa1", "Stampa");
  puzzle->addSeparator();
  AddItem(puzzle, "SoluzionePassoPasso1", "Soluzione Passo Passo");
  AddItem(puzzle, "SoluzioneAutomatica", "Soluzione Automatica");
  AddItem(puzzle, "SuggerisciNumero", "Suggerisci Numero");

  QMenu* create = top("CreaSudoku1", "Crea Sudoku");
  AddItem(create, "Salva1", "Salva");
  AddItem(create, "ApriSchemaIncompleto", "Apri Schema Incompleto");
  AddItem(create, "Pubblica1", "Pubblica");
  create->addSeparator();
  QMenu* count = AddSubmenu(create, "NumeroSoluzioni1", "Numero Soluzioni");
  AddItem(count, "Finoa10", "Fino a 10");
  AddItem(count, "Finoa30", "Fino a 30");
  AddItem(count, "Finoa60", "Fino a 60");
  create->addSeparator();
  AddItem(create, "Istruzioni1", "Istruzioni");

  QMenu* challenge = top("sfida", "Sfida");
  AddItem(challenge, "LanciaSfida", "Lancia");
  AddItem(challenge, "AccettaSfida", "Accetta");
  AddItem(challenge, "AbbandonaSfida", "Abbandona");
  challenge->addSeparator();
  AddItem(challenge, "Classifica", "Classifica");

  // The playing aids live under "Help", before About.
  QMenu* help = top("menuhelp", "Help");
  AddItem(help, "MostraCandidati", "Mostra Candidati")->setCheckable(true);
  AddItem(help, "MostraTuttiiCandidati1", "Mostra Tutti i Candidati");
  AddItem(help, "EvidenziaErrore", "Evidenzia Errore")->setCheckable(true);
  AddItem(help, "Seganalanosoluzioni", "Segnala 0 soluzioni")->setCheckable(true);
  help->addSeparator();
  AddItem(help, "About", "About");

  // The language item shows its flag beside its caption, which a menu bar item cannot do:
  // it is a button at the end of the bar that carries the item.
  languageItem_ = new QAction(QStringLiteral("EN"), this);
  languageItem_->setObjectName(QStringLiteral("menulingua"));
  languageItem_->setToolTip(QStringLiteral("English Version"));
  auto* language = new QToolButton(bar);
  language->setDefaultAction(languageItem_);
  language->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  language->setAutoRaise(true);
  language->setFocusPolicy(Qt::NoFocus);
  bar->setCornerWidget(language, Qt::TopRightCorner);

  for (const char* disabled : {"Opzioni1", "CreaSudoku1", "sfida", "Pausa1", "Undo1"}) {
    if (auto* action = findChild<QAction*>(QString::fromLatin1(disabled))) {
      action->setEnabled(false);
    }
  }
}

void TFsudoku::closeEvent(QCloseEvent* event) {
  if (closing) closing();
  event->accept();
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

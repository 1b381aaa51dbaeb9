// The tab control on the left: puzzle selection (online catalogue, local library, collections),
// puzzle information with its site pane, and the candidates grid.
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/tab_control.h"
#include "desktop/tfsudoku.h"
#include "desktop/widget_factory.h"

namespace sudoku {

namespace {

QWidget* Page(const char* name) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(name));
  SetBackground(page, WindowYellow());
  return page;
}

QToolButton* Button(QWidget* parent, const char* name, int x, int y, int width, int height,
                    const QString& caption, const char* hint) {
  auto* button = Place<QToolButton>(parent, name, x, y, width, height);
  button->setText(caption);
  button->setToolTip(QString::fromLatin1(hint));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

void TFsudoku::BuildPageControl1(QWidget* parent) {
  pageControl1_ = new TabControl(parent);
  pageControl1_->setObjectName(QStringLiteral("PageControl1"));
  pageControl1_->setGeometry(0, 0, 641, 422);
  pageControl1_->Bar()->setFont(TabFont());

  QWidget* select = Page("TSSudokuFile");
  pageControl2_ = new TabControl(select);
  pageControl2_->setObjectName(QStringLiteral("PageControl2"));
  pageControl2_->setGeometry(0, 0, 641, 400);
  pageControl2_->Bar()->setFont(TabFont());
  pageControl2_->addTab(BuildOnlinePage(), QStringLiteral("OnLine"));
  pageControl2_->addTab(BuildLocalPage(), QStringLiteral("Locale"));
  QWidget* collections = Page("TSwwwquillo");
  MakePane("WBdownload", collections)->setGeometry(0, 0, 641, 378);
  pageControl2_->addTab(collections, QStringLiteral("Raccolta da Scaricare"));

  pageControl1_->addTab(select, QStringLiteral("Seleziona Sudoku"));
  pageControl1_->addTab(BuildInfoPage(), QStringLiteral("Info Schema & Soluzione  "));
  pageControl1_->addTab(BuildCandidatesPage(), QStringLiteral("Candidati"));
}

QWidget* TFsudoku::BuildOnlinePage() {
  QWidget* page = Page("TSTrascina");
  MakePane("WBTrascina", page)->setGeometry(0, 0, 430, 378);

  auto* filters = Place<QWidget>(page, "Panel1", 432, 0, 209, 378);
  SetBackground(filters, WindowYellow());
  auto* heading = Place<QLabel>(filters, "Label6", 8, 6, 190, 16);
  heading->setText(QStringLiteral("Criteri di Selezione"));
  QFont bold = CandidateFont();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setToolTip(QStringLiteral(
      "Imposta i criteri, clicca applica, naviga con le frecce blu, carica lo schema scelto."));

  Place<QLabel>(filters, "Label4", 8, 32, 40, 20)->setText(QStringLiteral("Anno"));
  Place<QComboBox>(filters, "CBAnno", 50, 30, 70, 22);
  Place<QLabel>(filters, "Label5", 8, 60, 40, 20)->setText(QStringLiteral("Mese"));
  Place<QComboBox>(filters, "CBMese", 50, 58, 70, 22);
  Place<QRadioButton>(filters, "RBTutti", 8, 88, 90, 20)->setText(QStringLiteral("Tutti"));
  Place<QRadioButton>(filters, "RBSimmetrici", 100, 88, 100, 20)
      ->setText(QStringLiteral("Simmetrici"));

  auto* givens = Place<QGroupBox>(filters, "RGnbase", 8, 114, 190, 128);
  givens->setTitle(QStringLiteral("Numeri Base"));
  for (int i = 0; i < 10; ++i) {
    const QString text = QString::number(20 + i);
    auto* item = Place<QRadioButton>(givens, ("RGnbase_" + text.toStdString()).c_str(),
                                     10 + (i / 5) * 90, 20 + (i % 5) * 20, 80, 20);
    item->setText(text);
  }

  QFont arrows = CandidateFont();
  arrows.setPixelSize(20);
  QToolButton* back =
      Button(filters, "SBIndietroWB", 8, 250, 40, 32, QString(QChar(0x25C0)), "Schema Precedente");
  QToolButton* next =
      Button(filters, "SBAvantiWB", 52, 250, 40, 32, QString(QChar(0x25B6)), "Schema Successivo");
  for (QToolButton* button : {back, next}) {
    button->setFont(arrows);
    SetTextColour(button, QColor(0, 0, 255));
  }
  Button(filters, "SBLoadFromWeb", 100, 250, 98, 32, QStringLiteral("Carica"), "Carica Schema");
  Button(filters, "SBApplicaFiltri", 8, 290, 120, 24, QStringLiteral("Applica"),
         "Applica i Criteri di Selezione")
      ->hide();

  auto* others = Place<QWidget>(page, "Paltrisudoku", 432, 0, 209, 378);
  MakePane("wbAltriSudoku", others)->setGeometry(0, 0, 209, 378);
  others->hide();
  return page;
}

QWidget* TFsudoku::BuildLocalPage() {
  QWidget* page = Page("TSLocale");
  auto* list = Place<QTreeWidget>(page, "LVsudoku", 0, 0, 641, 378);
  list->setRootIsDecorated(false);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setToolTip(QStringLiteral("Doppio Click per caricare lo schema"));
  list->setHeaderLabels(
      {"Sudoku", "Numero", "Pubblicato il", "Numeri Base", "Livello", "Risolto", "Media Voti"});
  const int widths[] = {180, 60, 88, 90, 54, 54, 76};
  for (int i = 0; i < 7; ++i) list->setColumnWidth(i, widths[i]);
  list->header()->setSectionsClickable(true);
  list->header()->setSectionsMovable(false);
  list->header()->setSortIndicatorShown(false);
  return page;
}

QWidget* TFsudoku::BuildInfoPage() {
  QWidget* page = Page("TSInfo");
  const struct {
    const char* label;
    const char* caption;
    const char* field;
  } rows[] = {{"Label1", "Tipo Schema", "ETipologia"},
              {"Label12", "Num Base", "ENumBase"},
              {"Label13", "Livello", "ELivello"},
              {"Label16", "Numero", "ENumeroSchema"},
              {"Label17", "Pubblicato il", "EDataPubblicazione"},
              {"Label14", "Media Voti", "EMediaVoti"},
              {"Label15", "Votanti", "EVotanti"},
              {"Label3", "Creato da", "ECreatore"}};
  int y = 8;
  for (const auto& row : rows) {
    Place<QLabel>(page, row.label, 6, y, 160, 14)->setText(QString::fromLatin1(row.caption));
    auto* field = Place<QLineEdit>(page, row.field, 6, y + 14, 160, 20);
    field->setReadOnly(true);
    y += 40;
  }
  Button(page, "vedisoluzione", 6, y + 4, 52, 26, QStringLiteral("Soluzione"),
         "Vedi Soluzione Online");
  Button(page, "Vota", 60, y + 4, 52, 26, QStringLiteral("Vota"), "Vota Sudoku");
  Button(page, "BStampa", 114, y + 4, 52, 26, QStringLiteral("Stampa"), "Apri Stampa");
  MakePane("WBsoluzione", page)->setGeometry(172, 0, 469, 400);
  return page;
}

QWidget* TFsudoku::BuildCandidatesPage() {
  QWidget* page = Page("TSHelp");
  auto* heading = Place<QLabel>(page, "Label2", 46, 8, 549, 16);
  heading->setText(QStringLiteral("Griglia dei valori ammissibili per singola cella"));
  QFont bold = CandidateFont();
  bold.setBold(true);
  heading->setFont(bold);
  candidates_ = new GridView({60, 36, false}, page);
  candidates_->setObjectName(QStringLiteral("UAgrid"));
  candidates_->move(46, 30);
  candidates_->setFont(CandidateFont());
  SetTextColour(candidates_, Qt::black);
  return page;
}

}  // namespace sudoku

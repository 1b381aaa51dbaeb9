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
#include <iterator>
#include <string>
#include <utility>

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
  pageControl2_->addTab(BuildOnlinePage(), QString());
  pageControl2_->addTab(BuildLocalPage(), QString());
  QWidget* collections = Page("TSwwwquillo");
  MakePane("WBdownload", collections)->setGeometry(0, 0, 641, 378);
  pageControl2_->addTab(collections, QString());

  pageControl1_->addTab(select, QString());
  pageControl1_->addTab(BuildInfoPage(), QString());
  pageControl1_->addTab(BuildCandidatesPage(), QString());
}

QWidget* TFsudoku::BuildOnlinePage() {
  QWidget* page = Page("TSTrascina");
  MakePane("WBTrascina", page)->setGeometry(0, 0, 430, 378);

  auto* filters = Place<QWidget>(page, "Panel1", 432, 0, 209, 378);
  SetBackground(filters, WindowYellow());
  auto* heading = Place<QLabel>(filters, "Label6", 8, 6, 190, 16);
  QFont bold = CandidateFont();
  bold.setBold(true);
  heading->setFont(bold);

  Place<QLabel>(filters, "Label4", 8, 32, 40, 20);
  Place<QComboBox>(filters, "CBAnno", 50, 30, 70, 22);
  Place<QLabel>(filters, "Label5", 8, 60, 40, 20);
  Place<QComboBox>(filters, "CBMese", 50, 58, 70, 22);
  Place<QRadioButton>(filters, "RBTutti", 8, 88, 90, 20);
  Place<QRadioButton>(filters, "RBSimmetrici", 100, 88, 100, 20);

  // Room for ten items; the model says how many show and what they read.
  auto* givens = Place<QGroupBox>(filters, "RGnbase", 8, 114, 190, 128);
  for (int i = 0; i < 10; ++i) {
    Place<QRadioButton>(givens, ("RGnbase_" + std::to_string(20 + i)).c_str(), 10 + (i / 5) * 90,
                        20 + (i % 5) * 20, 80, 20);
  }

  QFont arrows = CandidateFont();
  arrows.setPixelSize(20);
  QToolButton* back = PlaceButton(filters, "SBIndietroWB", 8, 250, 40, 32, QString(QChar(0x25C0)));
  QToolButton* next = PlaceButton(filters, "SBAvantiWB", 52, 250, 40, 32, QString(QChar(0x25B6)));
  for (QToolButton* button : {back, next}) {
    button->setFont(arrows);
    SetTextColour(button, QColor(0, 0, 255));
  }
  PlaceButton(filters, "SBLoadFromWeb", 100, 250, 98, 32, QStringLiteral("Carica"));
  PlaceButton(filters, "SBApplicaFiltri", 8, 290, 120, 24, QStringLiteral("Applica"))->hide();

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
  const int widths[] = {180, 60, 88, 90, 54, 54, 76};
  list->setColumnCount(int(std::size(widths)));
  for (int i = 0; i < list->columnCount(); ++i) list->setColumnWidth(i, widths[i]);
  list->header()->setSectionsClickable(true);
  list->header()->setSectionsMovable(false);
  list->header()->setSortIndicatorShown(false);
  return page;
}

QWidget* TFsudoku::BuildInfoPage() {
  QWidget* page = Page("TSInfo");
  // Each field under its label.
  const std::pair<const char*, const char*> rows[] = {
      {"Label1", "ETipologia"},          {"Label12", "ENumBase"},
      {"Label13", "ELivello"},           {"Label16", "ENumeroSchema"},
      {"Label17", "EDataPubblicazione"}, {"Label14", "EMediaVoti"},
      {"Label15", "EVotanti"},           {"Label3", "ECreatore"}};
  int y = 8;
  for (auto [label, field] : rows) {
    Place<QLabel>(page, label, 6, y, 160, 14);
    Place<QLineEdit>(page, field, 6, y + 14, 160, 20)->setReadOnly(true);
    y += 40;
  }
  PlaceButton(page, "vedisoluzione", 6, y + 4, 52, 26, QStringLiteral("Soluzione"));
  PlaceButton(page, "Vota", 60, y + 4, 52, 26, QStringLiteral("Vota"));
  PlaceButton(page, "BStampa", 114, y + 4, 52, 26, QStringLiteral("Stampa"));
  MakePane("WBsoluzione", page)->setGeometry(172, 0, 469, 400);
  return page;
}

QWidget* TFsudoku::BuildCandidatesPage() {
  QWidget* page = Page("TSHelp");
  auto* heading = Place<QLabel>(page, "Label2", 46, 8, 549, 16);
  QFont bold = CandidateFont();
  bold.setBold(true);
  heading->setFont(bold);
  candidates_ = new GridView({kCandidateCellWidth, kCandidateCellHeight, false}, page);
  candidates_->setObjectName(QStringLiteral("UAgrid"));
  candidates_->move(46, 30);
  candidates_->setFont(CandidateFont());
  SetTextColour(candidates_, Qt::black);
  return page;
}

}  // namespace sudoku

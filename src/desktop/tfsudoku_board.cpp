// The board panel on the right: title, timer, step buttons, the grid, the colour swatches and
// the challenge buttons.
#include <QLabel>
#include <QToolButton>

#include "desktop/fonts.h"
#include "desktop/grid_view.h"
#include "desktop/swatch.h"
#include "desktop/tfsudoku.h"
#include "desktop/widget_factory.h"

namespace sudoku {

namespace {

QToolButton* SpeedButton(QWidget* parent, const char* name, int x, int y, int width, int height,
                         const QString& caption = {}) {
  QToolButton* button = PlaceButton(parent, name, x, y, width, height, caption);
  button->setAutoRaise(true);
  return button;
}

// Its symbol comes from the model's caption, read as the symbol font it stood for.
QToolButton* TimerButton(QWidget* parent, const char* name, int x) {
  QToolButton* button = SpeedButton(parent, name, x, 18, 30, 30);
  button->setFont(SymbolFont());
  button->setProperty("webdings", true);
  SetTextColour(button, QColor(240, 64, 32));
  return button;
}

}  // namespace

void TFsudoku::BuildBoardPanel(QWidget* parent) {
  auto* panel = Place<QWidget>(parent, "PGridSudoku", 642, 0, 376, 421);
  SetBackground(panel, WindowYellow());

  auto* title = Place<QLabel>(panel, "LTitle", 0, 2, 376, 15);
  title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QFont titleFont = CandidateFont();
  titleFont.setBold(true);
  title->setFont(titleFont);
  SetTextColour(title, QColor(0, 0, 128));

  TimerButton(panel, "SBPlay", 21);
  TimerButton(panel, "SBPause", 53)->setEnabled(false);
  TimerButton(panel, "SPRestart", 85);

  auto* time = Place<QLabel>(panel, "LTime", 128, 21, 113, 24);
  time->setAlignment(Qt::AlignCenter);
  time->setFont(TimeFont());
  SetBackground(time, Qt::black);
  SetTextColour(time, QColor(0, 255, 255));

  for (auto [name, x, arrow] :
       {std::tuple{"BIndietro", 290, 0x21E6}, std::tuple{"BAvanti", 324, 0x21E8}}) {
    QToolButton* step = SpeedButton(panel, name, x, 18, 30, 30, QString(QChar(arrow)));
    QFont arrowFont = CandidateFont();
    arrowFont.setPixelSize(22);
    step->setFont(arrowFont);
    SetTextColour(step, QColor(0, 0, 160));
    step->setEnabled(false);
    step->setShortcut(QKeySequence(Qt::CTRL | (arrow == 0x21E6 ? Qt::Key_Left : Qt::Key_Right)));
  }

  board_ = new GridView({kBoardCell, kBoardCell, true}, panel);
  board_->setObjectName(QStringLiteral("sudokugrid"));
  board_->move(kBoardGridLeft, kBoardGridTop);
  board_->setFont(BoardFont());
  SetTextColour(board_, QColor(0, 0, 255));

  // Placed centred under the grid when the window is activated; this is where that lands.
  auto* bar = Place<QWidget>(panel, "toolbarColori", 21 + 333 / 2 - 93 / 2, 52 + 333 + 1, 93, 23);
  SetBackground(bar, QColor(128, 0, 0));
  int x = 3;
  for (auto [name, colour] :
       {std::pair{"ShGiallo", QColor(255, 255, 0)}, std::pair{"ShRosso", QColor(255, 0, 0)},
        std::pair{"ShAqua", QColor(0, 255, 255)}, std::pair{"ShVerde", QColor(0, 128, 0)}}) {
    auto* swatch = new Swatch(colour, bar);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->move(x, 2);
    x += 22;
  }
  MadeChild<Swatch>(bar, "ShGiallo")->SetCircle(true);

  QFont small = CandidateFont();
  small.setPixelSize(9);
  for (auto [name, bx, caption] :
       {std::tuple{"SBLancia", 21, "Lancia"}, std::tuple{"SBAccetta", 79, "Accetta"},
        std::tuple{"SBAbbandona", 238, "Abbandona"},
        std::tuple{"SBInviaMossa", 296, "Invia Mossa"}}) {
    QToolButton* button = PlaceButton(panel, name, bx, 388, 58, 22, QString::fromLatin1(caption));
    button->setFont(small);
    button->setEnabled(false);
  }

  auto* hover = Place<QLabel>(panel, "lpos", 0, 0, 54, 17);
  SetBackground(hover, WindowYellow());
  hover->setFrameShape(QFrame::Box);
  hover->setAlignment(Qt::AlignCenter);
  // It only shows: the pointer goes through it to what lies beneath.
  hover->setAttribute(Qt::WA_TransparentForMouseEvents);
  hover->hide();
}

}  // namespace sudoku

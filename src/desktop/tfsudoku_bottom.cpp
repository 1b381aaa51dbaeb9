// The bottom panel (challenge pane, step explanation, dialogue, progress bar, hidden fields) and
// the challenge panel that covers the tab control during a match.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextEdit>
#include <QToolButton>

#include "desktop/tfsudoku.h"
#include "desktop/widget_factory.h"

namespace sudoku {

void TFsudoku::BuildBottomPanel(QWidget* parent) {
  auto* panel = Place<QWidget>(parent, "PBottom", 0, 422, 1018, 262);
  SetBackground(panel, WindowYellow());
  MakePane("wbSfida", panel)->setGeometry(0, 0, 641, 262);

  // Right under the grid: why the cell of the step shown, or of the hint, holds its digit.
  auto* explanation = Place<QLabel>(panel, "LSpiegazione", 645, 2, 369, 34);
  explanation->setWordWrap(true);
  explanation->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetTextColour(explanation, QColor(0, 0, 128));

  auto* dialogue = Place<QTextEdit>(panel, "REDialogo", 645, 38, 369, 136);
  dialogue->setReadOnly(true);
  // Tab leaves the message for the send button; Ctrl+Enter sends it.
  Place<QPlainTextEdit>(panel, "MInviamsgsfida", 645, 178, 300, 56)->setTabChangesFocus(true);
  auto* send = Place<FocusToolButton>(panel, "SBInviaMsg", 950, 178, 64, 56);
  send->setText(QStringLiteral("Invia"));
  send->setEnabled(false);
  auto* progress = Place<QProgressBar>(panel, "ProgressBar1", 645, 240, 369, 16);
  progress->setTextVisible(false);
  progress->hide();

  Place<QTextEdit>(panel, "Mricevimsgsfida", 0, 0, 10, 10)->hide();
  Place<QLineEdit>(panel, "enomefile", 0, 0, 10, 10)->hide();
}

void TFsudoku::BuildChallengePanel(QWidget* parent) {
  auto* panel = Place<QWidget>(parent, "PSfida", 0, 0, 641, 422);
  SetBackground(panel, WindowYellow());
  MakePane("WQuillo", panel)->setGeometry(0, 0, 641, 422);
  panel->hide();
}

}  // namespace sudoku

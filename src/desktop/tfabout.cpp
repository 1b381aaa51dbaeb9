// Layout, pictures and closing of the About box.
#include "desktop/tfabout.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "desktop/fonts.h"
#include "desktop/widget_factory.h"

namespace sudoku {

namespace {

QLabel* Line(QWidget* parent, const char* name, int y, int height, const QString& text, bool bold,
             bool italic) {
  auto* label = Place<QLabel>(parent, name, 0, y, 318, height);
  label->setText(text);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QFont font = CandidateFont();
  font.setPixelSize(12);
  font.setBold(bold);
  font.setItalic(italic);
  label->setFont(font);
  SetTextColour(label, QColor(0, 0, 128));
  return label;
}

}  // namespace

TFAbout::TFAbout(const QString& siteLine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("FAbout"));
  setFixedSize(318, 230);
  SetBackground(this, WindowYellow());
  picture1_ = Place<QLabel>(this, "Image1", 0, 0, 320, 65);
  picture1_->setScaledContents(true);
  Line(this, "LTitolo", 70, 20, QStringLiteral("Sudoku " SUDOKU_VERSION), true, false);
  Line(this, "LMotto", 92, 20, QStringLiteral("Gioca, Crea, Risolvi Tutti i Sudoku Puzzles"), false,
       true);
  Line(this, "LSito", 114, 34, siteLine, true, false);
  picture2_ = Place<QLabel>(this, "Image2", 139, 152, 40, 40);
  picture2_->setScaledContents(true);
  auto* band = Line(this, "LContatti", 204, 26, QStringLiteral("sudoku@localhost"), false, false);
  SetBackground(band, QColor(128, 0, 0));
  SetTextColour(band, Qt::white);
  for (QLabel* label : findChildren<QLabel*>()) {
    if (label != picture2_) label->installEventFilter(this);
  }
}

void TFAbout::LoadPicture(QLabel* label, const char* file) {
  const QString path = QDir::current().filePath(QStringLiteral("noconnect/") + QLatin1String(file));
  QPixmap picture(path);
  if (picture.isNull()) {
    label->clear();
    if (reportError) reportError("Cannot open file \"" + path.toStdString() + "\".");
    return;
  }
  label->setPixmap(picture);
}

void TFAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LoadPicture(picture1_, "logo1.bmp");
  LoadPicture(picture2_, "logo2.bmp");
}

void TFAbout::mousePressEvent(QMouseEvent* event) {
  if (!picture2_->geometry().contains(event->position().toPoint())) accept();
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && watched != picture2_) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sudoku

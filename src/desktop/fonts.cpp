// Font choices of the shell.
#include "desktop/fonts.h"

namespace sudoku {

namespace {

QFont Make(const char* family, int pixels, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QFont BoardFont() {
  QFont font = Make("DejaVu Serif", 32, true);
  font.setStyleHint(QFont::Serif);
  return font;
}

QFont CandidateFont() {
  return Make("DejaVu Sans", 11, false);
}

QFont TabFont() {
  QFont font = Make("DejaVu Sans", 11, false);
  font.setUnderline(true);
  return font;
}

QFont TimeFont() {
  return Make("DejaVu Sans", 16, true);
}

QFont SymbolFont() {
  return Make("DejaVu Sans", 24, false);
}

QString PlaySymbol() {
  return QString(QChar(0x25B6));
}
QString PauseSymbol() {
  return QString(QChar(0x275A)) + QChar(0x275A);
}
QString RestartSymbol() {
  return QString(QChar(0x21BB));
}

}  // namespace sudoku

// The About box: a borderless yellow window with the two pictures and the program's lines;
// a click anywhere but on the small picture closes it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;

namespace sudoku {

class TFAbout : public QDialog {
  Q_OBJECT
 public:
  // siteLine: the line that points to the site's sudoku pages.
  TFAbout(const QString& siteLine, QWidget* parent = nullptr);

  // Where a picture that cannot be loaded is reported.
  std::function<void(const std::string&)> reportError;

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadPicture(QLabel* label, const char* file);
  QLabel* picture1_;
  QLabel* picture2_;
};

}  // namespace sudoku

// A 9x9 grid control drawn by hand: fixed cell pitch, 1-pixel grid lines, an optional in-place
// editor on the current cell, paint-only colour fills, and every input event handed on raw.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "play/grid_geometry.h"
#include "play/key_code.h"

class QLineEdit;

namespace sudoku {

class GridView : public QWidget {
  Q_OBJECT
 public:
  struct Geometry {
    int cellWidth = kBoardCell;
    int cellHeight = kBoardCell;
    bool editable = false;
  };
  GridView(const Geometry& geometry, QWidget* parent = nullptr);

  QString CellText(int col, int row) const { return texts_[Index(col, row)]; }
  // Changes the text the grid shows; an open editor on that cell follows it.
  void SetCellText(int col, int row, const QString& text);

  int CurrentCol() const { return currentCol_; }
  int CurrentRow() const { return currentRow_; }
  // Moves the cursor without asking anybody (the logic's own choice of cell).
  void SetCurrent(int col, int row);
  QRect CellRect(int col, int row) const;
  // The colour last painted over the cell by FillRect; invalid when none is shown.
  QColor MarkOf(int col, int row) const;
  // What a screen reader says for the cell: describeCell's words, else the cell's text.
  QString CellDescription(int col, int row) const;
  // Tells assistive technology what just happened on the board: the text becomes the grid's
  // accessible value, announced by a value change.
  void Announce(const QString& text);
  QString Announcement() const { return announcement_; }

  // Paints a rectangle over a cell's face (under the borders and given digits drawn by
  // drawCell) until the cell is selected, edited or cleared.
  void FillRect(const QRect& rect, const QColor& colour);
  // Removes the fills of the cells that area touches, or all fills when area is empty.
  void ClearFills(const QRect& area = QRect());
  bool EditorOpen() const;
  // Closes the editor, reporting its text once more.
  void CloseEditor();
  // Gives the open editor the text colour of its cell again, after that colour changed.
  void RefreshEditorColour();

  // Asked before a cell becomes current; false keeps the cursor where the logic left it.
  std::function<bool(int col, int row)> selectCell;
  // Asked before the editor opens on the current cell; false keeps it closed, whatever the key
  // or click that asked.
  std::function<bool(int col, int row)> mayEdit;
  // Draws what lies over a cell's usual face (borders, given digits), after the usual face.
  std::function<void(QPainter& painter, int col, int row)> drawCell;
  // Draws more of a cell's own face, after its text and under the fills; clipped to the cell.
  std::function<void(QPainter& painter, int col, int row)> drawFace;
  // The colour of a cell's text (and of its editor); an invalid colour keeps the grid's own.
  std::function<QColor(int col, int row)> textColour;
  // Offered a digit key 1..9 on the current cell, before the editor sees it; true takes the key
  // (a note), which closes the editor and ends the cell's fills. modifier tells that Ctrl was
  // held.
  std::function<bool(int col, int row, int digit, bool modifier)> noteKey;
  // The spoken form of a cell for assistive technology; unset, the cell's text is used.
  std::function<QString(int col, int row)> describeCell;

 signals:
  void EditTextReported(int col, int row, const QString& text);
  void KeyDown(sudoku::KeyCode key);
  void KeyUp(sudoku::KeyCode key);
  void MouseMoved(int x, int y);
  void MousePressed(int button, int x, int y);
  void Exited();
  // The pointer has left the grid.
  void PointerLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  static int Index(int col, int row) { return col * 9 + row; }
  // Handles a key pressed in the grid or its editor; true when the key was used.
  bool HandleKeyPress(QKeyEvent* event);
  bool NavigationTarget(int key, int& col, int& row) const;
  void MoveTo(int col, int row);
  void OpenEditor(const QString& typed);
  void ForgetMarks(int col, int row);
  bool EditorHasFocus() const;
  // The keyboard's right click: the colour mark on the cursor's cell, the focus kept here.
  void MarkCurrent();
  // Tells assistive technology that the current cell is now the focused one.
  void AnnounceCurrent();

  struct Mark {
    QRect rect;
    QColor colour;
  };
  Geometry geometry_;
  std::array<QString, 81> texts_;
  std::array<std::vector<Mark>, 81> marks_;
  int currentCol_ = 0;
  int currentRow_ = 0;
  QLineEdit* editor_ = nullptr;
  bool editorOpen_ = false;
  QString announcement_;
};

// The grid's name for a Qt key: a navigation key, or kKeyOther.
KeyCode KeyCodeOf(int qtKey);

}  // namespace sudoku

// The hand-drawn 9x9 grid: painting, the in-place editor and the raw input events.
#include "desktop/grid_view.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "desktop/grid_accessible.h"

namespace sudoku {

namespace {

const QColor kCellColour(255, 255, 255);
const QColor kLineColour(192, 192, 192);
const QColor kCurrentColour(204, 224, 255);
// What OpenEditor is handed for the keys that shorten or clear the cell's text.
const QString kBackspace = QStringLiteral("\b");
const QString kDelete = QStringLiteral("\x7f");

}  // namespace

KeyCode KeyCodeOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kKeyTab;
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_Home:
      return kKeyHome;
    default:
      return kKeyOther;
  }
}

GridView::GridView(const Geometry& geometry, QWidget* parent)
    : QWidget(parent), geometry_(geometry) {
  setFixedSize(9 * (geometry.cellWidth + kGridLine), 9 * (geometry.cellHeight + kGridLine));
  setFocusPolicy(geometry.editable ? Qt::StrongFocus : Qt::NoFocus);
  setMouseTracking(true);
  InstallGridAccessibility();
  if (!geometry.editable) return;
  editor_ = new QLineEdit(this);
  editor_->setFrame(false);
  editor_->setObjectName("inplaceEditor");
  editor_->setTextMargins(0, 0, 0, 0);
  editor_->setContentsMargins(0, 0, 0, 0);
  editor_->hide();
  // A right click on the editor is a colour mark on its cell, not the editor's own menu.
  editor_->setContextMenuPolicy(Qt::NoContextMenu);
  editor_->installEventFilter(this);
  connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
    ForgetMarks(currentCol_, currentRow_);
    emit EditTextReported(currentCol_, currentRow_, text);
  });
}

QRect GridView::CellRect(int col, int row) const {
  return QRect(col * (geometry_.cellWidth + kGridLine), row * (geometry_.cellHeight + kGridLine),
               geometry_.cellWidth, geometry_.cellHeight);
}

QColor GridView::MarkOf(int col, int row) const {
  const std::vector<Mark>& marks = marks_[Index(col, row)];
  return marks.empty() ? QColor() : marks.back().colour;
}

QString GridView::CellDescription(int col, int row) const {
  return describeCell ? describeCell(col, row) : CellText(col, row);
}

void GridView::AnnounceCurrent() {
  if (editor_ != nullptr) editor_->setAccessibleName(CellDescription(currentCol_, currentRow_));
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(this, QAccessible::Focus);
  event.setChild(currentRow_ * 9 + currentCol_);
  QAccessible::updateAccessibility(&event);
}

void GridView::Announce(const QString& text) {
  announcement_ = text;
  if (text.isEmpty() || !QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(this, text);
  QAccessible::updateAccessibility(&event);
}

void GridView::SetCellText(int col, int row, const QString& text) {
  const int i = Index(col, row);
  if (editorOpen_ && col == currentCol_ && row == currentRow_ && editor_->text() != text) {
    editor_->setText(text);
  }
  if (texts_[i] == text) return;
  texts_[i] = text;
  ForgetMarks(col, row);
  update(CellRect(col, row));
}

void GridView::SetCurrent(int col, int row) {
  if (col < 0 || col > 8 || row < 0 || row > 8) return;
  if (col == currentCol_ && row == currentRow_) return;
  CloseEditor();
  ForgetMarks(currentCol_, currentRow_);
  currentCol_ = col;
  currentRow_ = row;
  ForgetMarks(col, row);
  update();
  AnnounceCurrent();
}

void GridView::FillRect(const QRect& rect, const QColor& colour) {
  const int col = rect.left() / (geometry_.cellWidth + kGridLine);
  const int row = rect.top() / (geometry_.cellHeight + kGridLine);
  if (col < 0 || col > 8 || row < 0 || row > 8) return;
  // The end of a flash, which paints the cell in the window colour: from then on the cell is the
  // grid's own drawing again, digit included, as a repaint would leave it.
  if (colour == kCellColour) {
    ForgetMarks(col, row);
    return;
  }
  marks_[Index(col, row)].push_back({rect, colour});
  update(rect);
}

void GridView::ClearFills(const QRect& area) {
  for (int i = 0; i < 81; ++i) {
    const QRect cell = CellRect(i / 9, i % 9);
    if (area.isEmpty() || area.intersects(cell)) ForgetMarks(i / 9, i % 9);
  }
}

void GridView::ForgetMarks(int col, int row) {
  std::vector<Mark>& marks = marks_[Index(col, row)];
  if (marks.empty()) return;
  marks.clear();
  update(CellRect(col, row));
}

bool GridView::EditorOpen() const {
  return editorOpen_;
}

bool GridView::EditorHasFocus() const {
  return editor_ != nullptr && editor_->hasFocus();
}

void GridView::OpenEditor(const QString& typed) {
  if (editor_ == nullptr || (mayEdit && !mayEdit(currentCol_, currentRow_))) return;
  const QRect cell = CellRect(currentCol_, currentRow_);
  editor_->setGeometry(cell.adjusted(2, 2, 0, 0));
  editor_->setFont(font());
  QPalette palette = editor_->palette();
  palette.setColor(QPalette::Base, kCellColour);
  editor_->setPalette(palette);
  RefreshEditorColour();
  QString text = texts_[Index(currentCol_, currentRow_)];
  if (typed == kBackspace) {
    text.chop(1);
  } else if (typed == kDelete) {
    text.clear();
  } else {
    text += typed;
  }
  editor_->setText(text);
  editor_->setCursorPosition(text.size());
  editorOpen_ = true;
  ForgetMarks(currentCol_, currentRow_);
  editor_->setAccessibleName(CellDescription(currentCol_, currentRow_));
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
  if (!typed.isEmpty()) emit EditTextReported(currentCol_, currentRow_, text);
}

void GridView::RefreshEditorColour() {
  if (editor_ == nullptr) return;
  const QColor chosen = textColour ? textColour(currentCol_, currentRow_) : QColor();
  QPalette palette = editor_->palette();
  palette.setColor(QPalette::Text, chosen.isValid() ? chosen : QColor(0, 0, 255));
  editor_->setPalette(palette);
}

void GridView::CloseEditor() {
  if (!editorOpen_) return;
  editorOpen_ = false;
  const QString text = editor_->text();
  const bool hadFocus = editor_->hasFocus();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
  editor_->hide();
  update(CellRect(currentCol_, currentRow_));
  emit EditTextReported(currentCol_, currentRow_, text);
}

void GridView::MoveTo(int col, int row) {
  if (col == currentCol_ && row == currentRow_) return;
  CloseEditor();
  const bool allowed = !selectCell || selectCell(col, row);
  if (allowed) SetCurrent(col, row);
  update();
}

bool GridView::NavigationTarget(int key, int& col, int& row) const {
  col = currentCol_;
  row = currentRow_;
  switch (key) {
    case Qt::Key_Left:
      col = std::max(0, col - 1);
      return true;
    case Qt::Key_Right:
      col = std::min(8, col + 1);
      return true;
    case Qt::Key_Up:
      row = std::max(0, row - 1);
      return true;
    case Qt::Key_Down:
      row = std::min(8, row + 1);
      return true;
    case Qt::Key_Home:
      col = 0;
      return true;
    case Qt::Key_End:
      col = 8;
      return true;
    case Qt::Key_PageUp:
      row = 0;
      return true;
    case Qt::Key_PageDown:
      row = 8;
      return true;
    case Qt::Key_Tab:
      if (col < 8) {
        ++col;
      } else if (row < 8) {
        col = 0;
        ++row;
      }
      return true;
    case Qt::Key_Backtab:
      if (col > 0) {
        --col;
      } else if (row > 0) {
        col = 8;
        --row;
      }
      return true;
    default:
      return false;
  }
}

void GridView::MarkCurrent() {
  CloseEditor();
  const QPoint centre = CellRect(currentCol_, currentRow_).center();
  emit MousePressed(1, centre.x(), centre.y());
  if (!hasFocus()) setFocus(Qt::OtherFocusReason);
  AnnounceCurrent();
}

bool GridView::HandleKeyPress(QKeyEvent* event) {
  const bool control = event->modifiers().testFlag(Qt::ControlModifier);
  // Tab moves the cursor, so Ctrl+Tab and Ctrl+Shift+Tab are the keys that leave the grid.
  if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
    CloseEditor();
    const bool back =
        event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
    QWidget::focusNextPrevChild(!back);
    return true;
  }
  if (control && event->key() == Qt::Key_M && geometry_.editable) {
    MarkCurrent();
    return true;
  }
  emit KeyDown(KeyCodeOf(event->key()));
  int col = 0;
  int row = 0;
  if (NavigationTarget(event->key(), col, row)) {
    MoveTo(col, row);
    return true;
  }
  if (!geometry_.editable) return false;
  const int digit = event->key() - Qt::Key_0;
  if (noteKey && digit >= 1 && digit <= 9 &&
      noteKey(currentCol_, currentRow_, digit, event->modifiers().testFlag(Qt::ControlModifier))) {
    // Writing a note is typing into the cell: the cell is redrawn and its marks go.
    CloseEditor();
    ForgetMarks(currentCol_, currentRow_);
    update(CellRect(currentCol_, currentRow_));
    return true;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (editorOpen_) {
        CloseEditor();
      } else {
        OpenEditor(QString());
      }
      return true;
    case Qt::Key_Escape:
      CloseEditor();
      return true;
    case Qt::Key_Backspace:
      if (editorOpen_) return false;
      OpenEditor(kBackspace);
      return true;
    case Qt::Key_Delete:
      // Delete clears the cell, as Backspace, "0" and a space do.
      if (editorOpen_) {
        editor_->clear();
        emit EditTextReported(currentCol_, currentRow_, QString());
      } else {
        OpenEditor(kDelete);
      }
      return true;
    default:
      break;
  }
  const QString text = event->text();
  if (editorOpen_ || text.isEmpty() || !text.at(0).isPrint()) return false;
  OpenEditor(text);
  return true;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (!HandleKeyPress(event)) QWidget::keyPressEvent(event);
}

void GridView::keyReleaseEvent(QKeyEvent* event) {
  emit KeyUp(KeyCodeOf(event->key()));
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // The editor would keep Ctrl+Z and Ctrl+Left/Right for itself; they are the game's undo
      // and step keys.
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool control = key->modifiers() == Qt::ControlModifier;
      return control &&
             (key->key() == Qt::Key_Z || key->key() == Qt::Key_Left || key->key() == Qt::Key_Right);
    }
    case QEvent::KeyPress:
      return HandleKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
      emit KeyUp(KeyCodeOf(static_cast<QKeyEvent*>(event)->key()));
      return false;
    case QEvent::MouseButtonPress: {
      auto* press = static_cast<QMouseEvent*>(event);
      if (press->button() != Qt::RightButton) return false;
      // The editor closes first: it would hide the mark painted under it.
      const QPoint p = editor_->mapToParent(press->position().toPoint());
      CloseEditor();
      emit MousePressed(1, p.x(), p.y());
      return true;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (!editorOpen_ || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        return false;
      }
      if (QApplication::focusWidget() == this) return false;
      CloseEditor();
      emit Exited();
      return false;
    }
    default:
      return false;
  }
}

void GridView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
  const auto reason = event->reason();
  if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
  if (EditorHasFocus()) return;
  emit Exited();
}

bool GridView::focusNextPrevChild(bool) {
  return false;
}

void GridView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int col = std::clamp(p.x() / (geometry_.cellWidth + kGridLine), 0, 8);
  const int row = std::clamp(p.y() / (geometry_.cellHeight + kGridLine), 0, 8);
  if (event->button() == Qt::LeftButton && geometry_.editable) {
    setFocus(Qt::MouseFocusReason);
    if (col == currentCol_ && row == currentRow_) {
      if (!editorOpen_) OpenEditor(QString());
    } else {
      MoveTo(col, row);
    }
  }
  int button = 0;
  if (event->button() == Qt::RightButton) button = 1;
  if (event->button() == Qt::MiddleButton) button = 2;
  emit MousePressed(button, p.x(), p.y());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseMoved(p.x(), p.y());
}

void GridView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit PointerLeft();
}

void GridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kLineColour);
  painter.setFont(font());
  const bool focused = hasFocus() || EditorHasFocus();
  for (int col = 0; col < 9; ++col) {
    for (int row = 0; row < 9; ++row) {
      const QRect cell = CellRect(col, row);
      const bool current =
          focused && geometry_.editable && col == currentCol_ && row == currentRow_;
      painter.fillRect(cell, current ? kCurrentColour : kCellColour);
      const QColor chosen = textColour ? textColour(col, row) : QColor();
      painter.setPen(chosen.isValid() ? chosen : palette().color(QPalette::WindowText));
      painter.setClipRect(cell);
      painter.drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       texts_[Index(col, row)]);
      if (drawFace) {
        painter.save();
        drawFace(painter, col, row);
        painter.restore();
      }
      painter.setClipping(false);
    }
  }
  // Fills go over the cell's face but under what drawCell adds, so no fill hides a given.
  for (const std::vector<Mark>& marks : marks_) {
    for (const Mark& mark : marks) painter.fillRect(mark.rect, mark.colour);
  }
  for (int col = 0; col < 9 && drawCell; ++col) {
    for (int row = 0; row < 9; ++row) {
      painter.save();
      drawCell(painter, col, row);
      painter.restore();
    }
  }
}

}  // namespace sudoku

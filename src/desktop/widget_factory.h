// Small helpers that create a named control at a fixed place, as the window is laid out.
#pragma once

#include <QColor>
#include <QPalette>
#include <QToolButton>
#include <QWidget>

#include "desktop/focus_tool_button.h"

namespace sudoku {

template <typename W, typename... Args>
W* Place(QWidget* parent, const char* name, int x, int y, int width, int height, Args&&... args) {
  W* widget = new W(std::forward<Args>(args)..., parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(x, y, width, height);
  return widget;
}

// A tool button that a click leaves the focus where it is; the Tab key reaches it. Its caption is
// given only where the control model holds none; tooltips always come from the model.
inline QToolButton* PlaceButton(QWidget* parent, const char* name, int x, int y, int width,
                                int height, const QString& caption = {}) {
  QToolButton* button = Place<FocusToolButton>(parent, name, x, y, width, height);
  button->setText(caption);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

// The child of that name, which the code building the window has made: a missing one is a
// fault of that code, and stops the program at once rather than later on a null pointer.
template <typename W>
W* MadeChild(const QObject* owner, const char* name) {
  W* child = owner->findChild<W*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("The window has no control named %s", name);
  return child;
}

inline void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// Text in that colour while the widget is enabled; disabled widgets keep their grey.
inline void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, colour);
    palette.setColor(group, QPalette::ButtonText, colour);
    palette.setColor(group, QPalette::Text, colour);
  }
  widget->setPalette(palette);
}

// The yellow of the window and its board panel.
inline QColor WindowYellow() {
  return QColor(255, 255, 128);
}

}  // namespace sudoku

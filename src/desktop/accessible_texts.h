// Writes the names and descriptions that assistive technology reads onto the window's widgets.
#pragma once

class QWidget;

namespace sudoku {

// Gives every widget under root that the caption table names its accessible name and
// description in the chosen language; names the window lacks are passed over.
void WriteAccessibleTexts(QWidget* root, bool english);

}  // namespace sudoku

// Writing the caption table into the controls, for the start-up texts or either language.
#pragma once

#include "play/controls.h"

namespace sudoku {

enum class CaptionColumn { Initial, Italian, English };

// Writes every caption and tooltip of the caption table, in the chosen column, into the
// controls. Throws std::logic_error when a row names a control the model lacks.
void WriteCaptions(Controls& controls, CaptionColumn column);

}  // namespace sudoku

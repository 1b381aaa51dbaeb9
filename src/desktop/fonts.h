// The fonts of the window, each the nearest of what a Debian machine has to the font the
// original controls named (the DejaVu families stand in for the Windows ones).
#pragma once

#include <QFont>
#include <QString>

namespace sudoku {

QFont BoardFont();      // digits of the board: a bold serif, 32 pixels
QFont CandidateFont();  // candidates grid and ordinary controls: sans, 11 pixels
QFont TabFont();        // tab captions: sans, 11 pixels, underlined
QFont TimeFont();       // time display: heavy sans, 16 pixels
QFont SymbolFont();     // timer buttons: a sans with the media symbols, 24 pixels

// The symbols of the timer buttons: play, pause, restart.
QString PlaySymbol();
QString PauseSymbol();
QString RestartSymbol();

}  // namespace sudoku

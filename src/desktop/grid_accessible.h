// What assistive technology sees of a GridView: a table of 81 named cells, row by row.
#pragma once

namespace sudoku {

// Makes Qt's accessibility build the grid's table for every GridView; safe to call often.
void InstallGridAccessibility();

}  // namespace sudoku

// The statistics chart window: solving times in the order of the solves, coloured by level,
// with the running average.
#pragma once

#include <QDialog>

#include "play/solve_chart.h"

namespace sudoku {

class StatisticsChart : public QDialog {
  Q_OBJECT
 public:
  StatisticsChart(const SolveSeries& series, bool english, QWidget* parent = nullptr);
};

}  // namespace sudoku

// The chart over Qt Charts.
#include "desktop/statistics_chart.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>

namespace sudoku {

StatisticsChart::StatisticsChart(const SolveSeries& series, bool english, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("GraficoStatistiche"));
  setWindowTitle(english ? QStringLiteral("Statistics chart")
                         : QStringLiteral("Grafico statistiche"));
  resize(720, 460);

  auto* chart = new QChart;
  const std::array<QColor, 6> colours = {QColor(128, 128, 128), QColor(0, 160, 0),
                                         QColor(0, 110, 220),   QColor(230, 160, 0),
                                         QColor(220, 60, 0),    QColor(150, 0, 150)};
  std::array<QScatterSeries*, 6> byLevel{};
  for (int level = 0; level <= 5; ++level) {
    byLevel[std::size_t(level)] = new QScatterSeries;
    byLevel[std::size_t(level)]->setName(
        level == 0
            ? (english ? QStringLiteral("level unknown") : QStringLiteral("livello ignoto"))
            : (english ? QStringLiteral("level %1") : QStringLiteral("livello %1")).arg(level));
    byLevel[std::size_t(level)]->setColor(colours[std::size_t(level)]);
    byLevel[std::size_t(level)]->setMarkerSize(8);
  }
  auto* average = new QLineSeries;
  average->setName(english ? QStringLiteral("running average")
                           : QStringLiteral("media progressiva"));
  double top = 1;
  for (const SolvePoint& point : series.points) {
    byLevel[std::size_t(std::clamp(point.level, 0, 5))]->append(point.index, point.minutes);
    average->append(point.index, point.averageMinutes);
    top = std::max(top, point.minutes);
  }
  auto* x = new QValueAxis;
  x->setTitleText(english ? QStringLiteral("solve") : QStringLiteral("soluzione"));
  x->setLabelFormat(QStringLiteral("%d"));
  x->setRange(0, std::max<qsizetype>(1, qsizetype(series.points.size())) + 1);
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(0);
  x->setTickInterval(SolveAxisStep(series.points.size()));
  auto* y = new QValueAxis;
  y->setTitleText(english ? QStringLiteral("minutes") : QStringLiteral("minuti"));
  y->setRange(0, top * 1.1);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QScatterSeries* points : byLevel) {
    if (points->count() == 0) {
      delete points;
      continue;
    }
    chart->addSeries(points);
    points->attachAxis(x);
    points->attachAxis(y);
  }
  chart->addSeries(average);
  average->attachAxis(x);
  average->attachAxis(y);
  chart->setTitle(english ? QStringLiteral("Solving times") : QStringLiteral("Tempi di soluzione"));

  auto* layout = new QVBoxLayout(this);
  auto* view = new QChartView(chart, this);
  view->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(view);
  auto* note = new QLabel(this);
  note->setTextFormat(Qt::PlainText);
  note->setText(
      QString::fromStdString(SolveChartNote(series.points.size(), series.skipped, english)));
  layout->addWidget(note);
}

}  // namespace sudoku

#pragma once

#include <QList>

class QWidget;

namespace QtCharts {
class QAbstractAxis;
class QChart;
class QXYSeries;
} // namespace QtCharts

// Fills `widget` with a chart of series drawn on two axes, as every chart window of the terminal shows one: each
// series on both axes, the legend below, lines antialiased, no margins. The chart takes the series and the axes, the
// chart view (a child of `widget`) the chart.
void fillWithChart(QWidget* widget, QtCharts::QChart* chart, const QList<QtCharts::QXYSeries*>& series,
    QtCharts::QAbstractAxis* horizontal, QtCharts::QAbstractAxis* vertical);

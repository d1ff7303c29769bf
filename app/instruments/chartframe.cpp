#include "chartframe.h"

#include <QChartView>
#include <QVBoxLayout>
#include <QXYSeries>

using namespace QtCharts;

void fillWithChart(
    QWidget* widget, QChart* chart, const QList<QXYSeries*>& series, QAbstractAxis* horizontal, QAbstractAxis* vertical)
{
    chart->addAxis(horizontal, Qt::AlignBottom);
    chart->addAxis(vertical, Qt::AlignLeft);
    for (QXYSeries* s : series) {
        chart->addSeries(s);
        s->attachAxis(horizontal);
        s->attachAxis(vertical);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, widget);
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

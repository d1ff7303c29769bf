#pragma once

#include "core/host/securitykey.h"

#include <QTimer>
#include <QWidget>

namespace QtCharts {
class QChart;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
} // namespace QtCharts

class Table;
class TableIndexModel;

// A live price chart of one instrument, drawn with Qt Charts: its last price over time (a step line that holds
// between trades and reaches the present) and the trades as points. It follows the deals table through a live
// model of the instrument's deals, in time order, and draws what came at most every RedrawMs, new trades added
// to what is drawn: a busy instrument costs its chart a few redraws a second, whatever the feed's rate.
class ChartWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RedrawMs = 250;

    ChartWindow(Table* deals, const SecurityKey& key, QWidget* parent = nullptr);

    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QScatterSeries* trades() const { return m_trades; }
    QtCharts::QLineSeries* lastPrice() const { return m_last; }
    // Draws what came now, without waiting.
    void redraw();

protected:
    // A language change names the window, its series and axes again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void onDealsInserted(int first);
    void onDealsReset();
    void schedule();

    SecurityKey m_key;
    TableIndexModel* m_deals; // child
    int m_priceField;
    int m_momentField;
    QtCharts::QChart* m_chart; // owned by its view
    QtCharts::QLineSeries* m_last;
    QtCharts::QScatterSeries* m_trades;
    QtCharts::QDateTimeAxis* m_time;
    QtCharts::QValueAxis* m_price;
    int m_drawn = 0; // deals drawn, the model's first rows
    int m_firstNew = 0; // the first row that came since
    double m_low = 0;
    double m_high = 0;
    QTimer m_redraw;
};

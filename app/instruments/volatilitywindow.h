#pragma once

#include "core/host/securitykey.h"

#include <QDateTime>
#include <QWidget>

namespace QtCharts {
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
} // namespace QtCharts

class Table;

// The volatility curve of an option series: the volatility each option's price implies under Black's model on
// its future's price, by strike, calls and puts apart, beside the exchange's own volatility of each option. The
// series is the option's, or the future's; an option's price is its last trade's, else its settlement price, and
// so is the future's. Recomputed at each tick of the host's volatility timer.
class VolatilityWindow : public QWidget
{
    Q_OBJECT
public:
    VolatilityWindow(Table* securities, const SecurityKey& key, QWidget* parent = nullptr);

    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QLineSeries* calls() const { return m_calls; }
    QtCharts::QLineSeries* puts() const { return m_puts; }
    QtCharts::QScatterSeries* exchange() const { return m_exchange; }
    // Computes the curve from the prices as they are now; without the future's price there is none.
    void recalculate();
    // The time to an option's expiry in years of 365 days, both read as wall clocks of the exchange. An expiry
    // without a time of day lasts out its day, so that the options expiring today keep their curve.
    static double yearsToExpiry(const QDateTime& now, const QDateTime& expiry);

protected:
    // A language change names the window, its curves and axes again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    Table* m_securities; // not owned, the host's
    QString m_name; // the series' or the instrument's
    int m_seriesId = 0;
    SecurityKey m_future;
    QtCharts::QChart* m_chart; // owned by its view
    QtCharts::QLineSeries* m_calls;
    QtCharts::QLineSeries* m_puts;
    QtCharts::QScatterSeries* m_exchange;
    QtCharts::QValueAxis* m_strike;
    QtCharts::QValueAxis* m_volatility;
};

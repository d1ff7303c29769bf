#include "volatilitywindow.h"

#include "black76.h"
#include "chartframe.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/directories/optionseriesparamdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/stocktimedirectory.h"

#include <QChart>
#include <QEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>

#include <cmath>

using namespace QtCharts;

namespace {

// The last trade's price, else the settlement price; 0 without either.
double priceOf(const Record& instrument)
{
    const decimal last = instrument.data(QStringLiteral("last")).toDecimal();
    const decimal price = last.isEmpty() ? instrument.data(QStringLiteral("settle_price")).toDecimal() : last;
    return price.isEmpty() ? 0 : price.toDouble();
}

constexpr double MsPerYear = 365.0 * 24 * 3600 * 1000;

} // namespace

VolatilityWindow::VolatilityWindow(Table* securities, const SecurityKey& key, QWidget* parent)
    : QWidget(parent)
    , m_securities(securities)
    // The chart owns its series and axes, the chart view the chart.
    , m_chart(new QChart)
    , m_calls(new QLineSeries)
    , m_puts(new QLineSeries)
    , m_exchange(new QScatterSeries)
    , m_strike(new QValueAxis)
    , m_volatility(new QValueAxis)
{
    const Record instrument = SecurityDirectory::i()->recordById(key.stock, key.board, key.sec);
    m_seriesId = instrument.isNull() ? 0 : instrument.data(QStringLiteral("option_series_id")).toInteger();
    const OptionSeriesParam series = OptionSeriesParamDirectory::i()->getSeriesParam().value(m_seriesId);
    m_future = SecurityKey { key.stock, series.mainBoardId, series.mainSecId };
    m_name = series.name.isEmpty() ? SecurityDirectory::i()->nameByKey(key) : series.name;
    retranslate();
    m_exchange->setMarkerSize(6);
    m_calls->setPointsVisible(true);
    m_puts->setPointsVisible(true);
    // Prices that keep put-call parity give calls and puts one curve: the puts' is drawn dashed over the calls'.
    QPen calls = m_calls->pen();
    calls.setWidth(4);
    m_calls->setPen(calls);
    QPen puts = m_puts->pen();
    puts.setStyle(Qt::DashLine);
    puts.setWidth(2);
    m_puts->setPen(puts);
    m_strike->setLabelFormat(QStringLiteral("%g"));
    fillWithChart(this, m_chart, { m_calls, m_puts, m_exchange }, m_strike, m_volatility);
    connect(SecurityDirectory::i()->getCalcVolatTimer(), &QTimer::timeout, this, &VolatilityWindow::recalculate);
    recalculate();
    resize(640, 420);
}

void VolatilityWindow::retranslate()
{
    setWindowTitle(tr("Кривая волатильности %1").arg(m_name));
    m_calls->setName(tr("Колл"));
    m_puts->setName(tr("Пут"));
    m_exchange->setName(tr("Волатильность биржи"));
    m_strike->setTitleText(tr("Страйк"));
    m_volatility->setTitleText(tr("Волатильность, %"));
}

void VolatilityWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // The chart's title says the future's price in words of the language.
    recalculate();
}

double VolatilityWindow::yearsToExpiry(const QDateTime& now, const QDateTime& expiry)
{
    // The expiry is kept without a zone and the exchange's time comes in the local one: compare the clocks' faces.
    const QDateTime from(now.date(), now.time(), Qt::UTC);
    QDateTime to(expiry.date(), expiry.time(), Qt::UTC);
    if (expiry.time() == QTime(0, 0))
        to = to.addDays(1);
    return double(from.msecsTo(to)) / MsPerYear;
}

void VolatilityWindow::recalculate()
{
    const SecurityDirectory* directory = SecurityDirectory::i();
    const Record future = directory->recordById(m_future.stock, m_future.board, m_future.sec);
    const double forward = future.isNull() ? 0 : priceOf(future);
    if (m_seriesId == 0 || forward <= 0) {
        m_chart->setTitle(tr("Нет цены базового фьючерса"));
        m_calls->clear();
        m_puts->clear();
        m_exchange->clear();
        return;
    }
    const int seriesColumn = m_securities->columnIndex(QStringLiteral("option_series_id"));
    const int typeColumn = m_securities->columnIndex(QStringLiteral("sectype"));
    const QDateTime now = StockTimeDirectory::i()->correctedLocalTime(m_future.stock);
    QVector<QPointF> calls;
    QVector<QPointF> puts;
    QVector<QPointF> exchange;
    // The strikes and volatilities drawn: x from left to right, y from low to high.
    QRectF drawn;
    bool any = false;
    auto take = [&drawn, &any](QVector<QPointF>& points, double strike, double volatility) {
        if (!std::isfinite(volatility))
            return;
        points << QPointF(strike, volatility);
        const QRectF point(strike, volatility, 0, 0);
        drawn = any ? QRectF(QPointF(qMin(drawn.left(), strike), qMin(drawn.top(), volatility)),
                    QPointF(qMax(drawn.right(), strike), qMax(drawn.bottom(), volatility)))
                    : point;
        any = true;
    };
    for (const Record& option : *m_securities->masterIndex()) {
        if (option.data(seriesColumn).toInteger() != m_seriesId || option.data(typeColumn).toChar() != QLatin1Char('O'))
            continue;
        const double strike = option.data(QStringLiteral("strike")).toDecimal().toDouble();
        const double years = yearsToExpiry(now, option.data(QStringLiteral("expdate")).toQDateTime());
        if (years <= 0)
            continue;
        const bool call = option.data(QStringLiteral("opt_type")).toChar() == QLatin1Char('C');
        // Margined options: the premium is not discounted.
        const double implied = Black76::impliedVolatility(
            call ? Black76::Type::Call : Black76::Type::Put, priceOf(option), forward, strike, years);
        take(call ? calls : puts, strike, implied * 100);
        const decimal quoted = directory->volatilityById(option.data(QStringLiteral("stock_id")).toInteger(),
            option.data(QStringLiteral("board_id")).toInteger(), option.data(QStringLiteral("sec_id")).toInteger64());
        if (!quoted.isEmpty())
            take(exchange, strike, quoted.toDouble());
    }
    auto byStrike = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    std::sort(calls.begin(), calls.end(), byStrike);
    std::sort(puts.begin(), puts.end(), byStrike);
    m_calls->replace(calls);
    m_puts->replace(puts);
    m_exchange->replace(exchange);
    m_chart->setTitle(tr("Фьючерс %1: %2").arg(directory->nameByKey(m_future)).arg(forward));
    if (!any)
        return;
    const double margin = qMax(drawn.width() * 0.05, qAbs(drawn.left()) * 0.01);
    m_strike->setRange(drawn.left() - margin, drawn.right() + margin);
    m_volatility->setRange(qMax(0.0, drawn.top() - 5), drawn.bottom() + 5);
    m_strike->applyNiceNumbers();
    m_volatility->applyNiceNumbers();
}

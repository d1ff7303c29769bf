#include "chartwindow.h"

#include "chartframe.h"
#include "instrumentrows.h"

#include "core/db/datetime.h"
#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "models/tableindexmodel.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

using namespace QtCharts;

ChartWindow::ChartWindow(Table* deals, const SecurityKey& key, QWidget* parent)
    : QWidget(parent)
    , m_key(key)
    // In time order, a new trade is the last row.
    , m_deals(instrumentRows(deals, { key }, QStringLiteral("moment"), this))
    , m_priceField(deals->columnIndex(QStringLiteral("price")))
    , m_momentField(deals->columnIndex(QStringLiteral("moment")))
    // The chart owns its series and axes, the chart view the chart.
    , m_chart(new QChart)
    , m_last(new QLineSeries)
    , m_trades(new QScatterSeries)
    , m_time(new QDateTimeAxis)
    , m_price(new QValueAxis)
{
    retranslate();
    m_trades->setMarkerSize(7);
    m_trades->setBorderColor(Qt::transparent);
    m_chart->setTitle(SecurityDirectory::i()->nameByKey(key));
    m_time->setFormat(QStringLiteral("HH:mm:ss"));
    m_price->setLabelFormat(
        QStringLiteral("%.%1f").arg(qMax(0, SecurityDirectory::i()->decimalsById(key.stock, key.board, key.sec))));
    fillWithChart(this, m_chart, { m_last, m_trades }, m_time, m_price);

    m_redraw.setSingleShot(true);
    m_redraw.setInterval(RedrawMs);
    connect(&m_redraw, &QTimer::timeout, this, &ChartWindow::redraw);
    connect(m_deals, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex&, int first, int) { onDealsInserted(first); });
    connect(m_deals, &QAbstractItemModel::rowsRemoved, this, &ChartWindow::onDealsReset);
    connect(m_deals, &QAbstractItemModel::modelReset, this, &ChartWindow::onDealsReset);
    connect(m_deals, &QAbstractItemModel::layoutChanged, this, &ChartWindow::onDealsReset);
    // The line reaches the present even while nothing trades.
    auto* clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &ChartWindow::schedule);
    clock->start();
    redraw();
    resize(640, 400);
}

void ChartWindow::retranslate()
{
    setWindowTitle(tr("График %1").arg(SecurityDirectory::i()->nameByKey(m_key)));
    m_last->setName(tr("Последняя цена"));
    m_trades->setName(tr("Сделки"));
    m_time->setTitleText(tr("Время"));
    m_price->setTitleText(tr("Цена"));
    if (m_drawn == 0)
        m_chart->setTitle(tr("%1: сделок нет").arg(SecurityDirectory::i()->nameByKey(m_key)));
}

void ChartWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void ChartWindow::onDealsInserted(int first)
{
    m_firstNew = qMin(m_firstNew, first);
    schedule();
}

void ChartWindow::onDealsReset()
{
    m_firstNew = 0;
    schedule();
}

void ChartWindow::schedule()
{
    if (!m_redraw.isActive())
        m_redraw.start();
}

void ChartWindow::redraw()
{
    m_redraw.stop();
    // A trade that came before the drawn ones (or drawn ones that went) means drawing all again.
    if (m_firstNew < m_drawn || m_deals->rowCount() < m_drawn) {
        m_last->clear();
        m_trades->clear();
        m_drawn = 0;
    }
    QVector<QPointF> trades = m_trades->pointsVector();
    QVector<QPointF> line = m_last->pointsVector();
    if (!line.isEmpty())
        line.removeLast(); // the step to the present is drawn again below
    for (int row = m_drawn; row < m_deals->rowCount(); ++row) {
        const Record& deal = m_deals->at(row);
        const double moment = double(deal.data(m_momentField).toQDateTime().toMSecsSinceEpoch());
        const double price = deal.data(m_priceField).toDecimal().toDouble();
        if (trades.isEmpty())
            m_low = m_high = price;
        m_low = qMin(m_low, price);
        m_high = qMax(m_high, price);
        if (!line.isEmpty())
            line << QPointF(moment, line.last().y());
        line << QPointF(moment, price);
        trades << QPointF(moment, price);
    }
    m_drawn = m_deals->rowCount();
    m_firstNew = m_drawn;
    if (trades.isEmpty()) {
        m_chart->setTitle(tr("%1: сделок нет").arg(SecurityDirectory::i()->nameByKey(m_key)));
        return;
    }
    m_chart->setTitle(SecurityDirectory::i()->nameByKey(m_key));
    const qint64 now = qMax(qint64(trades.last().x()), QDateTime::currentMSecsSinceEpoch());
    line << QPointF(double(now), line.last().y());
    // One replacement a series: one redraw, however many trades came.
    m_trades->replace(trades);
    m_last->replace(line);
    const double margin = qMax((m_high - m_low) * 0.05, qAbs(m_high) * 0.001);
    m_price->setRange(m_low - margin, m_high + margin);
    m_price->applyNiceNumbers();
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(qint64(trades.first().x())), QDateTime::fromMSecsSinceEpoch(now));
}

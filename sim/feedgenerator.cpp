#include "sim/feedgenerator.h"

#include "core/db/indexbuildqueue.h"
#include "core/db/masterindex.h"
#include "core/db/recordbytes.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "sim/generatorutil.h"
#include "sim/orderbook.h"
#include "sim/samplemarket.h"
#include "sim/tradeledger.h"

#include <QElapsedTimer>

namespace {

// Shares of a batch, in per cent.
constexpr int QuoteShare = 40;
constexpr int NewOrderShare = 25;
constexpr int FillShare = 25; // the rest cancels

decimal fieldDecimal(const Record& r, const char* name)
{
    return r.data(QString::fromLatin1(name)).toDecimal();
}

// A table of the same shape holding the same rows.
std::unique_ptr<Table> copyOf(const Table* source)
{
    QStringList keys;
    for (int column : source->masterIndex()->keyColumns())
        keys << source->columnName(column);
    auto copy = std::make_unique<Table>(source->name(), source->columns(), keys);
    const int rowBytes = source->layout().rowBytes();
    RecordsTrans trans(copy.get());
    for (const Record& r : *source->masterIndex()) {
        const Record row(copy.get());
        RecordBytes::write(row, 0, r.rawData(), rowBytes);
        RecordUpdater(row, trans);
    }
    trans.commit();
    return copy;
}

} // namespace

QStringList FeedGenerator::tableNames()
{
    return { QStringLiteral("securities"), QStringLiteral("orders"), QStringLiteral("deals"),
        QStringLiteral("positions") };
}

FeedGenerator::FeedGenerator(const SampleMarket& market, const QVector<Table*>& tables, quint32 seed)
    : m_market(market)
    , m_rng(seed)
    , m_accounts(market.clientCodes())
    , m_session(market.currentSession())
{
    for (int i = 0; i < tables.size(); ++i) {
        m_tables.push_back(copyOf(tables.at(i)));
        m_copies << m_tables.back().get();
    }
    m_ledger = std::make_unique<TradeLedger>(m_copies.at(1), m_copies.at(2), m_copies.at(3), m_copies.at(0));
    for (int i = 0; i < m_copies.size(); ++i)
        m_taps.push_back(std::make_unique<FeedTap>(m_copies.at(i), i));
    // Every index of the copy is built now: a build queued for the event loop could run while another thread
    // generates.
    for (Table* table : qAsConst(m_copies)) {
        for (Index* index : table->indexes())
            table->buildQueue()->cancel(index);
    }
    for (const Record& r : *m_ledger->securities()->masterIndex()) {
        const int board = r.data(QStringLiteral("board_id")).toInteger();
        if (board == SampleMarket::FuturesBoard || board == SampleMarket::OptionsBoard)
            m_instruments << r;
    }
    const int status = m_ledger->orders()->columnIndex(QStringLiteral("status"));
    for (const Record& r : *m_ledger->orders()->masterIndex()) {
        if (r.data(status).toInteger() == HostSchema::StatusActive)
            m_active << r;
    }
}

FeedGenerator::~FeedGenerator()
{
    // The ledger's open transactions and the book go before the tables they write.
    m_taps.clear();
    m_ledger.reset();
}

FeedBatch FeedGenerator::generate(int changes)
{
    // Each action stages one or more record changes (or none, when it finds nothing to act on); stop once the
    // batch has its share.
    QElapsedTimer clock;
    clock.start();
    FeedBatch batch;
    for (int attempts = 0; m_ledger->staged() < changes && attempts < 4 * changes; ++attempts) {
        const int pick = int(m_rng.bounded(100));
        if (pick < QuoteShare)
            moveQuotes();
        else if (pick < QuoteShare + NewOrderShare)
            placeOrder();
        else if (pick < QuoteShare + NewOrderShare + FillShare)
            fillOrder();
        else
            cancelOrder();
    }
    batch.changes = m_ledger->staged();
    for (const auto& tap : m_taps)
        tap->setTarget(&batch);
    m_ledger->commit();
    for (const auto& tap : m_taps)
        tap->setTarget(nullptr);
    rememberNewOrders();
    m_stagedInside.clear();
    batch.generationMs = clock.nsecsElapsed() / 1e6;
    return batch;
}

void FeedGenerator::follow(const FeedBatch& writes)
{
    writes.commitInto(m_copies);
}

decimal FeedGenerator::stepsFrom(const Record& instrument, const decimal& base, int steps)
{
    const decimal step = fieldDecimal(instrument, "price_step");
    const decimal price = GeneratorUtil::onStep(
        base.toDouble() + steps * step.toDouble(), step, instrument.data(QStringLiteral("decimals")).toInteger());
    return qBound(fieldDecimal(instrument, "min_price"), price, fieldDecimal(instrument, "max_price"));
}

decimal FeedGenerator::lastPrice(const Record& instrument)
{
    const decimal last = fieldDecimal(instrument, "last");
    return last.isEmpty() ? fieldDecimal(instrument, "settle_price") : last;
}

void FeedGenerator::moveQuotes()
{
    if (m_instruments.isEmpty())
        return;
    const Record instrument = m_instruments.at(int(m_rng.bounded(m_instruments.size())));
    const SecurityKey key = GeneratorUtil::securityKeyOf(instrument);
    // The book's best prices; a side nobody rests on is quoted a few steps off the other side, or around the last
    // trade when both are empty.
    const decimal middle = stepsFrom(instrument, lastPrice(instrument), int(m_rng.bounded(5)) - 2);
    const int down = 1 + int(m_rng.bounded(3));
    const int up = 1 + int(m_rng.bounded(3));
    const decimal bestBid = m_ledger->book()->best(key, QLatin1Char('B'));
    const decimal bestOffer = m_ledger->book()->best(key, QLatin1Char('S'));
    m_ledger->quote(instrument,
        bestBid.isEmpty() ? stepsFrom(instrument, bestOffer.isEmpty() ? middle : bestOffer, -down) : bestBid,
        bestOffer.isEmpty() ? stepsFrom(instrument, bestBid.isEmpty() ? middle : bestBid, up) : bestOffer);
}

decimal FeedGenerator::inside(const SecurityKey& key, QChar side) const
{
    const decimal booked = m_ledger->book()->best(key, side);
    const auto staged = m_stagedInside.constFind(key);
    if (staged == m_stagedInside.constEnd())
        return booked;
    if (side == QLatin1Char('B'))
        return qMax(booked, staged->first);
    const decimal& offer = staged->second;
    return booked.isEmpty() || (!offer.isEmpty() && offer < booked) ? offer : booked;
}

void FeedGenerator::placeOrder()
{
    if (m_instruments.isEmpty() || m_accounts.isEmpty())
        return;
    const Record instrument = m_instruments.at(int(m_rng.bounded(m_instruments.size())));
    const int client = int(m_rng.bounded(m_accounts.size()));
    TradeLedger::Order order;
    order.key = GeneratorUtil::securityKeyOf(instrument);
    order.side = m_rng.bounded(2) ? QLatin1Char('B') : QLatin1Char('S');
    const bool buying = order.side == QLatin1Char('B');
    const int away = int(m_rng.bounded(10));
    // It rests on its side of the book, this batch's orders included: a buy below the best offer, a sell above the
    // best bid; near the last trade when nobody is on the other side.
    const decimal other = inside(order.key, buying ? QLatin1Char('S') : QLatin1Char('B'));
    if (other.isEmpty()) {
        order.price = stepsFrom(instrument, lastPrice(instrument), buying ? -away : away);
    } else {
        order.price = stepsFrom(instrument, other, buying ? -1 - away : 1 + away);
        if (buying ? !(order.price < other) : !(other < order.price))
            return; // the price limit leaves no room on this side
    }
    order.quantity = 1 + int(m_rng.bounded(50));
    order.account = m_accounts.at(client);
    order.login = QStringLiteral("trader%1")
                      .arg(client / qMax(1, m_market.options().clientsPerFirm) + 1, 2, 10, QLatin1Char('0'));
    order.signs = m_rng.bounded(50) == 0 ? qint64(1) << 47 : 0;
    order.session = m_session;
    m_newOrders << m_ledger->addOrder(order);
    auto staged = m_stagedInside.find(order.key);
    if (staged == m_stagedInside.end())
        staged = m_stagedInside.insert(order.key, qMakePair(decimal::minimum(), decimal::minimum()));
    if (buying)
        staged->first = qMax(staged->first, order.price);
    else if (staged->second.isEmpty() || order.price < staged->second)
        staged->second = order.price;
}

Record FeedGenerator::takeActiveOrder()
{
    for (int attempt = 0; attempt < 4 && !m_active.isEmpty(); ++attempt) {
        const int i = int(m_rng.bounded(m_active.size()));
        const Record order = m_active.at(i);
        if (m_ledger->isTouched(order))
            continue;
        m_active[i] = m_active.last();
        m_active.removeLast();
        // The exchange may have filled or cancelled it meanwhile.
        if (order.inTable() && order.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive
            && order.data(QStringLiteral("balance")).toInteger64() > 0)
            return order;
    }
    return Record();
}

void FeedGenerator::fillOrder()
{
    if (m_instruments.isEmpty())
        return;
    const Record instrument = m_instruments.at(int(m_rng.bounded(m_instruments.size())));
    const SecurityKey key = GeneratorUtil::securityKeyOf(instrument);
    // An incoming order takes the best resting price of the other side, so the last trade is at the inside.
    const bool buying = m_rng.bounded(2);
    const decimal best = m_ledger->book()->best(key, buying ? QLatin1Char('S') : QLatin1Char('B'));
    if (best.isEmpty()) {
        placeOrder();
        return;
    }
    m_ledger->match(key, buying ? QLatin1Char('B') : QLatin1Char('S'), best, 1 + qint64(m_rng.bounded(50)));
}

void FeedGenerator::cancelOrder()
{
    const Record order = takeActiveOrder();
    if (order.isNull()) {
        placeOrder();
        return;
    }
    m_ledger->cancel(order);
}

void FeedGenerator::rememberNewOrders()
{
    for (qint64 number : qAsConst(m_newOrders)) {
        const Record order(m_ledger->orders(), QString::number(number));
        if (!order.isNull() && order.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive)
            m_active << order;
    }
    m_newOrders.clear();
}

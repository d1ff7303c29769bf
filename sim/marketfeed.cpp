#include "sim/marketfeed.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/embedded/embeddeddecoder.h"
#include "core/host/icore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "core/host/tableregistry.h"
#include "sim/generatorutil.h"
#include "sim/orderbook.h"
#include "sim/samplemarket.h"
#include "sim/tradeledger.h"

#include <QElapsedTimer>

#include <algorithm>

#include <cmath>

namespace {

// Shares of a batch, in per cent.
constexpr int QuoteShare = 40;
constexpr int NewOrderShare = 25;
constexpr int FillShare = 25; // the rest cancels

decimal fieldDecimal(const Record& r, const char* name)
{
    return r.data(QString::fromLatin1(name)).toDecimal();
}

} // namespace

MarketFeed::MarketFeed(const SampleMarket& market, ICore* core, quint32 seed, QObject* parent)
    : QObject(parent)
    , m_market(market)
    , m_core(core)
    , m_ledger(std::make_unique<TradeLedger>(core->tables()))
    , m_rng(seed)
    , m_accounts(market.clientCodes())
    , m_session(market.currentSession())
{
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &MarketFeed::onTimeout);
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

MarketFeed::~MarketFeed() = default;

void MarketFeed::setRate(int changesPerSecond)
{
    m_rate = qMax(0, changesPerSecond);
}

void MarketFeed::start()
{
    m_carry = 0;
    const bool was = m_timer.isActive();
    m_timer.start();
    if (!was)
        Q_EMIT runningChanged(true);
}

void MarketFeed::stop()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    m_recent.clear();
    Q_EMIT runningChanged(false);
}

int MarketFeed::measuredRate() const
{
    const qint64 now = m_clock.isValid() ? m_clock.elapsed() : 0;
    int changes = 0;
    for (const auto& batch : m_recent) {
        if (now - batch.first < 1000)
            changes += batch.second;
    }
    return changes;
}

void MarketFeed::onTimeout()
{
    m_carry += double(m_rate) * m_timer.interval() / 1000.0;
    const int changes = int(m_carry);
    m_carry -= changes;
    if (changes > 0)
        step(changes);
}

void MarketFeed::step(int changes)
{
    // Each action stages one or more record changes (or none, when it finds nothing to act on); stop once the
    // batch has its share.
    QElapsedTimer clock;
    clock.start();
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
    const int staged = m_ledger->staged();
    m_ledger->commit();
    // The ledger's bookkeeping at commit (positions, settlement) is the simulator's, not the tables'.
    const double ms = m_ledger->lastTablesMs();
    rememberNewOrders();
    m_stagedInside.clear();
    m_generationMs = clock.nsecsElapsed() / 1e6 - ms;
    ++m_batches;
    m_changes += staged;
    if (!m_clock.isValid())
        m_clock.start();
    const qint64 now = m_clock.elapsed();
    m_recent.erase(
        std::remove_if(m_recent.begin(), m_recent.end(), [now](const auto& b) { return now - b.first >= 1000; }),
        m_recent.end());
    m_recent.append(qMakePair(now, staged));
    Q_EMIT batchApplied(staged, ms);
}

decimal MarketFeed::stepsFrom(const Record& instrument, const decimal& base, int steps)
{
    const decimal step = fieldDecimal(instrument, "price_step");
    const decimal price = GeneratorUtil::onStep(
        base.toDouble() + steps * step.toDouble(), step, instrument.data(QStringLiteral("decimals")).toInteger());
    return qBound(fieldDecimal(instrument, "min_price"), price, fieldDecimal(instrument, "max_price"));
}

decimal MarketFeed::lastPrice(const Record& instrument)
{
    const decimal last = fieldDecimal(instrument, "last");
    return last.isEmpty() ? fieldDecimal(instrument, "settle_price") : last;
}

void MarketFeed::moveQuotes()
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

decimal MarketFeed::inside(const SecurityKey& key, QChar side) const
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

void MarketFeed::placeOrder()
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

Record MarketFeed::takeActiveOrder()
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

void MarketFeed::fillOrder()
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

void MarketFeed::cancelOrder()
{
    const Record order = takeActiveOrder();
    if (order.isNull()) {
        placeOrder();
        return;
    }
    m_ledger->cancel(order);
}

void MarketFeed::rememberNewOrders()
{
    for (qint64 number : qAsConst(m_newOrders)) {
        const Record order(m_ledger->orders(), QString::number(number));
        if (!order.isNull() && order.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive)
            m_active << order;
    }
    m_newOrders.clear();
}

void MarketFeed::startNewSession()
{
    Table* sessions = m_core->tables()->table(QStringLiteral("sessions"));
    const QDate day = m_market.tradeDate().addDays(m_session + 1 - m_market.currentSession());
    {
        RecordsTrans trans(sessions);
        for (const Record& s : *sessions->masterIndex()) {
            if (s.data(QStringLiteral("state")).toInteger() == HostSchema::SessionTrading)
                RecordUpdater(s, trans).data(QStringLiteral("state")) = HostSchema::SessionFinished;
        }
        RecordUpdater next(Record(sessions), trans);
        next.data(QStringLiteral("stock_id")) = SampleMarket::StockId;
        next.data(QStringLiteral("sess_id")) = m_session + 1;
        next.data(QStringLiteral("sess_name"))
            = QStringLiteral("Сессия %1").arg(day.toString(QStringLiteral("dd.MM.yyyy")));
        next.data(QStringLiteral("begin")) = QDateTime(day.addDays(-1), QTime(19, 0));
        next.data(QStringLiteral("end")) = QDateTime(day, QTime(18, 50));
        next.data(QStringLiteral("state")) = HostSchema::SessionTrading;
        trans.commit();
    }
    // The exchange lists again, for the new session, every instrument that trades in one.
    Table* instruments = m_core->tables()->table(QStringLiteral("securities"));
    if (instruments) {
        RecordsTrans trans(instruments);
        for (const Record& r : *instruments->masterIndex()) {
            if (r.data(QStringLiteral("signs")).toInteger64()
                & (HostSchema::SecSignEveningSession | HostSchema::SecSignMainSession))
                RecordUpdater(r, trans).data(QStringLiteral("sess_id")) = m_session + 1;
        }
        trans.commit();
    }
    ++m_session;
    for (QObject* plugin : m_core->plugins()) {
        if (auto* decoder = qobject_cast<EmbeddedDecoder*>(plugin))
            decoder->announceNewSessions();
    }
}

void MarketFeed::startNewDay()
{
    startNewSession();
    Q_EMIT m_core->signalHub()->aNewDay();
}

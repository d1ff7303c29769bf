#include "sim/tradeledger.h"

#include "core/db/datetime.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/db/xdecimal.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"
#include "sim/generatorutil.h"
#include "sim/holding.h"
#include "sim/orderbook.h"

#include <QElapsedTimer>

namespace {

QString keyText(const SecurityKey& key)
{
    return QStringLiteral("%1,%2,%3").arg(key.stock).arg(key.board).arg(key.sec);
}

// The largest number in a table's integer key column, plus one.
qint64 nextNumber(const Table* table)
{
    const int count = table->count();
    return count ? table->masterIndex()->at(count - 1).data(0).toInteger64() + 1 : 1;
}

// What a deal of a resting order takes from it: instrument, side, account and session.
TradeLedger::Order dealSideOf(const Record& order)
{
    TradeLedger::Order o;
    o.key = GeneratorUtil::securityKeyOf(order);
    o.side = order.data(QStringLiteral("buysell")).toChar();
    o.account = order.data(QStringLiteral("account")).toString();
    o.session = order.data(QStringLiteral("sess_id")).toInteger();
    return o;
}

} // namespace

TradeLedger::TradeLedger(TableRegistry* tables)
    : TradeLedger(tables->table(QStringLiteral("orders")), tables->table(QStringLiteral("deals")),
        tables->table(QStringLiteral("positions")), tables->table(QStringLiteral("securities")))
{ }

TradeLedger::TradeLedger(Table* orders, Table* deals, Table* positions, Table* securities)
    : m_orders(orders)
    , m_deals(deals)
    , m_positions(positions)
    , m_securities(securities)
    , m_book(OrderBook::of(m_orders))
    , m_securityIdColumn(m_securities->columnIndex(QStringLiteral("sec_id")))
    , m_positionSecurityColumn(m_positions->columnIndex(QStringLiteral("sec_id")))
    , m_openColumn(m_positions->columnIndex(QStringLiteral("open_pos")))
    , m_boughtColumn(m_positions->columnIndex(QStringLiteral("buy_qty")))
    , m_soldColumn(m_positions->columnIndex(QStringLiteral("sell_qty")))
    , m_averageColumn(m_positions->columnIndex(QStringLiteral("avg_price")))
    , m_marginColumn(m_positions->columnIndex(QStringLiteral("vm")))
    , m_lotsizeColumn(m_securities->columnIndex(QStringLiteral("lotsize")))
{
    open();
}

TradeLedger::~TradeLedger() = default;

void TradeLedger::open()
{
    m_instrumentTrans = std::make_unique<RecordsTrans>(m_securities);
    m_orderTrans = std::make_unique<RecordsTrans>(m_orders);
    m_dealTrans = std::make_unique<RecordsTrans>(m_deals);
    m_positionTrans = std::make_unique<RecordsTrans>(m_positions);
}

void TradeLedger::touch(const Record& record)
{
    m_touched.insert(record.handle());
    ++m_staged;
}

qint64 TradeLedger::addOrder(const Order& order, const QList<Fill>& fills)
{
    // Others (the exchange, the feed) may have added orders since this batch began: a number must be past theirs,
    // or the new order would take the place of one of them.
    m_nextOrder = qMax(m_nextOrder, nextNumber(m_orders));
    const qint64 number = m_nextOrder++;
    qint64 balance = order.quantity;
    for (const Fill& f : fills)
        balance -= f.first;
    RecordUpdater u(Record(m_orders), *m_orderTrans);
    u.data(QStringLiteral("order_num")) = number;
    GeneratorUtil::setSecurityKey(u, order.key);
    u.data(QStringLiteral("sess_id")) = order.session;
    u.data(QStringLiteral("buysell")) = order.side;
    u.data(QStringLiteral("price")) = order.price;
    u.data(QStringLiteral("quantity")) = order.quantity;
    u.data(QStringLiteral("balance")) = balance;
    u.data(QStringLiteral("status")) = balance == 0 ? HostSchema::StatusFilled : HostSchema::StatusActive;
    u.data(QStringLiteral("account")) = order.account;
    u.data(QStringLiteral("moment")) = datetime::currentDateTime();
    u.data(QStringLiteral("signs")) = order.signs;
    u.data(QStringLiteral("login")) = order.login;
    if (!order.comment.isEmpty())
        u.data(QStringLiteral("comment")) = order.comment;
    ++m_staged;
    for (const Fill& f : fills)
        addDeal(number, order, f.first, f.second);
    return number;
}

void TradeLedger::fill(const Record& order, qint64 quantity, const decimal& price)
{
    touch(order);
    // The trade moves its instrument's last price and lots; its quotes follow the book at commit.
    const SecurityKey key = GeneratorUtil::securityKeyOf(order);
    const Record instrument = instrumentOf(key);
    if (!instrument.isNull()) {
        InstrumentMove& move = instrumentMove(instrument);
        move.last = price;
        move.lots += quantity;
    }
    const qint64 balance = order.data(QStringLiteral("balance")).toInteger64() - quantity;
    RecordUpdater u(order, *m_orderTrans);
    u.data(QStringLiteral("balance")) = balance;
    if (balance == 0)
        u.data(QStringLiteral("status")) = HostSchema::StatusFilled;
    addDeal(order.data(QStringLiteral("order_num")).toInteger64(), dealSideOf(order), quantity, price);
}

QList<TradeLedger::Fill> TradeLedger::match(const SecurityKey& key, QChar side, const decimal& price, qint64 quantity)
{
    QList<Fill> fills;
    m_book->visitCrossing(key, side, price, [&](const Record& resting) {
        if (isTouched(resting))
            return true;
        const qint64 lots = qMin(quantity, resting.data(QStringLiteral("balance")).toInteger64());
        const decimal at = resting.data(QStringLiteral("price")).toDecimal();
        fill(resting, lots, at);
        fills << Fill(lots, at);
        quantity -= lots;
        return quantity > 0;
    });
    return fills;
}

void TradeLedger::cancel(const Record& order)
{
    touch(order);
    RecordUpdater(order, *m_orderTrans).data(QStringLiteral("status")) = HostSchema::StatusCancelled;
}

void TradeLedger::change(const Record& order, const decimal& price, qint64 quantity, const QList<Fill>& fills)
{
    touch(order);
    qint64 traded
        = order.data(QStringLiteral("quantity")).toInteger64() - order.data(QStringLiteral("balance")).toInteger64();
    for (const Fill& f : fills)
        traded += f.first;
    RecordUpdater u(order, *m_orderTrans);
    u.data(QStringLiteral("price")) = price;
    u.data(QStringLiteral("quantity")) = quantity;
    u.data(QStringLiteral("balance")) = qMax<qint64>(0, quantity - traded);
    if (quantity <= traded)
        u.data(QStringLiteral("status")) = HostSchema::StatusFilled;
    for (const Fill& f : fills)
        addDeal(order.data(QStringLiteral("order_num")).toInteger64(), dealSideOf(order), f.first, f.second);
}

void TradeLedger::quote(const Record& instrument, const decimal& bid, const decimal& offer)
{
    InstrumentMove& move = instrumentMove(instrument);
    move.bid = bid;
    move.offer = offer;
}

TradeLedger::InstrumentMove& TradeLedger::instrumentMove(const Record& instrument)
{
    auto it = m_instrumentMoves.find(instrument.handle());
    if (it == m_instrumentMoves.end()) {
        InstrumentMove move;
        move.instrument = instrument;
        move.last = decimal::minimum();
        move.bid = instrument.data(QStringLiteral("bid")).toDecimal();
        move.offer = instrument.data(QStringLiteral("offer")).toDecimal();
        it = m_instrumentMoves.insert(instrument.handle(), move);
        ++m_staged;
    }
    return *it;
}

Record TradeLedger::instrumentOf(const SecurityKey& key)
{
    auto it = m_instrumentBySec.constFind(key.sec);
    if (it != m_instrumentBySec.constEnd() && it->inTable() && GeneratorUtil::securityKeyOf(*it) == key)
        return *it;
    const Record found(m_securities, keyText(key));
    if (!found.isNull())
        m_instrumentBySec.insert(key.sec, found);
    return found;
}

QString TradeLedger::positionKey(const QString& account, const SecurityKey& key)
{
    return account + QLatin1Char('|') + key.textId();
}

void TradeLedger::writeInstruments()
{
    const datetime now = datetime::currentDateTime();
    auto direction = [](const decimal& next, const decimal& previous) {
        const int c = previous.isEmpty() ? 0 : next.compare(previous);
        return c > 0 ? HostSchema::PriceUp : c < 0 ? HostSchema::PriceDown : HostSchema::PriceUnchanged;
    };
    for (const InstrumentMove& move : qAsConst(m_instrumentMoves)) {
        const Record& in = move.instrument;
        RecordUpdater u(in, *m_instrumentTrans);
        // Quotes stay inside the limits and apart.
        const decimal low = in.data(QStringLiteral("min_price")).toDecimal();
        const decimal high = in.data(QStringLiteral("max_price")).toDecimal();
        const decimal step = in.data(QStringLiteral("price_step")).toDecimal();
        decimal bid = qBound(low, move.bid, high);
        decimal offer = qBound(low, move.offer, high);
        if (!(bid < offer)) {
            if (offer + step <= high)
                offer = bid + step;
            else
                bid = offer - step;
        }
        const decimal oldBid = in.data(QStringLiteral("bid")).toDecimal();
        const decimal oldOffer = in.data(QStringLiteral("offer")).toDecimal();
        if (bid != oldBid) {
            u.data(QStringLiteral("bid")) = bid;
            u.data(QStringLiteral("bid_dir")) = direction(bid, oldBid);
            u.data(QStringLiteral("bid_time")) = now;
        }
        if (offer != oldOffer) {
            u.data(QStringLiteral("offer")) = offer;
            u.data(QStringLiteral("offer_dir")) = direction(offer, oldOffer);
            u.data(QStringLiteral("offer_time")) = now;
        }
        if (move.lots == 0)
            continue;
        const decimal before = in.data(QStringLiteral("last")).toDecimal();
        u.data(QStringLiteral("last")) = move.last;
        u.data(QStringLiteral("price_dir"))
            = direction(move.last, before.isEmpty() ? in.data(QStringLiteral("settle_price")).toDecimal() : before);
        u.data(QStringLiteral("change_time")) = now;
        u.data(QStringLiteral("volume")) = in.data(QStringLiteral("volume")).toInteger64() + move.lots;
        if (!m_unsettledHandles.contains(in.handle())) {
            m_unsettledHandles.insert(in.handle());
            m_unsettled.append(in);
        }
    }
}

QHash<qint64, TradeLedger::Settlement> TradeLedger::settle()
{
    // The oldest traded instruments first, as many as the budget of position writes allows (at least one).
    QHash<qint64, Settlement> settled;
    const int budget = qMax(m_settlementBudget, m_staged);
    int spent = 0;
    while (!m_unsettled.isEmpty()) {
        const Record in = m_unsettled.first();
        const qint64 sec = in.data(m_securityIdColumn).toInteger64();
        const int holders = m_holders.value(sec).size();
        if (spent > 0 && spent + holders > budget)
            break;
        spent += holders + 1;
        m_unsettled.removeFirst();
        m_unsettledHandles.remove(in.handle());
        RecordUpdater u(in, *m_instrumentTrans);
        const decimal last = u.data(QStringLiteral("last")).toDecimal();
        u.data(QStringLiteral("settle_price")) = last;
        settled.insert(sec, Settlement { in, last });
    }
    return settled;
}

void TradeLedger::addDeal(qint64 orderNum, const Order& order, qint64 quantity, const decimal& price)
{
    const Record instrument = instrumentOf(order.key);
    RecordUpdater u(Record(m_deals), *m_dealTrans);
    m_nextDeal = qMax(m_nextDeal, nextNumber(m_deals));
    u.data(QStringLiteral("deal_num")) = m_nextDeal++;
    u.data(QStringLiteral("order_num")) = orderNum;
    GeneratorUtil::setSecurityKey(u, order.key);
    u.data(QStringLiteral("sess_id")) = order.session;
    u.data(QStringLiteral("buysell")) = order.side;
    u.data(QStringLiteral("price")) = price;
    u.data(QStringLiteral("quantity")) = quantity;
    u.data(QStringLiteral("account")) = order.account;
    u.data(QStringLiteral("moment")) = datetime::currentDateTime();
    u.data(QStringLiteral("signs")) = qint64(0);
    u.data(QStringLiteral("fee_flag")) = 0;
    u.data(QStringLiteral("lotsize")) = instrument.data(QStringLiteral("lotsize")).toInteger();
    ++m_staged;

    PositionMove& move = m_moves[positionKey(order.account, order.key)];
    move.account = order.account;
    move.key = order.key;
    move.fills << PositionFill { order.side == QLatin1Char('B'), quantity, price };
}

void TradeLedger::indexHolders()
{
    if (m_indexedHolders == m_positions->count())
        return;
    // Someone else wrote positions: learn them all again.
    m_holders.clear();
    m_positionByKey.clear();
    for (const Record& held : *m_positions->masterIndex()) {
        m_holders[held.data(m_positionSecurityColumn).toInteger64()].append(held);
        m_positionByKey.insert(
            positionKey(held.data(QStringLiteral("account")).toString(), GeneratorUtil::securityKeyOf(held)), held);
    }
    m_indexedHolders = m_positions->count();
}

void TradeLedger::writePositions(const QHash<qint64, Settlement>& settled)
{
    auto write = [&](const Record& held, const Record& instrument, const decimal& settle, const PositionMove& move) {
        Holding holding;
        if (!held.isNull()) {
            holding.open = held.data(m_openColumn).toInteger64();
            holding.bought = held.data(m_boughtColumn).toInteger64();
            holding.sold = held.data(m_soldColumn).toInteger64();
            holding.averagePrice = held.data(m_averageColumn).toDecimal();
        }
        for (const PositionFill& f : move.fills)
            holding.addFill(f.buy, f.quantity, f.price);
        const xdecimal margin
            = instrument.isNull() ? xdecimal() : holding.margin(settle, instrument.data(m_lotsizeColumn).toInteger64());
        // A revaluation that leaves the margin as it was (a flat position) changes nothing.
        if (!held.isNull() && move.fills.isEmpty()
            && (instrument.isNull() || held.data(m_marginColumn).toXDecimal() == margin))
            return;
        const Record row = held.isNull() ? Record(m_positions) : held;
        RecordUpdater u(row, *m_positionTrans);
        if (held.isNull()) {
            m_newHolders.append(
                qMakePair(positionKey(move.account, move.key), move.account + QLatin1Char(',') + keyText(move.key)));
            u.data(QStringLiteral("account")) = move.account;
            GeneratorUtil::setSecurityKey(u, move.key);
            u.data(QStringLiteral("open_pos")) = holding.open;
        }
        if (!move.fills.isEmpty()) {
            u.data(QStringLiteral("buy_qty")) = holding.bought;
            u.data(QStringLiteral("sell_qty")) = holding.sold;
            u.data(QStringLiteral("pos")) = holding.position();
            if (holding.averagePrice.isEmpty())
                u.data(QStringLiteral("avg_price")).clear();
            else
                u.data(QStringLiteral("avg_price")) = holding.averagePrice;
        }
        if (!instrument.isNull())
            u.data(m_marginColumn) = margin;
        ++m_staged;
    };
    // The positions that traded, at their instrument's settlement price (the new one when it settles now)...
    QSet<const void*> written;
    for (auto it = m_moves.constBegin(); it != m_moves.constEnd(); ++it) {
        const PositionMove& move = it.value();
        Record held = m_positionByKey.value(it.key());
        if (!held.isNull() && !held.inTable())
            held = Record(); // someone else took it off
        const auto now = settled.constFind(move.key.sec);
        const Record instrument = now != settled.constEnd() ? now->instrument : instrumentOf(move.key);
        const decimal settle = now != settled.constEnd() ? now->price
            : instrument.isNull()                        ? decimal()
                                                         : instrument.data(QStringLiteral("settle_price")).toDecimal();
        write(held, instrument, settle, move);
        if (!held.isNull())
            written.insert(held.handle());
    }
    // ... and every other position held in an instrument that settles now, revalued.
    const PositionMove unchanged;
    for (auto it = settled.constBegin(); it != settled.constEnd(); ++it) {
        for (const Record& held : m_holders.value(it.key())) {
            if (!written.contains(held.handle()))
                write(held, it->instrument, it->price, unchanged);
        }
    }
    m_moves.clear();
}

void TradeLedger::followBook()
{
    for (const SecurityKey& key : m_book->takeMoved()) {
        const Record instrument = instrumentOf(key);
        if (instrument.isNull())
            continue;
        InstrumentMove& move = instrumentMove(instrument);
        const decimal bid = m_book->best(key, QLatin1Char('B'));
        const decimal offer = m_book->best(key, QLatin1Char('S'));
        if (!bid.isEmpty())
            move.bid = bid;
        if (!offer.isEmpty())
            move.offer = offer;
    }
    if (m_instrumentMoves.isEmpty())
        return;
    m_instrumentTrans = std::make_unique<RecordsTrans>(m_securities);
    writeInstruments();
    m_instrumentMoves.clear();
    m_instrumentTrans->commit();
}

void TradeLedger::commit()
{
    m_lastTablesMs = 0;
    if (m_staged == 0 && m_unsettled.isEmpty())
        return;
    indexHolders();
    writeInstruments();
    const QHash<qint64, Settlement> settled = settle();
    writePositions(settled);
    m_instrumentMoves.clear();
    QElapsedTimer clock;
    clock.start();
    m_instrumentTrans->commit();
    m_orderTrans->commit();
    m_dealTrans->commit();
    m_positionTrans->commit();
    followBook();
    m_lastTablesMs = clock.nsecsElapsed() / 1e6;
    for (const auto& key : qAsConst(m_newHolders)) {
        const Record held(m_positions, key.second);
        if (held.isNull())
            continue;
        m_holders[held.data(m_positionSecurityColumn).toInteger64()].append(held);
        m_positionByKey.insert(key.first, held);
        ++m_indexedHolders;
    }
    m_newHolders.clear();
    m_touched.clear();
    m_staged = 0;
    open();
}

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

} // namespace

TradeLedger::TradeLedger(TableRegistry* tables)
    : m_orders(tables->table(QStringLiteral("orders")))
    , m_deals(tables->table(QStringLiteral("deals")))
    , m_positions(tables->table(QStringLiteral("positions")))
    , m_securities(tables->table(QStringLiteral("securities")))
{
    open();
}

TradeLedger::~TradeLedger() = default;

void TradeLedger::open()
{
    // Others (the exchange, the feed) may have added orders and deals since the last batch.
    m_nextOrder = qMax(m_nextOrder, nextNumber(m_orders));
    m_nextDeal = qMax(m_nextDeal, nextNumber(m_deals));
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
    const qint64 balance = order.data(QStringLiteral("balance")).toInteger64() - quantity;
    RecordUpdater u(order, *m_orderTrans);
    u.data(QStringLiteral("balance")) = balance;
    if (balance == 0)
        u.data(QStringLiteral("status")) = HostSchema::StatusFilled;
    Order o;
    o.key = GeneratorUtil::securityKeyOf(order);
    o.side = order.data(QStringLiteral("buysell")).toChar();
    o.account = order.data(QStringLiteral("account")).toString();
    o.session = order.data(QStringLiteral("sess_id")).toInteger();
    addDeal(order.data(QStringLiteral("order_num")).toInteger64(), o, quantity, price);
}

void TradeLedger::cancel(const Record& order)
{
    touch(order);
    RecordUpdater(order, *m_orderTrans).data(QStringLiteral("status")) = HostSchema::StatusCancelled;
}

void TradeLedger::change(const Record& order, const decimal& price, qint64 quantity)
{
    touch(order);
    const qint64 traded
        = order.data(QStringLiteral("quantity")).toInteger64() - order.data(QStringLiteral("balance")).toInteger64();
    RecordUpdater u(order, *m_orderTrans);
    u.data(QStringLiteral("price")) = price;
    u.data(QStringLiteral("quantity")) = quantity;
    u.data(QStringLiteral("balance")) = qMax<qint64>(0, quantity - traded);
    if (quantity <= traded)
        u.data(QStringLiteral("status")) = HostSchema::StatusFilled;
}

void TradeLedger::tick(const Record& instrument, const decimal& last, const decimal& bid, const decimal& offer)
{
    touch(instrument);
    const decimal previous = instrument.data(QStringLiteral("last")).toDecimal();
    const int c = last.compare(previous);
    RecordUpdater u(instrument, *m_instrumentTrans);
    u.data(QStringLiteral("last")) = last;
    u.data(QStringLiteral("bid")) = bid;
    u.data(QStringLiteral("offer")) = offer;
    u.data(QStringLiteral("price_dir")) = c > 0 ? HostSchema::PriceUp
        : c < 0                                 ? HostSchema::PriceDown
                                                : HostSchema::PriceUnchanged;
    u.data(QStringLiteral("change_time")) = datetime::currentDateTime();
    u.data(QStringLiteral("volume")) = instrument.data(QStringLiteral("volume")).toInteger64() + 1;
}

void TradeLedger::addDeal(qint64 orderNum, const Order& order, qint64 quantity, const decimal& price)
{
    const Record instrument(m_securities, keyText(order.key));
    RecordUpdater u(Record(m_deals), *m_dealTrans);
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

    PositionMove& move = m_moves[order.account + QLatin1Char('|') + order.key.textId()];
    move.account = order.account;
    move.key = order.key;
    (order.side == QLatin1Char('B') ? move.bought : move.sold) += quantity;
    move.price = price;
}

void TradeLedger::writePositions()
{
    for (const PositionMove& move : qAsConst(m_moves)) {
        const Record held(m_positions, move.account + QLatin1Char(',') + keyText(move.key));
        RecordUpdater u(held.isNull() ? Record(m_positions) : held, *m_positionTrans);
        const qint64 open = held.isNull() ? 0 : held.data(QStringLiteral("open_pos")).toInteger64();
        const qint64 bought = move.bought + (held.isNull() ? 0 : held.data(QStringLiteral("buy_qty")).toInteger64());
        const qint64 sold = move.sold + (held.isNull() ? 0 : held.data(QStringLiteral("sell_qty")).toInteger64());
        if (held.isNull()) {
            u.data(QStringLiteral("account")) = move.account;
            GeneratorUtil::setSecurityKey(u, move.key);
            u.data(QStringLiteral("open_pos")) = open;
        }
        u.data(QStringLiteral("buy_qty")) = bought;
        u.data(QStringLiteral("sell_qty")) = sold;
        u.data(QStringLiteral("pos")) = open + bought - sold;
        u.data(QStringLiteral("avg_price")) = move.price;
        ++m_staged;
    }
    m_moves.clear();
}

void TradeLedger::commit()
{
    if (m_staged == 0)
        return;
    writePositions();
    m_instrumentTrans->commit();
    m_orderTrans->commit();
    m_dealTrans->commit();
    m_positionTrans->commit();
    m_touched.clear();
    m_staged = 0;
    open();
}
